#include "scene.h"

#include <QPrinterInfo>
#include <QUuid>
#include <QtTest>

using namespace Qt::StringLiterals;

// A certificate through CUPS to the cups-pdf printer, found by the job's name.
class PrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void certificateArrivesFromTheDefaultPrinter()
    {
        if (QPrinterInfo::defaultPrinter().isNull())
            QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");
        Scene s;
        Printer::install(nullptr);
        const QString name = u"Pupil "_s + QUuid::createUuid().toString(QUuid::Id128).left(8);
        const QString job = u"Ondel certificate - "_s + name;
        TestUtil::removeCupsPdfs(job);
        quizheading = u"Ondel"_s;
        score = 10;
        outof = 10;
        QVERIFY(shown(Welldone.get()) && resultsSettled());
        QTest::keyClicks(Welldone->Text1, name);
        TestUtil::click(Welldone->label3[0]);
        QCOMPARE(s.boxes.texts(), QStringList { u"Your certificate is now printing."_s });

        const QString pdf = TestUtil::waitForCupsPdf(job, 60000);
        QVERIFY2(!pdf.isEmpty(), qPrintable(TestUtil::cupsPdfMissing(job, 60000)));
        const QString text = TestUtil::runTool(u"pdftotext"_s, { pdf, u"-"_s }).simplified();
        for (const QString &line :
             { name, u"Excellent Work"_s, u"You have scored 10 out of 10."_s, u"Well Done"_s })
            QVERIFY2(text.contains(line), qPrintable(text));
        QFile::remove(pdf);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
