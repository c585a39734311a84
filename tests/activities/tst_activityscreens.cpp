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

// The screen behind a slot name, loading it on first touch as the program does.
ActivityScreen *screen(const QString &name)
{
    if (name == u"rivers1lab")
        return rivers1lab.get();
    if (name == u"rivers2lab")
        return rivers2lab.get();
    if (name == u"rivers1ord")
        return rivers1ord.get();
    return rivers2ord.get();
}

bool isLoaded(const QString &name)
{
    if (name == u"rivers1lab")
        return rivers1lab.isLoaded();
    if (name == u"rivers2lab")
        return rivers2lab.isLoaded();
    if (name == u"rivers1ord")
        return rivers1ord.isLoaded();
    return rivers2ord.isLoaded();
}

const QStringList screenNames { u"rivers1lab"_s, u"rivers2lab"_s, u"rivers1ord"_s,
                                u"rivers2ord"_s };

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
    void initTestCase();
    void init();
    void cleanup();

    void loadShowsTheDesignState_data();
    void loadShowsTheDesignState();
    void everyWordInItsOwnBoxScoresFullMarks_data();
    void everyWordInItsOwnBoxScoresFullMarks();
    void wrongBoxesScoreZeroAndAdviseTheKeyFacts();
    void snappedWordKeepsTheBoxsExactTwips();
    void wordFollowsAFastPointerOffTheWord();
    void onlyTheLeftButtonAloneDrags();
    void releaseOnZoneEdgeLeavesTheWordThere();
    void startAgainBringsWordsBackFromOffScreen();
    void exitAndReopenStartsFromTheDesignState_data();
    void exitAndReopenStartsFromTheDesignState();
    void checkScoreCountsThisActivityAfterTheQuizChangedOutof();
    void buttonsLightUnderThePointerAndGoOutOverTheBareForm();
    void soundOffPlaysNothing();
    void missingPicturesStillPlay();

private:
    std::unique_ptr<RecordingSoundPlayer> m_sounds;
};

void TestActivityScreens::initTestCase()
{
    TestUtil::initialise();
}

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

void TestActivityScreens::loadShowsTheDesignState_data()
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

