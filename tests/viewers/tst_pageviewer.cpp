#include "viewertestsupport.h"

#include "recordingmessageboxes.h"
#include "recordingprinter.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString pictureOf(const ImageBox *image)
{
    return image->picture().sourcePath();
}

// Opens a page set the way a user does: a main menu entry, or a topic and then its entry.
void openFrom(const QString &opener, int index)
{
    QVERIFY(ViewerTest::showMainMenu());
    if (opener == u"menu") {
        TestUtil::click(intro0->Label2[index]);
        return;
    }
    TopicMenu *topic = opener == u"rivers1" ? static_cast<TopicMenu *>(rivers1.get())
                                            : static_cast<TopicMenu *>(rivers2.get());
    TestUtil::click(intro0->Label2[opener == u"rivers1" ? 5 : 6]);
    QVERIFY(QTest::qWaitForWindowExposed(topic));
    TestUtil::click(topic->label3[index]);
}

// Every control that shows stays on top of the page picture.
void verifyControlsAbovePage(PageViewer *viewer)
{
    const QList<QWidget *> controls { viewer->Label1,    viewer->label3[0], viewer->label3[1],
                                      viewer->label3[2], viewer->label3[3], viewer->Picture1,
                                      viewer->Picture2 };
    for (QWidget *control : controls) {
        if (control->isHidden())
            continue;
        QCOMPARE(viewer->childAt(control->geometry().center()), control);
    }
}

void tick(PageViewer *viewer, int times = 1)
{
    for (int i = 0; i < times; ++i)
        Q_EMIT viewer->Timer1->tick();
}

} // namespace

class TestPageViewer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void openersShowTheirFirstPage_data();
    void openersShowTheirFirstPage();
    void twoPageSetPagesForwardAndBack();
    void pagingUsesLettersAndPageOneIsAlwaysLetterA();
    void acknowledgmentsAnimateTheLogoAndResumeOnReopening();
    void printPrintsThePrintCopyOfTheCurrentPage();
    void printerFailureLeavesTheScreenUsable();
    void missingPicturesLeaveThePageAreaEmpty();
    void exitDiscardsTheScreenAndTheNextOpeningStartsAfresh();
    void pointerMovesLightNothing();

private:
    std::unique_ptr<TestUtil::TemporaryMedia> m_media;
    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<RecordingSoundPlayer> m_sound;
    std::unique_ptr<RecordingPrinter> m_printer;
    std::unique_ptr<RecordingMessageBoxes> m_messages;
};

void TestPageViewer::initTestCase()
{
    TestUtil::initialise();
    m_desktop = std::make_unique<FakeDesktop>();
    m_sound = std::make_unique<RecordingSoundPlayer>();
    m_messages = std::make_unique<RecordingMessageBoxes>();
}

void TestPageViewer::init()
{
    m_media = std::make_unique<TestUtil::TemporaryMedia>();
    ViewerTest::installMedia(*m_media);
    m_printer = std::make_unique<RecordingPrinter>();
    m_sound->clear();
}

void TestPageViewer::cleanup()
{
    ViewerTest::unloadScreens();
    m_printer.reset();
    m_media.reset();
    QVERIFY(m_messages->shown().isEmpty());
}

void TestPageViewer::openersShowTheirFirstPage_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("firstPage");
    QTest::addColumn<QString>("screenshot");

    QTest::newRow("Introduction") << u"menu"_s << 10 << 2 << u"introduction"_s
                                  << u"introductiona.wmf"_s << QString();
    QTest::newRow("Rivers 1, Key Facts") << u"rivers1"_s << 4 << 1 << u"key rivers 1"_s
                                         << u"key rivers 1.wmf"_s << u"teacher-key-rivers-1"_s;
    QTest::newRow("Rivers 1, Teacher's Notes")
        << u"rivers1"_s << 5 << 1 << u"rivers 1"_s << u"rivers 1.wmf"_s << QString();
    QTest::newRow("Rivers 2, Key Facts") << u"rivers2"_s << 4 << 2 << u"key rivers 2"_s
                                         << u"key rivers 2a.wmf"_s << u"teacher-key-rivers-2"_s;
    QTest::newRow("Rivers 2, Teacher's Notes")
        << u"rivers2"_s << 5 << 1 << u"rivers 2"_s << u"rivers 2.wmf"_s << QString();
}

