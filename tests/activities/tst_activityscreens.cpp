#include "testutil.h"

#include "activityscreen.h"
#include "module1.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "wronganswersscreen.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString thud = u"wav\\thud3.wav"_s;
const QString click = u"wav\\click.wav"_s;

// Calls f with the slot behind a screen name.
template<typename F> auto withSlot(const QString &name, F f)
{
    if (name == u"rivers1lab")
        return f(rivers1lab);
    if (name == u"rivers2lab")
        return f(rivers2lab);
    if (name == u"rivers1ord")
        return f(rivers1ord);
    return f(rivers2ord);
}

// The screen, loading it on first touch as the program does.
ActivityScreen *screen(const QString &name)
{
    return withSlot(name, [](auto &slot) -> ActivityScreen * { return slot.get(); });
}

bool isLoaded(const QString &name)
{
    return withSlot(name, [](auto &slot) { return slot.isLoaded(); });
}

QPointF centreOf(QWidget *control)
{
    return Twips::fromPixels(QPointF(control->geometry().center()));
}

// Presses a button on the word's centre, moves the pointer to `to` (form twips) in a few
// steps, the first one large, and releases the button there.
void dragWord(ActivityScreen *form, int index, QPointF to, Qt::MouseButton button = Qt::LeftButton,
              int steps = 5)
{
    const QPointF from = centreOf(form->Label2[index]);
    TestUtil::mousePress(form, from.x(), from.y(), button);
    for (int step = 1; step <= steps; ++step) {
        const QPointF at = from + (to - from) * step / steps;
        TestUtil::mouseMove(form, at.x(), at.y());
    }
    TestUtil::mouseRelease(form, to.x(), to.y(), button);
}

// Exact comparison, as the activity itself compares positions.
bool onCorner(const Label *word, const Label *target)
{
    return word->left() == target->left() && word->top() == target->top();
}

bool wordOnItsStartSlot(ActivityScreen *form, int i)
{
    const TwipsRect &slot = form->activity().slot(i);
    return onCorner(form->Label2[i], form->Label4[i]) && form->Label2[i]->left() == slot.left
        && form->Label2[i]->top() == slot.top;
}

void unloadEverything()
{
    rivers1lab.unload();
    rivers2lab.unload();
    rivers1ord.unload();
    rivers2ord.unload();
    Welldone.unload();
    Wrong.unload();
    TestUtil::processEvents();
}

} // namespace

class TestActivityScreens final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void init();
    void cleanup();

    void loadPlayScoreExitAndReopen_data();
    void loadPlayScoreExitAndReopen();
    void wrongBoxesScoreZeroAndAdviseTheKeyFacts();
    void snappedWordKeepsTheBoxsExactTwips();
    void wordFollowsAFastPointerOffTheWord();
    void onlyTheLeftButtonAloneDrags();
    void startAgainBringsWordsBackFromOffScreen();
    void buttonsLightUnderThePointerAndGoOutOverTheBareForm();
    void missingPicturesAndSoundOffStillPlay();

private:
    std::unique_ptr<RecordingSoundPlayer> m_sounds;
};

void TestActivityScreens::init()
{
    m_sounds = std::make_unique<RecordingSoundPlayer>();
    soundon = 1;
    score = 0;
    outof = 0;
}

void TestActivityScreens::cleanup()
{
    unloadEverything();
    m_sounds.reset();
}

void TestActivityScreens::loadPlayScoreExitAndReopen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("opaqueBoxes");
    QTest::newRow("rivers1lab") << u"rivers1lab"_s << 4 << u"Rivers 1: Drainage Basins"_s << false;
    // Only the topic menu gives rivers2lab its title.
    QTest::newRow("rivers2lab") << u"rivers2lab"_s << 5 << QString() << true;
    QTest::newRow("rivers1ord") << u"rivers1ord"_s << 4 << u"Rivers 1: Drainage Basins"_s << false;
    QTest::newRow("rivers2ord") << u"rivers2ord"_s << 6 << u"Rivers 2: Landforms"_s << false;
}