void TestActivityScreens::loadShowsTheDesignState()
{
    QFETCH(QString, name);
    QFETCH(int, n);
    QFETCH(QString, title);
    QFETCH(bool, opaqueBoxes);

    ActivityScreen *form = screen(name);
    QCOMPARE(outof, n);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

    QCOMPARE(form->caption(), u"Ondel");
    QCOMPARE(form->backColor(), QColor(0, 78, 152));
    QCOMPARE(form->Label6->caption(), title);
    QCOMPARE(form->Label9->caption(), u"Drag the labels into the correct boxes.");
    QCOMPARE(form->Label2.count(), n);
    QCOMPARE(form->label3[0]->caption(), u"Exit");
    QCOMPARE(form->label3[1]->caption(), u"Start Again");
    QCOMPARE(form->label3[2]->caption(), u"Check Score");
    QVERIFY(form->label3[0]->visible());
    QVERIFY(form->label3[1]->visible());
    QVERIFY(!form->label3[2]->visible());
    for (int i = 0; i < n; ++i) {
        const BoxDef &box = form->definition().boxes[i];
        QCOMPARE(form->Label2[i]->caption(), box.word.toString());
        QVERIFY(form->Label2[i]->visible());
        QVERIFY(wordOnItsStartSlot(form, i));
        QCOMPARE(form->Label4[i]->width(), form->Label2[i]->width());
        QCOMPARE(form->Label4[i]->height(), 375.0);
        QCOMPARE(form->Label1[i]->caption(), QString());
        QCOMPARE(form->Label1[i]->left(), double(box.boxLeft));
        QCOMPARE(form->Label1[i]->top(), double(box.boxTop));
        QCOMPARE(form->Label1[i]->backStyle(),
                 opaqueBoxes ? BackStyle::Opaque : BackStyle::Transparent);
        if (opaqueBoxes)
            QCOMPARE(form->Label1[i]->backColor(), QColor(0, 0, 255));
    }
    for (const PictureDef &picture : form->definition().pictures) {
        ImageBox *image = form->Image1[picture.index];
        QVERIFY2(!image->picture().isNull(), qPrintable(picture.file.toString()));
        QCOMPARE(image->left(), double(picture.rect.left));
        QCOMPARE(image->top(), double(picture.rect.top));
        QCOMPARE(image->width(), double(picture.rect.width));
        QCOMPARE(image->height(), double(picture.rect.height));
    }

    for (const TextDef &text : form->definition().texts) {
        const auto named = form->findChildren<Label *>(text.name.toString());
        const auto it = std::find_if(named.begin(), named.end(), [&](Label *label) {
            return label->caption() == text.caption;
        });
        QVERIFY2(it != named.end(), qPrintable(text.caption.toString()));
        QCOMPARE((*it)->left(), double(text.rect.left));
        QCOMPARE((*it)->top(), double(text.rect.top));
        QCOMPARE((*it)->backStyle(), BackStyle::Transparent);
    }
    for (const LineDef &def : form->definition().lines) {
        auto *line = form->findChild<Line *>(def.name.toString());
        QVERIFY(line);
        QCOMPARE(QLineF(line->x1(), line->y1(), line->x2(), line->y2()),
                 QLineF(def.x1, def.y1, def.x2, def.y2));
        QCOMPARE(line->color(), QColor(255, 255, 0));
        QCOMPARE(line->borderWidth(), 3);
    }

    // Pictures lowest, words highest: the last children are drawn on top.
    const QObjectList children = form->children();
    QList<QWidget *> order;
    for (QObject *child : children)
        if (auto *widget = qobject_cast<QWidget *>(child))
            order << widget;
    const qsizetype firstWord = order.indexOf(form->Label2[0]);
    QCOMPARE(firstWord, order.size() - n);
    for (const auto &[index, image] : form->Image1)
        QVERIFY(order.indexOf(image) < order.indexOf(form->Label6));
    QVERIFY(m_sounds->played().isEmpty());

    TestUtil::grabScreenshot(form, name + u"-load"_s);
}

void TestActivityScreens::everyWordInItsOwnBoxScoresFullMarks_data()
{
    loadShowsTheDesignState_data();
}

void TestActivityScreens::everyWordInItsOwnBoxScoresFullMarks()
{
    QFETCH(QString, name);
    QFETCH(int, n);

    ActivityScreen *form = screen(name);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

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
    QVERIFY(Welldone.isLoaded());
    QVERIFY(Welldone->isVisible());
    QCOMPARE(score, n);
    QCOMPARE(outof, n);
    QCOMPARE(Welldone->Label1->caption(),
             u"Excellent work. You have scored %1 out of %1."_s.arg(n));
    QVERIFY(Welldone->label3[0]->visible());
    QCOMPARE(Welldone->label3[0]->caption(), u"Print Certificate");
    QVERIFY(!Welldone->Label6->visible());
    QCOMPARE(m_sounds->played().value(0), click);

    // The activity stays loaded and unchanged beneath the results.
    TestUtil::click(Welldone->label3[1]);
    TestUtil::processEvents();
    QVERIFY(!Welldone.isLoaded());
    QVERIFY(isLoaded(name));
    QVERIFY(form->label3[2]->visible());
    for (int i = 0; i < n; ++i)
        QVERIFY(onCorner(form->Label2[i], form->Label1[i]));
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
    // Released over the diagram, away from every zone: it stays there, with no thud.
    QCOMPARE(word->left(), 6000 - 937.5);
    QCOMPARE(word->top(), 4500 - 187.5);
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

    // Moving the pointer over a word with no button held moves nothing.
    TestUtil::mouseMove(form->Label2[2]);
    TestUtil::mouseMove(form, centreOf(form->Label2[2]).x() + 30, centreOf(form->Label2[2]).y());
    QVERIFY(wordOnItsStartSlot(form, 2));
}

