#include "viewertestsupport.h"

#include "printer.h"
#include "systemprinter.h"

#include <QApplication>
#include <QtTest>

using namespace Qt::StringLiterals;

// The pages printed from the viewers with a print server that does not exist, as on a machine
// with no printer set up; a temporary home's Documents folder receives the PDF files.
class TestViewerNoPrinter final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void pagesBecomePdfFiles();
};

void TestViewerNoPrinter::pagesBecomePdfFiles()
{
    FakeDesktop desktop;
    RecordingSoundPlayer sound;
    RecordingMessageBoxes messages;
    TestUtil::TemporaryMedia media;
    ViewerTest::installMedia(media);
    Printer::install(nullptr);
    const QDir documents(SystemPrinter::pdfFolder());
    QFile blocker(documents.path());

    // Rivers 1's Key Facts and Teacher's Notes, the guide's first page (0), and Key Facts
    // again with a Documents folder that cannot be written.
    const std::pair<int, QString> pages[]
        = { { 4, u"key rivers 1"_s }, { 5, u"rivers 1"_s }, { 0, u"guide1"_s }, { 4, QString() } };
    for (const auto &[entry, page] : pages) {
        if (page.isEmpty()) {
            QVERIFY(QDir(documents).removeRecursively() && blocker.open(QIODevice::WriteOnly));
        } else {
            ViewerTest::writePage(media, page + u".wmf"_s, u"Words of the page "_s + page);
        }
        messages.clear();
        QVERIFY(ViewerTest::showMainMenu());
        TestUtil::click(intro0->Label2[entry ? 5 : 20]);
        if (entry)
            TestUtil::click(rivers1->label3[entry]);
        TestUtil::click(entry ? teacher->label3[0] : guide->label3[0]);

        const QString pdf = documents.filePath(u"Ondel page - "_s + page + u".pdf"_s);
        QCOMPARE(messages.texts(),
                 QStringList { page.isEmpty()
                                   ? u"There was a problem printing to your printer."_s
                                   : u"There is no printer, so the page has been saved as a PDF "
                                     u"file:\n"_s
                                       + pdf });
        if (!page.isEmpty())
            QVERIFY(TestUtil::runTool(u"pdftotext"_s, { pdf, u"-"_s })
                        .simplified()
                        .contains(u"Words of the page "_s + page));
        ViewerTest::unloadScreens();
    }
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
