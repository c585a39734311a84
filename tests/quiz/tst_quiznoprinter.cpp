#include "quiztestsupport.h"

#include "module1.h"
#include "printer.h"
#include "recordingmessageboxes.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

// Runs with a print server that does not exist, as on a machine with no printer set up.
class QuizNoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printingSaysThereWasAProblem();
};

void QuizNoPrinterTest::initTestCase()
{
    TestUtil::initialise();
}

void QuizNoPrinterTest::printingSaysThereWasAProblem()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QuizTest::QuizMedia media;
    RecordingSoundPlayer sounds;
    RecordingMessageBoxes boxes;
    Printer::install(nullptr);
    const QString problem = u"There was a problem printing to your printer."_s;

    score = 10;
    outof = 10;
    Welldone->show();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(boxes.texts(), QStringList { problem });
    QVERIFY(Welldone->isVisible());

    boxes.clear();
    QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
    TestUtil::click(multiple->label3[1]);
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(boxes.texts(), QStringList { problem });
    QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);

    multiple.unload();
    Welldone.unload();
    TestUtil::processEvents();
}

int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/ondel-no-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    QuizNoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quiznoprinter.moc"
