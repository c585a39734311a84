#include "viewertestsupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What a page of the guide shows once it is reached from its neighbour.
struct PageState
{
    const char16_t *title;
    const char16_t *pageFile; // nullptr: no page picture
    const char16_t *background; // nullptr: no background picture
};

constexpr PageState pageStates[GuideViewer::pageCount] = {
    { u"", u"guide1.wmf", nullptr },
    { u"", u"guide2.wmf", nullptr },
    { u"", u"guide3.wmf", nullptr },
    { u"The Water Cycle", nullptr, u"Images\\cycleanswer.jpg" },
    { u"Rivers 1: Drainage Basins", nullptr, u"Images\\drainageanswer.jpg" },
    { u"Rivers 1: Drainage Basins", nullptr, u"Images\\rivers1answer.jpg" },
    { u"Rivers 2: Landforms", nullptr, u"Images\\landformsanswer.jpg" },
    { u"Irrigation", nullptr, u"Images\\irrigationanswer.jpg" },
    { u"Water Supply 2", nullptr, u"Images\\supply2answer.jpg" },
};

void openGuide()
{
    QVERIFY(ViewerTest::showMainMenu());
    TestUtil::click(intro0->Label2[20]);
    QVERIFY(guide.isLoaded());
    QVERIFY(QTest::qWaitForWindowExposed(guide.get()));
}

void verifyPage(GuideViewer *viewer, int page)
{
    const PageState &state = pageStates[page - 1];
    QCOMPARE(pagenum, page);
    QCOMPARE(viewer->Label1->caption(), u"Page %1 of 9"_s.arg(page));
    QCOMPARE(viewer->Label2->caption(), QString::fromUtf16(state.title));
    if (state.pageFile) {
        QCOMPARE(viewer->Image1->picture().sourcePath(),
                 u"wmf\\"_s + QString::fromUtf16(state.pageFile));
        QCOMPARE(viewer->Image2->picture().sourcePath(),
                 u"wmf2\\"_s + QString::fromUtf16(state.pageFile));
        QVERIFY(viewer->Image1->picture().isMetafile());
    } else {
        QVERIFY(viewer->Image1->picture().isNull());
        QVERIFY(viewer->Image2->picture().isNull());
    }
    if (state.background) {
        QCOMPARE(viewer->picture().sourcePath(), QString::fromUtf16(state.background));
        QCOMPARE(viewer->picture().sizePixels(), QSize(800, 600));
    } else {
        QVERIFY(viewer->picture().isNull());
    }
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
    void initTestCase() { m_f.initTestCase(); }
    void init() { m_f.init(); }
    void cleanup() { m_f.cleanup(); }

    void pagesOneToNineAndBack();
    void reopeningStartsOnPageOneAfterLeavingOnPageSix();
    void printPrintsTheTextPagesOnly();
    void hoverOnTheFreeAreaPutsTheButtonsOutForGood();
    void missingPicturesLeaveThePagesEmpty();

private:
    ViewerTest::Fixture m_f;
};

void TestGuideViewer::pagesOneToNineAndBack()
{
    pagenum = 5;
    openGuide();
    GuideViewer *viewer = guide.get();
    verifyPage(viewer, 1);
    QVERIFY(intro0->isVisible());
    QCOMPARE(m_f.sound->played(), QStringList { u"wav\\click.wav"_s });
    m_f.sound->clear();

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
    QVERIFY(m_f.sound->played().isEmpty());
}

void TestGuideViewer::reopeningStartsOnPageOneAfterLeavingOnPageSix()
{
    openGuide();
    for (int i = 0; i < 5; ++i)
        TestUtil::click(guide->label3[2]);
    verifyPage(guide.get(), 6);

    TestUtil::click(guide->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!guide.isLoaded());
    QCOMPARE(pagenum, 6);

    openGuide();
    verifyPage(guide.get(), 1);
    for (const auto &[index, button] : guide->label3)
        QCOMPARE(button->backStyle(), BackStyle::Opaque);
}

