#include "activitydef.h"
#include "dragactivity.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const ActivityDef *)

namespace {

const ActivityDef *const allActivities[]
    = { &rivers1labDef, &rivers2labDef, &rivers1ordDef, &rivers2ordDef };

// Moves word index so that its top-left corner lies at (left, top), as one drag step with
// the pointer at the matching spot would.
void dragTo(DragActivity &activity, int index, float left, float top)
{
    const TwipsRect &word = activity.word(index);
    QVERIFY(activity.drag(index, 1, left - word.left + word.width / 2,
                          top - word.top + word.height / 2));
    QCOMPARE(activity.word(index).left, left);
    QCOMPARE(activity.word(index).top, top);
}

// Drags word index onto the corner of target and releases it there.
int dropOn(DragActivity &activity, int index, const TwipsRect &target)
{
    dragTo(activity, index, target.left, target.top);
    return activity.drop(index);
}

bool onCorner(const TwipsRect &word, const TwipsRect &target)
{
    return word.left == target.left && word.top == target.top;
}

} // namespace

class TestDragActivity final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contentIsAsDesigned();
    void loadPutsEveryWordOnItsStartSlot_data();
    void loadPutsEveryWordOnItsStartSlot();
    void dragCentresTheWordOnThePointerWithTheLeftButtonAlone();
    void dropOnZoneEdgeStaysOutside_data();
    void dropOnZoneEdgeStaysOutside();
    void dropJustInsideZoneSnapsToCorner_data();
    void dropJustInsideZoneSnapsToCorner();
    void startSlotOverlapGoesToLowerIndex();
    void releaseWithoutMovingSnapsAgain();
    void noTargetCornerLiesInAnotherTargetsZone_data();
    void noTargetCornerLiesInAnotherTargetsZone();
    void twoWordsOnOneBoxStillRevealCheckScore();
    void checkScoreAppearsOnlyWhenEveryWordLiesOnABox_data();
    void checkScoreAppearsOnlyWhenEveryWordLiesOnABox();
    void dragOutOfBoxNeverHidesCheckScore();
    void allRightScoresNAllWrongScoresZero_data();
    void allRightScoresNAllWrongScoresZero();
    void sourceCountsOnlyInItsOwnBox_data();
    void sourceCountsOnlyInItsOwnBox();
    void startAgainBringsWordsBackFromOffScreen();
};

void TestDragActivity::contentIsAsDesigned()
{
    QCOMPARE(rivers1labDef.count(), 4);
    QCOMPARE(rivers2labDef.count(), 5);
    QCOMPARE(rivers1ordDef.count(), 4);
    QCOMPARE(rivers2ordDef.count(), 6);
    QCOMPARE(rivers1ordDef.itemWidth, 2355.0f);
    QCOMPARE(rivers2labDef.boxStyle, BoxStyle::OpaqueBlue);
    for (const ActivityDef *def : { &rivers1labDef, &rivers1ordDef, &rivers2ordDef })
        QCOMPARE(def->boxStyle, BoxStyle::Transparent);
    QCOMPARE(rivers1ordDef.boxes[2].word, u"Source");
    QCOMPARE(rivers1ordDef.pictures[0].file, u"Images\\source.jpg");
    QCOMPARE(rivers2ordDef.boxes[3].word, u"source");
    QCOMPARE(rivers2ordDef.pictures[1].file, u"Images\\source2.jpg");

    // The rows of words read from left to right as the designs say.
    const auto rowOrder = [](const ActivityDef &def) {
        QList<std::pair<float, QString>> row;
        for (const BoxDef &box : def.boxes)
            row.append({ box.wordLeft, box.word.toString() });
        std::sort(row.begin(), row.end());
        QStringList words;
        for (const auto &entry : row)
            words << entry.second;
        return words.join(u", ");
    };
    QCOMPARE(rowOrder(rivers2labDef), u"upper course, source, lower course, middle course, mouth");
    QCOMPARE(rowOrder(rivers2ordDef),
             u"meander, flood plain, waterfall, embankment, source, estuary");
}

void TestDragActivity::loadPutsEveryWordOnItsStartSlot_data()
{
    QTest::addColumn<const ActivityDef *>("def");
    for (const ActivityDef *def : allActivities)
        QTest::newRow(def->screenName.toString().toUtf8()) << def;
}

void TestDragActivity::loadPutsEveryWordOnItsStartSlot()
{
    QFETCH(const ActivityDef *, def);
    const DragActivity activity(*def);
    QCOMPARE(activity.count(), def->count());
    for (int i = 0; i < activity.count(); ++i) {
        const BoxDef &box = def->boxes[i];
        QCOMPARE(activity.word(i), (TwipsRect { box.wordLeft, box.wordTop, def->itemWidth, 375 }));
        QCOMPARE(activity.slot(i), activity.word(i));
        QCOMPARE(activity.box(i), (TwipsRect { box.boxLeft, box.boxTop, def->itemWidth, 375 }));
    }
    QCOMPARE(activity.placedCount(), 0);
    QCOMPARE(activity.score(), 0);
    QVERIFY(!activity.checkScoreVisible());
}

