#include "scene.h"

#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

// With a print server that does not exist, as on a machine with no printer set up, the
// printer refuses every step and the screens say there was a problem, staying where they were.
class NoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }

    void printingSaysThereWasAProblem()
    {
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        Scene s;
        Printer::install(nullptr);
        QString message;
        try {
            Printer::current().print(u"Ondel"_s);
        } catch (const PrinterError &error) {
            message = QString::fromUtf8(error.what());
        }
        QCOMPARE(message, u"There is no default printer."_s);
        QVERIFY(!Printer::current().inDocument());

        score = 10;
        outof = 10;
        QVERIFY(shown(Welldone.get()) && resultsSettled());
        TestUtil::click(Welldone->label3[0]);
        QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
        TestUtil::click(multiple->label3[1]);
        TestUtil::click(multiple->label3[3]);
        QCOMPARE(s.boxes.texts(), (QStringList { printProblem, printProblem }));
        QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);
        QVERIFY(Welldone->isVisible());
    }
};

int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/ondel-no-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    NoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_noprinter.moc"