void TestActivityScreens::releaseOnZoneEdgeLeavesTheWordThere()
{
    // Word 0 of rivers1lab dragged so its corner lies exactly on the right edge of box 3's
    // zone (420 + 1875): pointer at corner + half the word.
    ActivityScreen *form = screen(u"rivers1lab"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QPointF edge(420 + 1875 + 937.5, 2000 + 187.5);
    // The pointer moves in whole pixels; 3232.5 is not one, so aim at the nearest pixels on
    // each side and check the engine's verdict matches the zone.
    dragWord(form, 0, QPointF(edge.x() + 7.5, edge.y()));
    QCOMPARE(form->Label2[0]->left(), 420.0 + 1875 + 7.5);
    QVERIFY(m_sounds->played().isEmpty());
    dragWord(form, 0, QPointF(edge.x() - 7.5, edge.y()));
    QVERIFY(onCorner(form->Label2[0], form->Label1[3]));
    QCOMPARE(m_sounds->played(), QStringList { thud });
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

void TestActivityScreens::exitAndReopenStartsFromTheDesignState_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : screenNames)
        QTest::newRow(name.toUtf8()) << name;
}

void TestActivityScreens::exitAndReopenStartsFromTheDesignState()
{
    QFETCH(QString, name);
    ActivityScreen *form = screen(name);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const int n = form->activity().count();
    for (int i = 0; i < n; ++i)
        dragWord(form, i, centreOf(form->Label1[i]));
    QVERIFY(form->label3[2]->visible());

    m_sounds->clear();
    score = 7;
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
    for (int i = 0; i < n; ++i) {
        QVERIFY(wordOnItsStartSlot(form, i));
        QCOMPARE(form->Label1[i]->caption(), QString());
    }
}

void TestActivityScreens::checkScoreCountsThisActivityAfterTheQuizChangedOutof()
{
    // A topic menu loads rivers1ord without showing it; a quiz taken meanwhile sets outof to
    // 10. The activity must still reveal Check Score after its own four words and report
    // its own count.
    ActivityScreen *form = screen(u"rivers1ord"_s);
    QCOMPARE(outof, 4);
    outof = 10;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 4; ++i)
        dragWord(form, i, centreOf(form->Label1[i]));
    QVERIFY(form->label3[2]->visible());
    TestUtil::click(form->label3[2]);
    QCOMPARE(outof, 4);
    QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 4 out of 4.");
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
    QCOMPARE(form->label3[0]->backStyle(), BackStyle::Transparent);
    // From the button straight onto a picture: it stays lit.
    TestUtil::mouseMove(form, 2000, 5000);
    QCOMPARE(form->label3[1]->backStyle(), BackStyle::Opaque);
    TestUtil::mouseMove(form, 3900, 2000);
    QCOMPARE(form->label3[1]->backStyle(), BackStyle::Transparent);
    // Hovering makes no sound.
    QVERIFY(m_sounds->played().isEmpty());
}

void TestActivityScreens::soundOffPlaysNothing()
{
    soundon = 0;
    ActivityScreen *form = screen(u"rivers1lab"_s);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 4; ++i)
        dragWord(form, i, centreOf(form->Label1[i]));
    QVERIFY(form->label3[2]->visible());
    TestUtil::click(form->label3[1]);
    QVERIFY(!form->label3[2]->visible());
    QVERIFY(m_sounds->played().isEmpty());
}

void TestActivityScreens::missingPicturesStillPlay()
{
    TestUtil::TemporaryMedia emptyMedia;
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
    TestUtil::click(form->label3[2]);
    QCOMPARE(score, 6);
}

QTEST_MAIN(TestActivityScreens)
#include "tst_activityscreens.moc"