void TestDragActivity::dragCentresTheWordOnThePointerWithTheLeftButtonAlone()
{
    DragActivity activity(rivers1labDef);
    // Word 0 starts at 1800, 7320 and is 1875 x 375: the pointer at 10, 20 inside it puts
    // its centre there.
    QVERIFY(activity.drag(0, 1, 10, 20));
    QCOMPARE(activity.word(0).left, 1800.0f + 10 - 937.5f);
    QCOMPARE(activity.word(0).top, 7320.0f + 20 - 187.5f);

    for (int button : { 0, 2, 3, 4, 5 }) {
        const TwipsRect before = activity.word(0);
        QVERIFY(!activity.drag(0, button, 3000, 3000));
        QCOMPARE(activity.word(0), before);
    }

    // Nothing bounds a drag: far off the screen is fine.
    dragTo(activity, 1, -50000, 90000);
}

void TestDragActivity::dropOnZoneEdgeStaysOutside_data()
{
    // rivers1lab's box 3 (watershed) at 420, 1920, 1875 x 375: its zone runs from
    // 420 - 937.5 to 420 + 1875 across and from 1920 - 187.5 to 1920 + 375 down, and no
    // other zone is near any of its edges.
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("left edge") << 420.0f - 937.5f << 2000.0f;
    QTest::newRow("right edge") << 420.0f + 1875 << 2000.0f;
    QTest::newRow("top edge") << 1000.0f << 1920.0f - 187.5f;
    QTest::newRow("bottom edge") << 1000.0f << 1920.0f + 375;
    QTest::newRow("top-left corner") << 420.0f - 937.5f << 1920.0f - 187.5f;
}

void TestDragActivity::dropOnZoneEdgeStaysOutside()
{
    QFETCH(float, left);
    QFETCH(float, top);
    DragActivity activity(rivers1labDef);
    dragTo(activity, 0, left, top);
    QCOMPARE(activity.drop(0), 0);
    QCOMPARE(activity.word(0).left, left);
    QCOMPARE(activity.word(0).top, top);
    QVERIFY(!DragActivity::inZone(activity.box(3), left, top));
}

void TestDragActivity::dropJustInsideZoneSnapsToCorner_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("past left edge") << 420.0f - 937.5f + 0.5f << 2000.0f;
    QTest::newRow("before right edge") << 420.0f + 1875 - 0.5f << 2000.0f;
    QTest::newRow("below top edge") << 1000.0f << 1920.0f - 187.5f + 0.5f;
    QTest::newRow("above bottom edge") << 1000.0f << 1920.0f + 375 - 0.5f;
    QTest::newRow("on the corner") << 420.0f << 1920.0f;
}

void TestDragActivity::dropJustInsideZoneSnapsToCorner()
{
    QFETCH(float, left);
    QFETCH(float, top);
    DragActivity activity(rivers1labDef);
    dragTo(activity, 0, left, top);
    QCOMPARE(activity.drop(0), 1);
    QCOMPARE(activity.word(0), (TwipsRect { 420, 1920, 1875, 375 }));
    QCOMPARE(activity.placedCount(), 1);
    QCOMPARE(activity.score(), 0);
}

void TestDragActivity::startSlotOverlapGoesToLowerIndex()
{
    // rivers2ord's slot 5 (meander, 240) and slot 0 (flood plain, 2160) are neighbours, 1875
    // wide: a corner at 2000 lies in the zone of slot 5 (up to 2115) and of slot 0 (from
    // 1222.5).
    DragActivity activity(rivers2ordDef);
    QVERIFY(DragActivity::inZone(activity.slot(5), 2000, 7500));
    QVERIFY(DragActivity::inZone(activity.slot(0), 2000, 7500));
    dragTo(activity, 4, 2000, 7500);
    QCOMPARE(activity.drop(4), 1);
    QVERIFY(onCorner(activity.word(4), activity.slot(0)));

    // The same with rivers1lab's slots 0 (1800) and 1 (3960), 1875 wide, for word 1.
    DragActivity labelling(rivers1labDef);
    dragTo(labelling, 1, 3600, 7320);
    QCOMPARE(labelling.drop(1), 1);
    QVERIFY(onCorner(labelling.word(1), labelling.slot(0)));
}

void TestDragActivity::releaseWithoutMovingSnapsAgain()
{
    for (const ActivityDef *def : allActivities) {
        DragActivity activity(*def);
        for (int i = 0; i < activity.count(); ++i) {
            QCOMPARE(activity.drop(i), 1);
            QVERIFY(onCorner(activity.word(i), activity.slot(i)));
            QCOMPARE(dropOn(activity, i, activity.box(i)), 1);
            QCOMPARE(activity.drop(i), 1);
            QVERIFY(onCorner(activity.word(i), activity.box(i)));
        }
    }
}

void TestDragActivity::noTargetCornerLiesInAnotherTargetsZone_data()
{
    loadPutsEveryWordOnItsStartSlot_data();
}