void TestPageViewer::openersShowTheirFirstPage()
{
    QFETCH(QString, opener);
    QFETCH(int, index);
    QFETCH(int, total);
    QFETCH(QString, set);
    QFETCH(QString, firstPage);
    QFETCH(QString, screenshot);

    // Stale values that would show the wrong buttons if the opener touched the viewer first.
    pagetotal = total == 1 ? 2 : 1;
    pageset = u"stale"_s;
    pagenum = 3;

    openFrom(opener, index);
    QVERIFY(teacher.isLoaded());
    PageViewer *viewer = teacher.get();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));

    QCOMPARE(pagetotal, total);
    QCOMPARE(pageset, set);
    QCOMPARE(pagenum, 1);
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\"_s + firstPage);
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\"_s + firstPage);
    QVERIFY(viewer->Image1->picture().isMetafile());
    QCOMPARE(viewer->Image1->left(), 120.0);
    QCOMPARE(viewer->Image1->top(), 0.0);
    QCOMPARE(QSizeF(viewer->Image1->width(), viewer->Image1->height()),
             viewer->Image1->picture().sizeTwips());
    QVERIFY(!viewer->Image2->visible());

    const bool paging = total > 1;
    QCOMPARE(viewer->Label1->visible(), paging);
    QCOMPARE(viewer->label3[2]->visible(), paging);
    QCOMPARE(viewer->label3[3]->visible(), paging);
    QVERIFY(viewer->label3[0]->visible());
    QVERIFY(viewer->label3[1]->visible());
    if (paging) {
        QCOMPARE(viewer->Label1->caption(), u"Page 1 of 2"_s);
        QVERIFY(viewer->label3[2]->isEnabled());
        QVERIFY(!viewer->label3[3]->isEnabled());
    }

    QCOMPARE(viewer->caption(), u"Ondel"_s);
    QCOMPARE(viewer->backColor(), QColor(0, 78, 152));
    QVERIFY(!viewer->Timer1->enabled());
    QVERIFY(!viewer->Picture1->visible());
    QVERIFY(!viewer->Picture2->visible());
    verifyControlsAbovePage(viewer);

    // The opener stays open beneath, and its click follows the opening.
    QVERIFY(intro0->isVisible());
    if (opener != u"menu")
        QVERIFY((opener == u"rivers1" ? static_cast<QWidget *>(rivers1.get()) : rivers2.get())
                    ->isVisible());
    QCOMPARE(m_sound->last(), u"wav\\click.wav"_s);

    if (!screenshot.isEmpty())
        QVERIFY(!TestUtil::grabScreenshot(viewer, screenshot).isEmpty());
}

void TestPageViewer::twoPageSetPagesForwardAndBack()
{
    openFrom(u"rivers2"_s, 4);
    PageViewer *viewer = teacher.get();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    Label *next = viewer->label3[2];
    Label *previous = viewer->label3[3];
    m_sound->clear();

    TestUtil::click(next);
    QCOMPARE(pagenum, 2);
    QCOMPARE(viewer->Label1->caption(), u"Page 2 of 2"_s);
    QVERIFY(!next->isEnabled());
    QVERIFY(previous->isEnabled());
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\key rivers 2b.wmf"_s);
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\key rivers 2b.wmf"_s);
    verifyControlsAbovePage(viewer);

    // A greyed button ignores the click.
    TestUtil::click(next);
    QCOMPARE(pagenum, 2);
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\key rivers 2b.wmf"_s);

    TestUtil::click(previous);
    QCOMPARE(pagenum, 1);
    QCOMPARE(viewer->Label1->caption(), u"Page 1 of 2"_s);
    QVERIFY(next->isEnabled());
    QVERIFY(!previous->isEnabled());
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\key rivers 2a.wmf"_s);
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\key rivers 2a.wmf"_s);

    TestUtil::click(previous);
    QCOMPARE(pagenum, 1);
    QVERIFY(m_sound->played().isEmpty());
}

void TestPageViewer::pagingUsesLettersAndPageOneIsAlwaysLetterA()
{
    for (const QString &name :
         { u"notes.wmf"_s, u"notesa.wmf"_s, u"notesb.wmf"_s, u"notesc.wmf"_s })
        ViewerTest::writePage(*m_media, name, name);

    // An opener that names its first page without the letter, as a one-page set does.
    pagetotal = 3;
    pageset = u"notes"_s;
    teacher->Image1->loadPicture(u"wmf\\notes.wmf"_s);
    teacher->Image2->loadPicture(u"wmf2\\notes.wmf"_s);
    teacher->show();
    PageViewer *viewer = teacher.get();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QCOMPARE(viewer->Label1->caption(), u"Page 1 of 3"_s);

    const struct
    {
        int button;
        const char16_t *file;
        const char16_t *caption;
        bool nextEnabled;
        bool previousEnabled;
    } steps[] = {
        { 2, u"notesb.wmf", u"Page 2 of 3", true, true },
        { 2, u"notesc.wmf", u"Page 3 of 3", false, true },
        { 3, u"notesb.wmf", u"Page 2 of 3", true, true },
        { 3, u"notesa.wmf", u"Page 1 of 3", true, false },
    };
    for (const auto &step : steps) {
        TestUtil::click(viewer->label3[step.button]);
        QCOMPARE(pictureOf(viewer->Image1), u"wmf\\"_s + QString::fromUtf16(step.file));
        QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\"_s + QString::fromUtf16(step.file));
        QCOMPARE(viewer->Label1->caption(), QString::fromUtf16(step.caption));
        QCOMPARE(viewer->label3[2]->isEnabled(), step.nextEnabled);
        QCOMPARE(viewer->label3[3]->isEnabled(), step.previousEnabled);
    }
}

