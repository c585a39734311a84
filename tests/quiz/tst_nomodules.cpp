#include "scene.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Without device modules: silent sounds, the problem message for print-outs.
class NoModulesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void soundIsSilentAndPrintingReportsAProblem()
    {
        Scene s;
        SoundPlayer::install(nullptr);
        Printer::install(nullptr);
        score = 10;
        outof = 10;
        QVERIFY(shown(Welldone.get()) && resultsSettled());
        QTest::keyClicks(Welldone->Text1, u"Ada"_s);
        TestUtil::click(Welldone->label3[0]);
        TestUtil::click(Welldone->label3[0]);
        QCOMPARE(s.boxes.texts(), QStringList({ printProblem, printProblem }));
        QCOMPARE(Welldone->Text1->text(), u"Ada"_s);
        QVERIFY(s.sound.played().isEmpty());
    }
};

QTEST_MAIN(NoModulesTest)

#include "tst_nomodules.moc"
