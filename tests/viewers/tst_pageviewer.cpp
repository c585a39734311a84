#include "scene.h"

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
    QVERIFY(shown(intro0.get()));
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

void openGuide()
{
    QVERIFY(shown(intro0.get()));
    TestUtil::click(intro0->Label2[20]);
    QVERIFY(guide.isLoaded());
    QVERIFY(QTest::qWaitForWindowExposed(guide.get()));
}

// The title and answer picture of pages 4 to 9.
const QString answers[][2] = {
    { u"The Water Cycle"_s, u"Images\\cycleanswer.jpg"_s },
    { u"Rivers 1: Drainage Basins"_s, u"Images\\drainageanswer.jpg"_s },
    { u"Rivers 1: Drainage Basins"_s, u"Images\\rivers1answer.jpg"_s },
    { u"Rivers 2: Landforms"_s, u"Images\\landformsanswer.jpg"_s },
    { u"Irrigation"_s, u"Images\\irrigationanswer.jpg"_s },
    { u"Water Supply 2"_s, u"Images\\supply2answer.jpg"_s },
};

void verifyGuidePage(GuideViewer *viewer, int page)
{
    QCOMPARE(pagenum, page);
    QCOMPARE(viewer->Label1->caption(), u"Page %1 of 9"_s.arg(page));
    // Pages 1 to 3 are text pages, both copies; the others an answer picture and its title.
    const bool text = page <= 3;
    QCOMPARE(viewer->Image1->picture().sourcePath(),
             text ? u"wmf\\guide%1.wmf"_s.arg(page) : QString());
    QCOMPARE(viewer->Image2->picture().sourcePath(),
             text ? u"wmf2\\guide%1.wmf"_s.arg(page) : QString());
    QCOMPARE(viewer->picture().sizePixels(), text ? QSize(0, 0) : QSize(800, 600));
    QCOMPARE(viewer->Label2->caption(), text ? QString() : answers[page - 4][0]);
    if (!text)
        QCOMPARE(viewer->picture().sourcePath(), answers[page - 4][1]);
    QCOMPARE(viewer->label3[0]->isEnabled(), page <= 3);
    QCOMPARE(viewer->label3[2]->isEnabled(), page < 9);
    QCOMPARE(viewer->label3[3]->isEnabled(), page > 1);
    QVERIFY(viewer->label3[1]->isEnabled());

    // The page indicator and the buttons stay above whatever the page shows.
    const QList<QWidget *> controls { viewer->Label1, viewer->label3[0], viewer->label3[1],
                                      viewer->label3[2], viewer->label3[3] };
    for (QWidget *control : controls)
        QCOMPARE(viewer->childAt(control->geometry().center()), control);
    QVERIFY(!viewer->Image2->visible());
}

} // namespace

class TestPageViewer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void init()
    {
        s.emplace();
        printer.emplace();
    }
    void cleanup()
    {
        QVERIFY(s->boxes.shown().isEmpty());
        printer.reset();
        s.reset();
    }

    void openersShowTheirFirstPage_data();
    void openersShowTheirFirstPage();
    void acknowledgmentsAnimateTheLogoAndResumeOnReopening();
    void printPrintsThePrintCopyOfTheCurrentPage();
    void guidePagesOneToNineAndBack();
    void guidePrintsTheTextPagesOnly();

private:
    std::optional<Scene> s;
    std::optional<RecordingPrinter> printer;
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
    QTest::newRow("Rivers 2, Key Facts") << u"rivers2"_s << 4 << 2 << u"key rivers 2"_s
                                         << u"key rivers 2a.wmf"_s << u"teacher-key-rivers-2"_s;
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
    QCOMPARE(s->sound.last(), u"wav\\click.wav"_s);

    if (!screenshot.isEmpty())
        QVERIFY(!TestUtil::grabScreenshot(viewer, screenshot).isEmpty());
    if (!paging)
        return;

    // A greyed button ignores the click, and paging is silent.
    s->sound.clear();
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
    QVERIFY(s->sound.played().isEmpty());

    // Exit discards the screen; the next opening starts afresh on page 1.
    TestUtil::click(viewer->label3[2]);
    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!teacher.isLoaded());
    openFrom(opener, index);
    QCOMPARE(pagenum, 1);
    verifyPage(teacher.get(), firstPage, u"Page 1 of 2"_s, true, false);
}

