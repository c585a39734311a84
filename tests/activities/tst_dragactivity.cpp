#include "dragactivity.h"
#include "media.h"
#include "topics.h"

#include <QtTest>

using namespace Qt::StringLiterals;

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

// One drag step that puts the word's top-left corner at (left, top).
void dragTo(DragActivity &activity, int index, float left, float top)
{
    const TwipsRect &word = activity.word(index);
    QVERIFY(activity.drag(index, 1, left - word.left + word.width / 2,
                          top - word.top + word.height / 2));
    QCOMPARE(activity.word(index).left, left);
    QCOMPARE(activity.word(index).top, top);
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
};

void TestDragActivity::dragCentresTheWordOnThePointerWithTheLeftButtonAlone()
{
    DragActivity activity(rivers1lab());
    // Word 0 (1800, 7320, 1875 x 375) centres on the pointer.
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
    // Box 3 lies at 420, 1920, 1875 x 375; its zone's edges are outside it.
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
    // A corner at 2000 lies in the zones of slots 5 (240) and 0 (2160).
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

QTEST_APPLESS_MAIN(TestDragActivity)
#include "tst_dragactivity.moc"
