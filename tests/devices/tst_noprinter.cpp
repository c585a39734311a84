#include "printer.h"
#include "systemprinter.h"

#include <QApplication>
#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Runs with a print server that does not exist, as on a machine with no printer set up, and
// a temporary home whose Documents folder receives the PDF files.
class NoPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void documentsBecomePdfFilesNamedAfterThem();
};

void NoPrinterTest::documentsBecomePdfFilesNamedAfterThem()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    Printer::install(nullptr);
    Printer &printer = Printer::current();
    const QDir documents(SystemPrinter::pdfFolder());
    QCOMPARE(documents.path(), QDir::home().filePath(u"Documents"_s));

    for (int copy = 1; copy <= 2; ++copy) {
        printer.setDocumentName(u"Ondel certificate - Ada/Lovelace"_s);
        printer.print(u"Excellent Work"_s);
        // Nothing new under a visible name until the document is complete.
        QCOMPARE(documents.entryList(QDir::Files).size(), copy - 1);
        printer.endDoc();
    }
    QCOMPARE(documents.entryList(QDir::Files | QDir::Hidden),
             QStringList({ u"Ondel certificate - Ada Lovelace (2).pdf"_s,
                           u"Ondel certificate - Ada Lovelace.pdf"_s }));
}

int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/ondel-no-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QApplication app(argc, argv);
    NoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_noprinter.moc"