void TestActivityScreens::loadPlayScoreExitAndReopen()
{
    QFETCH(QString, name);
    QFETCH(int, n);
    QFETCH(QString, title);
    QFETCH(bool, opaqueBoxes);

    ActivityScreen *form = screen(name);
    QCOMPARE(outof, n);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

    QCOMPARE(form->Label6->caption(), title);
    QCOMPARE(form->Label2.count(), n);
    QVERIFY(form->label3[0]->visible());
    QVERIFY(form->label3[1]->visible());
    QVERIFY(!form->label3[2]->visible());
    for (int i = 0; i < n; ++i) {
        QCOMPARE(form->Label2[i]->caption(), form->definition().boxes[i].word.toString());
        QVERIFY(wordOnItsStartSlot(form, i));
        QCOMPARE(form->Label1[i]->backStyle(),
                 opaqueBoxes ? BackStyle::Opaque : BackStyle::Transparent);
    }
    for (const PictureDef &picture : form->definition().pictures)
        QVERIFY2(!form->Image1[picture.index]->picture().isNull(),
                 qPrintable(picture.file.toString()));

    // Pictures lowest, words highest: the last children are drawn on top.
    QList<QWidget *> order;
    for (QObject *child : form->children())
        if (auto *widget = qobject_cast<QWidget *>(child))
            order << widget;
    QCOMPARE(order.indexOf(form->Label2[0]), order.size() - n);
    for (const auto &[index, image] : form->Image1)
        QVERIFY(order.indexOf(image) < order.indexOf(form->Label6));
    QVERIFY(m_sounds->played().isEmpty());
    TestUtil::grabScreenshot(form, name + u"-load"_s);

    // Every word into its own box, each with a thud; Check Score after the last one.
    for (int i = 0; i < n; ++i) {
        QVERIFY(!form->label3[2]->visible());
        m_sounds->clear();
        dragWord(form, i, centreOf(form->Label1[i]));
        QVERIFY2(onCorner(form->Label2[i], form->Label1[i]),
                 qPrintable(form->Label2[i]->caption()));
        QCOMPARE(m_sounds->played(), QStringList { thud });
    }
    QVERIFY(form->label3[2]->visible());
    TestUtil::grabScreenshot(form, name + u"-placed"_s);

    m_sounds->clear();
    TestUtil::click(form->label3[2]);
    QVERIFY(Welldone->isVisible());
    QCOMPARE(score, n);
    QCOMPARE(outof, n);
    QCOMPARE(Welldone->Label1->caption(),
             u"Excellent work. You have scored %1 out of %1."_s.arg(n));
    QVERIFY(Welldone->label3[0]->visible());
    QCOMPARE(m_sounds->played().value(0), click);

    // The activity stays unchanged beneath the results.
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(form->label3[2]->visible());
    for (int i = 0; i < n; ++i)
        QVERIFY(onCorner(form->Label2[i], form->Label1[i]));

    // Exit, then reopen: the design state again.
    m_sounds->clear();
    TestUtil::click(form->label3[0]);
    QCOMPARE(score, 0);
    QCOMPARE(m_sounds->played(), QStringList { click });
    TestUtil::processEvents();
    QVERIFY(!isLoaded(name));
    outof = 10;
    form = screen(name);
    QCOMPARE(outof, n);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(!form->label3[2]->visible());
    for (int i = 0; i < n; ++i)
        QVERIFY(wordOnItsStartSlot(form, i));
}