void TestPageViewer::acknowledgmentsAnimateTheLogoAndResumeOnReopening()
{
    logoframe = 0;
    pagetotal = 2;
    pageset = u"key rivers 2"_s;

    openFrom(u"menu"_s, 19);
    PageViewer *viewer = teacher.get();
    QCOMPARE(pagetotal, 2);
    QCOMPARE(pageset, u"key rivers 2"_s);
    QVERIFY(!viewer->Label1->visible());
    QVERIFY(!viewer->label3[2]->visible());
    QVERIFY(!viewer->label3[3]->visible());
    QVERIFY(viewer->label3[0]->visible());
    QVERIFY(viewer->label3[1]->visible());
    QCOMPARE(viewer->backColor(), QColor(49, 130, 212));
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\acknowledgments.wmf"_s);
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\acknowledgments.wmf"_s);
    QCOMPARE(viewer->Picture2->picture().sourcePath(), u"logo\\corvane2.bmp"_s);
    QVERIFY(viewer->Timer1->enabled());
    QCOMPARE(viewer->Timer1->interval(), 25);
    // Until the first tick the logo boxes stay hidden.
    QCOMPARE(logoframe, 0);
    QVERIFY(!viewer->Picture1->visible());
    QVERIFY(!viewer->Picture2->visible());
    QCOMPARE(m_sound->last(), u"wav\\click.wav"_s);

    // Frames 1 to 19, then 0, each under its four-digit name.
    for (int expected : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0 }) {
        tick(viewer);
        QCOMPARE(logoframe, expected);
        QCOMPARE(viewer->Picture1->picture().sourcePath(),
                 u"logo\\corv00%1.gif"_s.arg(expected, 2, 10, QChar(u'0')));
        QVERIFY(!viewer->Picture1->picture().isNull());
    }
    QVERIFY(viewer->Picture1->visible());
    QVERIFY(viewer->Picture2->visible());
    tick(viewer, 7);
    QCOMPARE(viewer->Picture1->picture().sourcePath(), u"logo\\corv0007.gif"_s);
    tick(viewer, 5);
    QCOMPARE(viewer->Picture1->picture().sourcePath(), u"logo\\corv0012.gif"_s);

    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    verifyControlsAbovePage(viewer);
    QVERIFY(!TestUtil::grabScreenshot(viewer, u"teacher-acknowledgments"_s).isEmpty());

    // The clock itself drives the animation.
    const int before = logoframe;
    QTRY_VERIFY_WITH_TIMEOUT(logoframe != before, 2000);

    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!teacher.isLoaded());
    const int stoppedAt = logoframe;
    QTest::qWait(100);
    QCOMPARE(logoframe, stoppedAt);

    // The second viewing takes up the count where the first one stopped.
    openFrom(u"menu"_s, 19);
    viewer = teacher.get();
    QVERIFY(!viewer->Picture1->visible());
    QCOMPARE(logoframe, stoppedAt);
    tick(viewer);
    QCOMPARE(logoframe, (stoppedAt + 1) % 20);
    QCOMPARE(viewer->Picture1->picture().sourcePath(),
             u"logo\\corv%1.gif"_s.arg((stoppedAt + 1) % 20, 4, 10, QChar(u'0')));
}

void TestPageViewer::printPrintsThePrintCopyOfTheCurrentPage()
{
    openFrom(u"menu"_s, 10);
    PageViewer *viewer = teacher.get();
    TestUtil::click(viewer->label3[2]);
    m_sound->clear();
    const QSizeF natural = Picture::load(u"wmf2\\introductionb.wmf"_s).sizeTwips();
    QVERIFY(!natural.isEmpty());

    for (int job = 1; job <= 2; ++job) {
        m_printer->clear();
        TestUtil::click(viewer->label3[0]);
        const QList<PrinterCall> calls = m_printer->calls();
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].kind, PrinterCall::Kind::Print);
        QCOMPARE(calls[0].text, QString());
        QVERIFY(calls[0].endLine);
        QCOMPARE(calls[1].kind, PrinterCall::Kind::PaintPicture);
        QCOMPARE(calls[1].text, u"wmf2\\introductionb.wmf"_s);
        QCOMPARE(calls[1].target, QRectF(QPointF(1000, 1000), natural));
        QCOMPARE(calls[2].kind, PrinterCall::Kind::EndDoc);
        QCOMPARE(m_printer->documentsEnded(), job);

        // Printing moves nothing.
        QCOMPARE(pagenum, 2);
        QCOMPARE(viewer->Label1->caption(), u"Page 2 of 2"_s);
        QCOMPARE(pictureOf(viewer->Image1), u"wmf\\introductionb.wmf"_s);
        QVERIFY(!viewer->label3[2]->isEnabled());
        QVERIFY(viewer->label3[3]->isEnabled());
    }
    QVERIFY(m_sound->played().isEmpty());

    // The acknowledgments print their own print copy.
    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();
    openFrom(u"menu"_s, 19);
    m_printer->clear();
    TestUtil::click(teacher->label3[0]);
    QCOMPARE(m_printer->calls(PrinterCall::Kind::PaintPicture).size(), 1);
    QCOMPARE(m_printer->calls(PrinterCall::Kind::PaintPicture)[0].text,
             u"wmf2\\acknowledgments.wmf"_s);
}

