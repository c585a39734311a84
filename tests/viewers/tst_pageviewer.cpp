#include "viewertestsupport.h"

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
        if (!control->isHidden())
            QCOMPARE(viewer->childAt(control->geometry().center()), control);
    }
}

// The page shown in both copies, the indicator, and which paging buttons are enabled.
void verifyPage(PageViewer *viewer, const QString &file, const QString &caption, bool next,
                bool previous)
{
    QCOMPARE(pictureOf(viewer->Image1), u"wmf\\"_s + file);
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\"_s + file);
    QCOMPARE(viewer->Label1->caption(), caption);
    QCOMPARE(viewer->label3[2]->isEnabled(), next);
    QCOMPARE(viewer->label3[3]->isEnabled(), previous);
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
    void initTestCase() { m_f.initTestCase(); }
    void init() { m_f.init(); }
    void cleanup() { m_f.cleanup(); }

    void openersShowTheirFirstPage_data();
    void openersShowTheirFirstPage();
    void pagingUsesLettersAndPageOneIsAlwaysLetterA();
    void acknowledgmentsAnimateTheLogoAndResumeOnReopening();
    void printPrintsThePrintCopyOfTheCurrentPage();
    void missingPicturesOrPrinterLeaveTheScreenUsable();

private:
    ViewerTest::Fixture m_f;
};

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
    QVERIFY(!viewer->Image2->visible());

    const bool paging = total > 1;
    QCOMPARE(viewer->Label1->visible(), paging);
    QCOMPARE(viewer->label3[2]->visible(), paging);
    QCOMPARE(viewer->label3[3]->visible(), paging);
    QVERIFY(viewer->label3[0]->visible());
    QVERIFY(viewer->label3[1]->visible());
    QVERIFY(!viewer->Timer1->enabled());
    QVERIFY(!viewer->Picture1->visible());
    verifyControlsAbovePage(viewer);
    QVERIFY(intro0->isVisible());
    QCOMPARE(m_f.sound->last(), u"wav\\click.wav"_s);

    if (!screenshot.isEmpty())
        QVERIFY(!TestUtil::grabScreenshot(viewer, screenshot).isEmpty());
    if (!paging)
        return;

    // Forward and back through the two pages; a greyed button ignores the click and paging
    // is silent.
    m_f.sound->clear();
    const QString letterless = firstPage.chopped(5);
    verifyPage(viewer, firstPage, u"Page 1 of 2"_s, true, false);
    for (int button : { 2, 2 }) {
        TestUtil::click(viewer->label3[button]);
        verifyPage(viewer, letterless + u"b.wmf"_s, u"Page 2 of 2"_s, false, true);
        verifyControlsAbovePage(viewer);
    }
    for (int button : { 3, 3 }) {
        TestUtil::click(viewer->label3[button]);
        verifyPage(viewer, firstPage, u"Page 1 of 2"_s, true, false);
    }
    QCOMPARE(pagenum, 1);
    QVERIFY(m_f.sound->played().isEmpty());

    // Exit discards the screen; the next opening starts afresh on page 1.
    TestUtil::click(viewer->label3[2]);
    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!teacher.isLoaded());
    openFrom(opener, index);
    QCOMPARE(pagenum, 1);
    verifyPage(teacher.get(), firstPage, u"Page 1 of 2"_s, true, false);
}

