#include "quiztestsupport.h"

#include "printer.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;
using QuizTest::problem;

// Runs with a print server that does not exist, as on a machine with no printer set up.
class QuizNoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestUtil::initialise(); }
    void printingSaysThereWasAProblem();
};

void QuizNoPrinterTest::printingSaysThereWasAProblem()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QuizTest::Fixture fx;
    Printer::install(nullptr);

    score = 10;
    outof = 10;
    Welldone->show();
    TestUtil::click(Welldone->label3[0]);
    QCOMPARE(fx.boxes.texts(), QStringList { problem });
    QVERIFY(Welldone->isVisible());

    fx.boxes.clear();
    QVERIFY(QuizOpener::open(u"multiple\\Rivers 1.txt"_s, u"images\\rivers1sm.jpg"_s));
    TestUtil::click(multiple->label3[1]);
    TestUtil::click(multiple->label3[3]);
    QCOMPARE(fx.boxes.texts(), QStringList { problem });
    QCOMPARE(multiple->Label4->caption(), u"Question 2"_s);
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