void TestActivityScreens::wrongBoxesScoreZeroAndAdviseTheKeyFacts()
{
    ActivityScreen *form = screen(u"rivers2ord"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    // Two words on one box and another box empty still count as all placed.
    for (int i = 0; i < 6; ++i) {
        const int box = i == 5 ? 1 : (i + 1) % 6;
        dragWord(form, i, centreOf(form->Label1[box]));
    }
    QVERIFY(onCorner(form->Label2[5], form->Label1[1]));
    QVERIFY(onCorner(form->Label2[0], form->Label1[1]));
    QVERIFY(form->label3[2]->visible());
    TestUtil::click(form->label3[2]);
    QCOMPARE(score, 0);
    QCOMPARE(Welldone->Label1->caption(), u"You have scored 0 out of 6.");
    QVERIFY(Welldone->Label6->visible());
    QVERIFY(!Welldone->label3[0]->visible());
    QVERIFY(!Welldone->Label5->visible());
}

void TestActivityScreens::snappedWordKeepsTheBoxsExactTwips()
{
    // Dropped anywhere in the zone, from any pixel, the word lies exactly on the box: the
    // same twips in the engine and the control, and the same pixels on screen.
    ActivityScreen *form = screen(u"rivers1ord"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QPointF offsets[] = { { -700, -100 }, { 400, 150 }, { 13, 7 }, { -8, 180 } };
    for (int i = 0; i < 4; ++i) {
        const QPointF to = centreOf(form->Label1[i]) + offsets[i];
        dragWord(form, i, to);
        QCOMPARE(form->Label2[i]->left(), double(form->activity().box(i).left));
        QCOMPARE(form->Label2[i]->top(), double(form->activity().box(i).top));
        QCOMPARE(form->Label2[i]->geometry().topLeft(), form->Label1[i]->geometry().topLeft());
    }
    QVERIFY(form->label3[2]->visible());
    TestUtil::click(form->label3[2]);
    QCOMPARE(score, 4);
}

void TestActivityScreens::wordFollowsAFastPointerOffTheWord()
{
    ActivityScreen *form = screen(u"rivers1lab"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    Label *word = form->Label2[2];
    const QPointF from = centreOf(word);
    TestUtil::mousePress(form, from.x(), from.y());
    // One jump far beyond the word: the word still gets the move and centres on the pointer.
    const QPointF targets[] = { { 600, 600 }, { 11010, 8505 }, { 6000, 4500 } };
    for (const QPointF &at : targets) {
        TestUtil::mouseMove(form, at.x(), at.y());
        const QPointF centre(word->left() + word->width() / 2, word->top() + word->height() / 2);
        QCOMPARE(centre, at);
    }
    m_sounds->clear();
    TestUtil::mouseRelease(form, 6000, 4500);
    // Released away from every zone: it stays there, with no thud.
    QCOMPARE(word->left(), 6000 - 937.5);
    QVERIFY(m_sounds->played().isEmpty());
}

void TestActivityScreens::onlyTheLeftButtonAloneDrags()
{
    ActivityScreen *form = screen(u"rivers2lab"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

    dragWord(form, 0, centreOf(form->Label1[0]), Qt::RightButton);
    QVERIFY(wordOnItsStartSlot(form, 0));
    // The release still resolves a drop: the word snaps onto its own slot again.
    QCOMPARE(m_sounds->played(), QStringList { thud });

    // Left and right held together: no drag either.
    Label *word = form->Label2[1];
    const QPointF from = centreOf(word);
    TestUtil::mousePress(form, from.x(), from.y(), Qt::LeftButton);
    TestUtil::mousePress(form, from.x(), from.y(), Qt::RightButton);
    TestUtil::mouseMove(form, 6000, 3000);
    QVERIFY(wordOnItsStartSlot(form, 1));
    TestUtil::mouseRelease(form, 6000, 3000, Qt::RightButton);
    TestUtil::mouseRelease(form, 6000, 3000, Qt::LeftButton);
    QVERIFY(wordOnItsStartSlot(form, 1));
}

void TestActivityScreens::startAgainBringsWordsBackFromOffScreen()
{
    ActivityScreen *form = screen(u"rivers1lab"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 4; ++i)
        dragWord(form, i, centreOf(form->Label1[i]));
    QVERIFY(form->label3[2]->visible());
    dragWord(form, 0, QPointF(-6000, -3000));
    dragWord(form, 1, QPointF(20000, 14000));
    QVERIFY(form->Label2[0]->left() < -6000);
    QVERIFY(form->Label2[1]->top() > 12000);
    // Dragging words out of their boxes never hides Check Score.
    QVERIFY(form->label3[2]->visible());

    score = 3;
    m_sounds->clear();
    TestUtil::click(form->label3[1]);
    QCOMPARE(score, 0);
    for (int i = 0; i < 4; ++i)
        QVERIFY(wordOnItsStartSlot(form, i));
    QVERIFY(!form->label3[2]->visible());
    QCOMPARE(m_sounds->played(), QStringList { click });
}

void TestActivityScreens::buttonsLightUnderThePointerAndGoOutOverTheBareForm()
{
    ActivityScreen *form = screen(u"rivers2ord"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(form->label3[i]->backStyle(), BackStyle::Opaque);

    // Over the bare background between the headings and the pictures.
    TestUtil::mouseMove(form, 3900, 2000);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(form->label3[i]->backStyle(), BackStyle::Transparent);

    TestUtil::mouseMove(form->label3[1]);
    QCOMPARE(form->label3[1]->backStyle(), BackStyle::Opaque);
    // From the button straight onto a picture: it stays lit.
    TestUtil::mouseMove(form, 2000, 5000);
    QCOMPARE(form->label3[1]->backStyle(), BackStyle::Opaque);
    TestUtil::mouseMove(form, 3900, 2000);
    QCOMPARE(form->label3[1]->backStyle(), BackStyle::Transparent);
    // Hovering makes no sound.
    QVERIFY(m_sounds->played().isEmpty());
}

void TestActivityScreens::missingPicturesAndSoundOffStillPlay()
{
    TestUtil::TemporaryMedia emptyMedia;
    soundon = 0;
    ActivityScreen *form = screen(u"rivers2ord"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (const auto &[index, image] : form->Image1) {
        QVERIFY(image->picture().isNull());
        QCOMPARE(image->width(), 3600.0);
    }
    for (int i = 0; i < 6; ++i)
        dragWord(form, i, centreOf(form->Label1[i]));
    QVERIFY(form->label3[2]->visible());
    TestUtil::grabScreenshot(form, u"rivers2ord-nopictures"_s);
    TestUtil::click(form->label3[1]);
    QVERIFY(!form->label3[2]->visible());
    QVERIFY(m_sounds->played().isEmpty());
}

QTEST_MAIN(TestActivityScreens)
#include "tst_activityscreens.moc"
