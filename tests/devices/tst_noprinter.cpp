#include "printer.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs with a print server that does not exist, as on a machine with no printer set up.
class NoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void everyStepFailsWithAMessage();
};

void NoPrinterTest::everyStepFailsWithAMessage()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    Printer::install(nullptr);
    Printer &printer = Printer::current();

    QString message;
    try {
        printer.setFontSize(25);
    } catch (const PrinterError &error) {
        message = QString::fromUtf8(error.what());
    }
    QCOMPARE(message, u"There is no default printer."_s);
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.scaleWidth());
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.print(u"Ondel"_s));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.endDoc());
    QVERIFY(!printer.inDocument());
}

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