void TestPageViewer::acknowledgmentsAnimateTheLogoAndResumeOnReopening()
{
    logoframe = 0;
    pagetotal = 2;
    pageset = u"key rivers 2"_s;

    openFrom(u"menu"_s, 19);
    PageViewer *viewer = teacher.get();
    // The set the viewer was left with stays; only this page shows, without paging.
    QCOMPARE(pageset, u"key rivers 2"_s);
    QVERIFY(!viewer->Label1->visible() && !viewer->label3[2]->visible());
    QCOMPARE(pictureOf(viewer->Image2), u"wmf2\\acknowledgments.wmf"_s);
    // Until the first tick the logo boxes stay hidden.
    QCOMPARE(logoframe, 0);
    QVERIFY(!viewer->Picture1->visible());
    QVERIFY(!viewer->Picture2->visible());

    // Frames 1 to 19, then 0, each under its four-digit name.
    for (int expected : { 1, 2, 10, 19, 0 }) {
        tick(viewer, expected ? expected - logoframe : 1);
        QCOMPARE(viewer->Picture1->picture().sourcePath(),
                 u"logo\\corv%1.gif"_s.arg(expected, 4, 10, QChar(u'0')));
    }
    QVERIFY(viewer->Picture1->visible() && viewer->Picture2->visible());
    verifyControlsAbovePage(viewer);
    QVERIFY(!TestUtil::grabScreenshot(viewer, u"teacher-acknowledgments"_s).isEmpty());

    // Closed about frame 10 and opened again, the logo goes on from there.
    tick(viewer, (30 - logoframe) % 20);
    const int left = logoframe;
    TestUtil::click(viewer->label3[1]);
    TestUtil::processEvents();
    openFrom(u"menu"_s, 19);
    teacher->Timer1->setInterval(0);
    tick(teacher.get());
    QVERIFY2(logoframe > left && logoframe < left + 5, qPrintable(QString::number(logoframe)));
    QCOMPARE(teacher->Picture1->picture().sourcePath(),
             u"logo\\corv%1.gif"_s.arg(logoframe, 4, 10, QChar(u'0')));
}

void TestPageViewer::printPrintsThePrintCopyOfTheCurrentPage()
{
    openFrom(u"menu"_s, 10);
    PageViewer *viewer = teacher.get();
    TestUtil::click(viewer->label3[2]);
    s->sound.clear();
    const QSizeF natural = Picture::load(u"wmf2\\introductionb.wmf"_s).sizeTwips();
    QVERIFY(!natural.isEmpty());

    // Printing prints the print copy and moves nothing.
    TestUtil::click(viewer->label3[0]);
    const QList<PrinterCall> pictures = printer->calls(PrinterCall::Kind::PaintPicture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures[0].text, u"wmf2\\introductionb.wmf"_s);
    QCOMPARE(pictures[0].target, QRectF(QPointF(1000, 1000), natural));
    QCOMPARE(printer->documentsEnded(), 1);
    verifyPage(viewer, u"introductionb.wmf"_s, u"Page 2 of 2"_s, false, true);
    QVERIFY(s->sound.played().isEmpty());
}

void TestPageViewer::guidePagesOneToNineAndBack()
{
    pagenum = 5;
    openGuide();
    GuideViewer *viewer = guide.get();
    verifyGuidePage(viewer, 1);
    QVERIFY(intro0->isVisible());
    QCOMPARE(s->sound.played(), QStringList { u"wav\\click.wav"_s });
    s->sound.clear();

    for (int page = 2; page <= 9; ++page) {
        TestUtil::click(viewer->label3[2]);
        verifyGuidePage(viewer, page);
        if (page == 2 || page == 5)
            QVERIFY(!TestUtil::grabScreenshot(viewer, u"guide-page-%1"_s.arg(page)).isEmpty());
    }
    TestUtil::click(viewer->label3[2]);
    verifyGuidePage(viewer, 9);

    for (int page = 8; page >= 1; --page) {
        TestUtil::click(viewer->label3[3]);
        verifyGuidePage(viewer, page);
    }
    TestUtil::click(viewer->label3[3]);
    verifyGuidePage(viewer, 1);
    QVERIFY(s->sound.played().isEmpty());
}

void TestPageViewer::guidePrintsTheTextPagesOnly()
{
    openGuide();
    GuideViewer *viewer = guide.get();
    TestUtil::click(viewer->label3[2]);
    const QSizeF natural = Picture::load(u"wmf2\\guide2.wmf"_s).sizeTwips();

    printer->clear();
    TestUtil::click(viewer->label3[0]);
    QCOMPARE(printer->calls(PrinterCall::Kind::PaintPicture).value(0).target,
             QRectF(QPointF(1000, 1000), natural));
    TestUtil::click(viewer->label3[2]);
    TestUtil::click(viewer->label3[0]);
    QCOMPARE(printer->documentsEnded(), 2);
    QCOMPARE(printer->calls(PrinterCall::Kind::PaintPicture).last().text, u"wmf2\\guide3.wmf"_s);

    // The answer pages cannot be printed.
    TestUtil::click(viewer->label3[2]);
    printer->clear();
    TestUtil::click(viewer->label3[0]);
    QVERIFY(printer->calls().isEmpty());
    verifyGuidePage(viewer, 4);
    QVERIFY(s->sound.played().size() == 1);
}

QTEST_MAIN(TestPageViewer)
#include "tst_pageviewer.moc"
