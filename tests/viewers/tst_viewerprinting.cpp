#include "viewertestsupport.h"

#include "printer.h"

#include <QPrinterInfo>
#include <QUuid>
#include <QtTest>

using namespace Qt::StringLiterals;

// The key facts page printed from the viewer on the real default printer (cups-pdf).
class TestViewerPrinting final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void keyFactsPageArrivesAsPdfWithItsText();
};

void TestViewerPrinting::initTestCase()
{
    TestUtil::initialise();
}

void TestViewerPrinting::keyFactsPageArrivesAsPdfWithItsText()
{
    if (QPrinterInfo::defaultPrinter().isNull())
        QSKIP("No default printer (scripts/test sets up the cups-pdf printer ClassroomPDF).");

    FakeDesktop desktop;
    RecordingSoundPlayer sound;
    RecordingMessageBoxes messages;
    TestUtil::TemporaryMedia media;
    ViewerTest::installMedia(media);
    // The page's own words, with a mark no other print-out carries.
    const QString token = u"Drainage%1"_s.arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    ViewerTest::writePage(media, u"key rivers 1.wmf"_s,
                          u"Rivers 1 Key Facts %1 A river begins at its source."_s.arg(token));
    Printer::install(nullptr);

    QVERIFY(ViewerTest::showMainMenu());
    TestUtil::click(intro0->Label2[5]);
    QVERIFY(QTest::qWaitForWindowExposed(rivers1.get()));
    TestUtil::click(rivers1->label3[4]);
    QVERIFY(teacher.isLoaded());
    QCOMPARE(teacher->Image2->picture().sourcePath(), u"wmf2\\key rivers 1.wmf"_s);

    const QString job = u"Ondel page - key rivers 1"_s;
    TestUtil::removeCupsPdfs(job);
    TestUtil::click(teacher->label3[0]);
    QVERIFY(messages.shown().isEmpty());

    const QString pdf = TestUtil::waitForCupsPdf(job, 60000);
    QVERIFY2(!pdf.isEmpty(), qPrintable(TestUtil::cupsPdfMissing(job, 60000)));
    const QString text = TestUtil::runTool(u"pdftotext"_s, { pdf, u"-"_s });
    QVERIFY2(text.contains(token), qPrintable(text));
    QVERIFY2(text.simplified().contains(u"A river begins at its source."_s), qPrintable(text));
    QVERIFY(teacher->isVisible());
    QFile::remove(pdf);

    ViewerTest::unloadScreens();
}

QTEST_MAIN(TestViewerPrinting)
#include "tst_viewerprinting.moc"