void TestPageViewer::printerFailureLeavesTheScreenUsable()
{
    openFrom(u"menu"_s, 10);
    PageViewer *viewer = teacher.get();
    for (int failAt : { 0, 1, 2 }) {
        m_printer->clear();
        m_printer->failFromCall(failAt);
        TestUtil::click(viewer->label3[0]);
        QCOMPARE(m_printer->documentsEnded(), 0);
        QVERIFY(viewer->isVisible());
    }
    m_printer->failFromCall(-1);

    TestUtil::click(viewer->label3[2]);
    QCOMPARE(viewer->Label1->caption(), u"Page 2 of 2"_s);
    m_printer->clear();
    TestUtil::click(viewer->label3[0]);
    QCOMPARE(m_printer->documentsEnded(), 1);
    QCOMPARE(m_printer->calls(PrinterCall::Kind::PaintPicture)[0].text,
             u"wmf2\\introductionb.wmf"_s);
}

void TestPageViewer::missingPicturesLeaveThePageAreaEmpty()
{
    for (const QString &file : { u"wmf/key rivers 2b.wmf"_s, u"wmf2/key rivers 2b.wmf"_s,
                                 u"logo/corv0001.gif"_s, u"logo/corvane2.bmp"_s })
        QVERIFY(QFile::remove(m_media->path(file)));

    openFrom(u"rivers2"_s, 4);
    PageViewer *viewer = teacher.get();
    TestUtil::click(viewer->label3[2]);
    QVERIFY(viewer->Image1->picture().isNull());
    QVERIFY(viewer->Image2->picture().isNull());
    QCOMPARE(viewer->Label1->caption(), u"Page 2 of 2"_s);
    verifyControlsAbovePage(viewer);

    // Nothing to print: no blank sheet.
    m_printer->clear();
    TestUtil::click(viewer->label3[0]);
    QVERIFY(m_printer->calls().isEmpty());

    TestUtil::click(viewer->label3[3]);
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\key rivers 2a.wmf"_s);
    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();

    logoframe = 0;
    openFrom(u"menu"_s, 19);
    viewer = teacher.get();
    QVERIFY(viewer->Picture2->picture().isNull());
    tick(viewer);
    QVERIFY(viewer->Picture1->picture().isNull());
    QVERIFY(viewer->Picture1->visible());
    tick(viewer);
    QCOMPARE(viewer->Picture1->picture().sourcePath(), u"logo\\corv0002.gif"_s);
}

void TestPageViewer::exitDiscardsTheScreenAndTheNextOpeningStartsAfresh()
{
    openFrom(u"rivers2"_s, 4);
    TestUtil::click(teacher->label3[2]);
    QCOMPARE(pagenum, 2);
    m_sound->clear();

    TestUtil::click(teacher->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!teacher.isLoaded());
    QVERIFY(rivers2->isVisible());
    QVERIFY(m_sound->played().isEmpty());

    TestUtil::click(rivers2->label3[4]);
    PageViewer *viewer = teacher.get();
    QCOMPARE(pagenum, 1);
    QCOMPARE(viewer->Label1->caption(), u"Page 1 of 2"_s);
    QVERIFY(viewer->label3[2]->isEnabled());
    QVERIFY(!viewer->label3[3]->isEnabled());
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\key rivers 2a.wmf"_s);
}

void TestPageViewer::pointerMovesLightNothing()
{
    openFrom(u"menu"_s, 10);
    PageViewer *viewer = teacher.get();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    TestUtil::mouseMove(viewer->label3[0]);
    TestUtil::mouseMove(viewer, 11200, 4000);
    TestUtil::mouseMove(viewer->Image1);
    for (const auto &[index, button] : viewer->label3)
        QCOMPARE(button->backStyle(), BackStyle::Opaque);
    QVERIFY(m_sound->played().size() == 1);
}

QTEST_MAIN(TestPageViewer)
#include "tst_pageviewer.moc"