void TestDragActivity::noTargetCornerLiesInAnotherTargetsZone()
{
    // What makes a snapped word stay on the first target it hits: the layouts never chain.
    QFETCH(const ActivityDef *, def);
    const DragActivity activity(*def);
    QList<TwipsRect> targets;
    for (int i = 0; i < activity.count(); ++i)
        targets << activity.box(i) << activity.slot(i);
    for (const TwipsRect &a : targets)
        for (const TwipsRect &b : targets)
            if (!(a == b))
                QVERIFY(!DragActivity::inZone(b, a.left, a.top));
}

void TestDragActivity::twoWordsOnOneBoxStillRevealCheckScore()
{
    DragActivity activity(rivers1labDef);
    QCOMPARE(dropOn(activity, 0, activity.box(0)), 1);
    QCOMPARE(dropOn(activity, 1, activity.box(0)), 1);
    QCOMPARE(dropOn(activity, 2, activity.box(2)), 1);
    QVERIFY(!activity.checkScoreVisible());
    QCOMPARE(dropOn(activity, 3, activity.box(3)), 1);
    QCOMPARE(activity.placedCount(), 4);
    QVERIFY(activity.checkScoreVisible());
    QVERIFY(onCorner(activity.word(1), activity.box(0)));
    QCOMPARE(activity.score(), 3);
}

void TestDragActivity::checkScoreAppearsOnlyWhenEveryWordLiesOnABox_data()
{
    loadPutsEveryWordOnItsStartSlot_data();
}

void TestDragActivity::checkScoreAppearsOnlyWhenEveryWordLiesOnABox()
{
    QFETCH(const ActivityDef *, def);
    DragActivity activity(*def);
    for (int i = 0; i < activity.count(); ++i) {
        QVERIFY(!activity.checkScoreVisible());
        QCOMPARE(dropOn(activity, i, activity.box(i)), 1);
        QCOMPARE(activity.placedCount(), i + 1);
    }
    QVERIFY(activity.checkScoreVisible());
}

void TestDragActivity::dragOutOfBoxNeverHidesCheckScore()
{
    DragActivity activity(rivers1ordDef);
    for (int i = 0; i < activity.count(); ++i)
        dropOn(activity, i, activity.box(i));
    QVERIFY(activity.checkScoreVisible());
    QCOMPARE(dropOn(activity, 2, activity.slot(2)), 1);
    dragTo(activity, 0, 20000, -3000);
    QCOMPARE(activity.drop(0), 0);
    QCOMPARE(activity.placedCount(), 2);
    QVERIFY(activity.checkScoreVisible());
    QCOMPARE(activity.score(), 2);
}

void TestDragActivity::allRightScoresNAllWrongScoresZero_data()
{
    loadPutsEveryWordOnItsStartSlot_data();
}

void TestDragActivity::allRightScoresNAllWrongScoresZero()
{
    QFETCH(const ActivityDef *, def);
    DragActivity right(*def);
    DragActivity wrong(*def);
    const int n = right.count();
    for (int i = 0; i < n; ++i) {
        dropOn(right, i, right.box(i));
        dropOn(wrong, i, wrong.box((i + 1) % n));
    }
    QCOMPARE(right.score(), n);
    QCOMPARE(wrong.score(), 0);
    QVERIFY(right.checkScoreVisible());
    QVERIFY(wrong.checkScoreVisible());
}

void TestDragActivity::sourceCountsOnlyInItsOwnBox_data()
{
    QTest::addColumn<const ActivityDef *>("def");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("ownBox");
    QTest::newRow("rivers1ord Source") << &rivers1ordDef << 2 << 2;
    QTest::newRow("rivers2ord source") << &rivers2ordDef << 3 << 3;
}

void TestDragActivity::sourceCountsOnlyInItsOwnBox()
{
    QFETCH(const ActivityDef *, def);
    QFETCH(int, word);
    QFETCH(int, ownBox);
    QCOMPARE(def->boxes[word].word.toString().toLower(), u"source");
    for (int box = 0; box < def->count(); ++box) {
        DragActivity activity(*def);
        QCOMPARE(dropOn(activity, word, activity.box(box)), 1);
        QCOMPARE(activity.score(), box == ownBox ? 1 : 0);
    }
}

void TestDragActivity::startAgainBringsWordsBackFromOffScreen()
{
    DragActivity activity(rivers2labDef);
    for (int i = 0; i < activity.count(); ++i)
        dropOn(activity, i, activity.box(i));
    QVERIFY(activity.checkScoreVisible());
    dragTo(activity, 1, -40000, -40000);
    QCOMPARE(activity.drop(1), 0);
    dragTo(activity, 2, 25000, 16000);
    activity.startAgain();
    QVERIFY(!activity.checkScoreVisible());
    for (int i = 0; i < activity.count(); ++i)
        QVERIFY(onCorner(activity.word(i), activity.slot(i)));
    QCOMPARE(activity.score(), 0);
}

QTEST_APPLESS_MAIN(TestDragActivity)
#include "tst_dragactivity.moc"