void TestPageViewer::pagingUsesLettersAndPageOneIsAlwaysLetterA()
{
    for (const QString &name :
         { u"notes.wmf"_s, u"notesa.wmf"_s, u"notesb.wmf"_s, u"notesc.wmf"_s })
        ViewerTest::writePage(*m_f.media, name, name);

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
        bool next;
        bool previous;
    } steps[] = {
        { 2, u"notesb.wmf", u"Page 2 of 3", true, true },
        { 2, u"notesc.wmf", u"Page 3 of 3", false, true },
        { 3, u"notesb.wmf", u"Page 2 of 3", true, true },
        { 3, u"notesa.wmf", u"Page 1 of 3", true, false },
    };
    for (const auto &step : steps) {
        TestUtil::click(viewer->label3[step.button]);
        verifyPage(viewer, QString::fromUtf16(step.file), QString::fromUtf16(step.caption),
                   step.next, step.previous);
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

    // Frames 1 to 19, then 0, each under its four-digit name.
    for (int expected : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0 }) {
        tick(viewer);
        QCOMPARE(logoframe, expected);
        QCOMPARE(viewer->Picture1->picture().sourcePath(),
                 u"logo\\corv%1.gif"_s.arg(expected, 4, 10, QChar(u'0')));
        QVERIFY(!viewer->Picture1->picture().isNull());
    }
    QVERIFY(viewer->Picture1->visible());
    QVERIFY(viewer->Picture2->visible());
    tick(viewer, 12);
    QCOMPARE(viewer->Picture1->picture().sourcePath(), u"logo\\corv0012.gif"_s);

    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    verifyControlsAbovePage(viewer);
    QVERIFY(!TestUtil::grabScreenshot(viewer, u"teacher-acknowledgments"_s).isEmpty());

    // The clock itself drives the animation, and stops with the screen.
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
    m_f.sound->clear();
    const QSizeF natural = Picture::load(u"wmf2\\introductionb.wmf"_s).sizeTwips();
    QVERIFY(!natural.isEmpty());

    // Printing twice prints the same page and moves nothing.
    for (int job = 1; job <= 2; ++job) {
        m_f.printer->clear();
        TestUtil::click(viewer->label3[0]);
        const QList<PrinterCall> calls = m_f.printer->calls();
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].kind, PrinterCall::Kind::Print);
        QCOMPARE(calls[0].text, QString());
        QVERIFY(calls[0].endLine);
        QCOMPARE(calls[1].kind, PrinterCall::Kind::PaintPicture);
        QCOMPARE(calls[1].text, u"wmf2\\introductionb.wmf"_s);
        QCOMPARE(calls[1].target, QRectF(QPointF(1000, 1000), natural));
        QCOMPARE(calls[2].kind, PrinterCall::Kind::EndDoc);
        QCOMPARE(m_f.printer->documentsEnded(), job);
        QCOMPARE(pagenum, 2);
        verifyPage(viewer, u"introductionb.wmf"_s, u"Page 2 of 2"_s, false, true);
    }
    QVERIFY(m_f.sound->played().isEmpty());
}

void TestPageViewer::missingPicturesOrPrinterLeaveTheScreenUsable()
{
    for (const QString &file : { u"wmf/key rivers 2b.wmf"_s, u"wmf2/key rivers 2b.wmf"_s,
                                 u"logo/corv0001.gif"_s, u"logo/corvane2.bmp"_s })
        QVERIFY(QFile::remove(m_f.media->path(file)));

    openFrom(u"rivers2"_s, 4);
    PageViewer *viewer = teacher.get();

    // A printer that fails at any step: no job ends, no message, the screen stays.
    for (int failAt : { 0, 1, 2 }) {
        m_f.printer->clear();
        m_f.printer->failFromCall(failAt);
        TestUtil::click(viewer->label3[0]);
        QCOMPARE(m_f.printer->documentsEnded(), 0);
        QVERIFY(viewer->isVisible());
    }
    m_f.printer->failFromCall(-1);

    TestUtil::click(viewer->label3[2]);
    QVERIFY(viewer->Image1->picture().isNull());
    QVERIFY(viewer->Image2->picture().isNull());
    QCOMPARE(viewer->Label1->caption(), u"Page 2 of 2"_s);
    verifyControlsAbovePage(viewer);
    // Nothing to print: no blank sheet.
    m_f.printer->clear();
    TestUtil::click(viewer->label3[0]);
    QVERIFY(m_f.printer->calls().isEmpty());
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

QTEST_MAIN(TestPageViewer)
#include "tst_pageviewer.moc"
