#include "viewertestsupport.h"

#include "printer.h"
#include "systemprinter.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

// The pages printed from the viewers with a print server that does not exist, as on a machine
// with no printer set up; a temporary home's Documents folder receives the PDF files.
class TestViewerNoPrinter final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void pagesBecomePdfFiles_data();
    void pagesBecomePdfFiles();
};

void TestViewerNoPrinter::pagesBecomePdfFiles_data()
{
    QTest::addColumn<int>("topicEntry"); // 0: the main menu's Teachers' Guide
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("writable");
    QTest::newRow("Key Facts") << 4 << u"key rivers 1"_s << true;
    QTest::newRow("Teacher's Notes") << 5 << u"rivers 1"_s << true;
    QTest::newRow("Teachers' Guide") << 0 << u"guide1"_s << true;
    QTest::newRow("Documents cannot be written") << 4 << u"key rivers 1"_s << false;
}

void TestViewerNoPrinter::pagesBecomePdfFiles()
{
    QFETCH(int, topicEntry);
    QFETCH(QString, page);
    QFETCH(bool, writable);
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    FakeDesktop desktop;
    RecordingSoundPlayer sound;
    RecordingMessageBoxes messages;
    TestUtil::TemporaryMedia media;
    ViewerTest::installMedia(media);
    ViewerTest::writePage(media, page + u".wmf"_s, u"Words of the page %1"_s.arg(page));
    Printer::install(nullptr);
    const QString documents = SystemPrinter::pdfFolder();
    QDir(documents).removeRecursively();
    QFile blocker(documents);
    if (!writable)
        QVERIFY(blocker.open(QIODevice::WriteOnly));

    QVERIFY(ViewerTest::showMainMenu());
    TestUtil::click(intro0->Label2[topicEntry ? 5 : 20]);
    if (topicEntry)
        TestUtil::click(rivers1->label3[topicEntry]);
    TestUtil::click(topicEntry ? teacher->label3[0] : guide->label3[0]);

    const QString pdf = QDir(documents).filePath(u"Ondel page - "_s + page + u".pdf"_s);
    const QString expected = writable
        ? u"There is no printer, so the page has been saved as a PDF file:\n"_s + pdf
        : u"There was a problem printing to your printer."_s;
    QCOMPARE(messages.texts(), QStringList { expected });
    if (writable) {
        const QString text = TestUtil::runTool(u"pdftotext"_s, { pdf, u"-"_s });
        QVERIFY2(text.simplified().contains(u"Words of the page "_s + page), qPrintable(text));
    }
    blocker.remove();
    ViewerTest::unloadScreens();
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
    TestViewerNoPrinter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_viewernoprinter.moc"
