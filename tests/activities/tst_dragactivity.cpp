#include "dragactivity.h"
#include "media.h"
#include "topics.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const ActivityDef *)

namespace {

// The river topics' activities, as their topic files in the built media give them.
const ActivityDef &activity(const char *topic, bool labelling)
{
    static const TemporaryMedia media(TemporaryMedia::Built::Media);
    const TopicDef *def = Topics::find(QString::fromLatin1(topic));
    if (!def)
        qFatal("the built topic %s cannot be read: %s", topic,
               qPrintable(Topics::fault(QString::fromLatin1(topic))));
    return labelling ? def->labelling : def->ordering;
}
const ActivityDef &rivers1lab()
{
    return activity("rivers1", true);
}
const ActivityDef &rivers2ord()
{
    return activity("rivers2", false);
}

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
    void dragCentresTheWordOnThePointerWithTheLeftButtonAlone();
    void dropOnZoneEdgeStaysOutside_data();
    void dropOnZoneEdgeStaysOutside();
    void startSlotOverlapGoesToLowerIndex();
    void allRightScoresNAllWrongScoresZero_data();
    void allRightScoresNAllWrongScoresZero();
};

void TestDragActivity::dragCentresTheWordOnThePointerWithTheLeftButtonAlone()
{
    DragActivity activity(rivers1lab());
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
    // other zone is near any of its edges. The edges are outside, half a twip in is inside.
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<bool>("inside");
    QTest::newRow("left edge") << 420.0f - 937.5f << 2000.0f << false;
    QTest::newRow("right edge") << 420.0f + 1875 << 2000.0f << false;
    QTest::newRow("top edge") << 1000.0f << 1920.0f - 187.5f << false;
    QTest::newRow("bottom edge") << 1000.0f << 1920.0f + 375 << false;
    QTest::newRow("top-left corner") << 420.0f - 937.5f << 1920.0f - 187.5f << false;
    QTest::newRow("past left edge") << 420.0f - 937.5f + 0.5f << 2000.0f << true;
    QTest::newRow("before right edge") << 420.0f + 1875 - 0.5f << 2000.0f << true;
    QTest::newRow("below top edge") << 1000.0f << 1920.0f - 187.5f + 0.5f << true;
    QTest::newRow("above bottom edge") << 1000.0f << 1920.0f + 375 - 0.5f << true;
    QTest::newRow("on the corner") << 420.0f << 1920.0f << true;
}

void TestDragActivity::dropOnZoneEdgeStaysOutside()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(bool, inside);
    DragActivity activity(rivers1lab());
    dragTo(activity, 0, left, top);
    QCOMPARE(activity.drop(0), inside ? 1 : 0);
    QCOMPARE(activity.word(0), inside ? activity.box(3) : (TwipsRect { left, top, 1875, 375 }));
    QCOMPARE(activity.placedCount(), inside ? 1 : 0);
    QCOMPARE(activity.score(), 0);
}

void TestDragActivity::startSlotOverlapGoesToLowerIndex()
{
    // rivers2ord's slot 5 (meander, 240) and slot 0 (flood plain, 2160) are neighbours, 1875
    // wide: a corner at 2000 lies in the zone of slot 5 (up to 2115) and of slot 0 (from
    // 1222.5).
    DragActivity activity(rivers2ord());
    QVERIFY(DragActivity::inZone(activity.slot(5), 2000, 7500));
    QVERIFY(DragActivity::inZone(activity.slot(0), 2000, 7500));
    dragTo(activity, 4, 2000, 7500);
    QCOMPARE(activity.drop(4), 1);
    QVERIFY(onCorner(activity.word(4), activity.slot(0)));

    // The same with rivers1lab's slots 0 (1800) and 1 (3960), 1875 wide, for word 1.
    DragActivity labelling(rivers1lab());
    dragTo(labelling, 1, 3600, 7320);
    QCOMPARE(labelling.drop(1), 1);
    QVERIFY(onCorner(labelling.word(1), labelling.slot(0)));
}

void TestDragActivity::allRightScoresNAllWrongScoresZero_data()
{
    QTest::addColumn<const ActivityDef *>("def");
    for (const char *topic : { "rivers1", "rivers2" }) {
        for (const bool labelling : { true, false }) {
            const ActivityDef &def = activity(topic, labelling);
            QTest::newRow(def.screenName.toUtf8()) << &def;
        }
    }
}

void TestDragActivity::allRightScoresNAllWrongScoresZero()
{
    QFETCH(const ActivityDef *, def);
    DragActivity right(*def);
    DragActivity wrong(*def);
    const int n = right.count();
    QCOMPARE(n, def->count());
    // Check Score appears only once every word lies on a box.
    for (int i = 0; i < n; ++i) {
        QVERIFY(!right.checkScoreVisible());
        QCOMPARE(dropOn(right, i, right.box(i)), 1);
        QCOMPARE(right.placedCount(), i + 1);
        dropOn(wrong, i, wrong.box((i + 1) % n));
    }
    QCOMPARE(right.score(), n);
    QCOMPARE(wrong.score(), 0);
    QVERIFY(right.checkScoreVisible());
    QVERIFY(wrong.checkScoreVisible());
}

QTEST_APPLESS_MAIN(TestDragActivity)
#include "tst_dragactivity.moc"
