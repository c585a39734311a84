#include "scene.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

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

void verifyPage(GuideViewer *viewer, int page)
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

class TestGuideViewer final : public QObject
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

    void pagesOneToNineAndBack();
    void printPrintsTheTextPagesOnly();

private:
    std::optional<Scene> s;
    std::optional<RecordingPrinter> printer;
};

void TestGuideViewer::pagesOneToNineAndBack()
{
    pagenum = 5;
    openGuide();
    GuideViewer *viewer = guide.get();
    verifyPage(viewer, 1);
    QVERIFY(intro0->isVisible());
    QCOMPARE(s->sound.played(), QStringList { u"wav\\click.wav"_s });
    s->sound.clear();

    for (int page = 2; page <= 9; ++page) {
        TestUtil::click(viewer->label3[2]);
        verifyPage(viewer, page);
        if (page == 2 || page == 5)
            QVERIFY(!TestUtil::grabScreenshot(viewer, u"guide-page-%1"_s.arg(page)).isEmpty());
    }
    TestUtil::click(viewer->label3[2]);
    verifyPage(viewer, 9);

    for (int page = 8; page >= 1; --page) {
        TestUtil::click(viewer->label3[3]);
        verifyPage(viewer, page);
    }
    TestUtil::click(viewer->label3[3]);
    verifyPage(viewer, 1);
    QVERIFY(s->sound.played().isEmpty());
}

void TestGuideViewer::printPrintsTheTextPagesOnly()
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
    verifyPage(viewer, 4);
    QVERIFY(s->sound.played().size() == 1);
}

QTEST_MAIN(TestGuideViewer)
#include "tst_guideviewer.moc"