void TestGuideViewer::printPrintsTheTextPagesOnly()
{
    openGuide();
    GuideViewer *viewer = guide.get();
    TestUtil::click(viewer->label3[2]);
    const QSizeF natural = Picture::load(u"wmf2\\guide2.wmf"_s).sizeTwips();

    for (int job = 1; job <= 2; ++job) {
        m_f.printer->clear();
        TestUtil::click(viewer->label3[0]);
        const QList<PrinterCall> calls = m_f.printer->calls();
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].kind, PrinterCall::Kind::Print);
        QCOMPARE(calls[0].text, QString());
        QCOMPARE(calls[1].kind, PrinterCall::Kind::PaintPicture);
        QCOMPARE(calls[1].text, u"wmf2\\guide2.wmf"_s);
        QCOMPARE(calls[1].target, QRectF(QPointF(1000, 1000), natural));
        QCOMPARE(calls[2].kind, PrinterCall::Kind::EndDoc);
        QCOMPARE(m_f.printer->documentsEnded(), job);
        verifyPage(viewer, 2);
    }

    TestUtil::click(viewer->label3[2]);
    TestUtil::click(viewer->label3[0]);
    QCOMPARE(m_f.printer->documentsEnded(), 3);
    QCOMPARE(m_f.printer->calls(PrinterCall::Kind::PaintPicture).last().text,
             u"wmf2\\guide3.wmf"_s);

    // The answer pages cannot be printed.
    TestUtil::click(viewer->label3[2]);
    m_f.printer->clear();
    TestUtil::click(viewer->label3[0]);
    QVERIFY(m_f.printer->calls().isEmpty());
    verifyPage(viewer, 4);
    QVERIFY(m_f.sound->played().size() == 1);
}

void TestGuideViewer::hoverOnTheFreeAreaPutsTheButtonsOutForGood()
{
    openGuide();
    GuideViewer *viewer = guide.get();
    const auto allButtons = [viewer](BackStyle style) {
        for (const auto &[index, button] : viewer->label3)
            if (button->backStyle() != style)
                return false;
        return true;
    };
    QVERIFY(allButtons(BackStyle::Opaque));

    // The page picture, the title and the buttons are not the free area.
    TestUtil::mouseMove(viewer->Image1);
    TestUtil::mouseMove(viewer->Label2);
    TestUtil::mouseMove(viewer->label3[2]);
    TestUtil::mouseMove(viewer->Label1);
    QVERIFY(allButtons(BackStyle::Opaque));

    // The strip right of the page, between Print and Exit, is.
    TestUtil::mouseMove(viewer, 11200, 4000);
    QVERIFY(allButtons(BackStyle::Transparent));

    TestUtil::mouseMove(viewer->label3[0]);
    TestUtil::mouseMove(viewer->label3[1]);
    TestUtil::click(viewer->label3[2]);
    TestUtil::mouseMove(viewer->label3[3]);
    QVERIFY(allButtons(BackStyle::Transparent));
    verifyPage(viewer, 2);
}

void TestGuideViewer::missingPicturesLeaveThePagesEmpty()
{
    for (const QString &file :
         { u"wmf/guide2.wmf"_s, u"wmf2/guide2.wmf"_s, u"images/drainageanswer.jpg"_s })
        QVERIFY(QFile::remove(m_f.media->path(file)));
    openGuide();
    GuideViewer *viewer = guide.get();
    TestUtil::click(viewer->label3[2]);
    QVERIFY(viewer->Image1->picture().isNull());
    QCOMPARE(viewer->Label1->caption(), u"Page 2 of 9"_s);
    m_f.printer->clear();
    TestUtil::click(viewer->label3[0]);
    QVERIFY(m_f.printer->calls().isEmpty());

    for (int i = 0; i < 3; ++i)
        TestUtil::click(viewer->label3[2]);
    QCOMPARE(viewer->Label2->caption(), u"Rivers 1: Drainage Basins"_s);
    QVERIFY(viewer->picture().isNull());
    TestUtil::click(viewer->label3[2]);
    QCOMPARE(viewer->picture().sourcePath(), u"Images\\rivers1answer.jpg"_s);
}

QTEST_MAIN(TestGuideViewer)
#include "tst_guideviewer.moc"
