#include "testutil.h"

#include "activityscreen.h"
#include "module1.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "topicmenu.h"
#include "wronganswersscreen.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

enum Entry { Labelling = 1, Ordering = 3 };

QPointF centreOf(QWidget *control)
{
    return Twips::fromPixels(QPointF(control->geometry().center()));
}

void dragWordIntoItsBox(ActivityScreen *form, int index)
{
    const QPointF from = centreOf(form->Label2[index]);
    const QPointF to = centreOf(form->Label1[index]);
    TestUtil::mousePress(form, from.x(), from.y());
    TestUtil::mouseMove(form, (from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
    TestUtil::mouseMove(form, to.x(), to.y());
    TestUtil::mouseRelease(form, to.x(), to.y());
}

} // namespace

// The topic menus' Labelling Activity and Ordering Activity entries.
class TestActivityMenus final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void init();
    void cleanup();

    void rivers1LoadsItsOrderingScreenWithItsTitle();
    void entriesOpenTheirActivitiesWithTheTopicsTitle_data();
    void entriesOpenTheirActivitiesWithTheTopicsTitle();
    void orderingLoadedEarlyStillCountsItsOwnWords();

private:
    std::unique_ptr<RecordingSoundPlayer> m_sounds;
};

void TestActivityMenus::init()
{
    m_sounds = std::make_unique<RecordingSoundPlayer>();
    soundon = 1;
    outof = 0;
    score = 0;
}

void TestActivityMenus::cleanup()
{
    rivers1.unload();
    rivers2.unload();
    rivers1lab.unload();
    rivers2lab.unload();
    rivers1ord.unload();
    rivers2ord.unload();
    Welldone.unload();
    Wrong.unload();
    TestUtil::processEvents();
    m_sounds.reset();
}

void TestActivityMenus::rivers1LoadsItsOrderingScreenWithItsTitle()
{
    rivers1->show();
    QVERIFY(rivers1ord.isLoaded());
    QVERIFY(!rivers1ord->isVisible());
    QCOMPARE(rivers1ord->Label6->caption(), u"Rivers 1: Drainage Basins");
    QCOMPARE(outof, 4);
    QVERIFY(!rivers1lab.isLoaded());

    rivers2->show();
    QVERIFY(!rivers2lab.isLoaded());
    QVERIFY(!rivers2ord.isLoaded());
    QVERIFY(m_sounds->played().isEmpty());
}

void TestActivityMenus::entriesOpenTheirActivitiesWithTheTopicsTitle_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::newRow("rivers1 labelling")
        << 1 << int(Labelling) << u"rivers1lab"_s << u"Rivers 1: Drainage Basins"_s;
    QTest::newRow("rivers1 ordering")
        << 1 << int(Ordering) << u"rivers1ord"_s << u"Rivers 1: Drainage Basins"_s;
    QTest::newRow("rivers2 labelling")
        << 2 << int(Labelling) << u"rivers2lab"_s << u"Rivers 2: Landforms"_s;
    QTest::newRow("rivers2 ordering")
        << 2 << int(Ordering) << u"rivers2ord"_s << u"Rivers 2: Landforms"_s;
}

void TestActivityMenus::entriesOpenTheirActivitiesWithTheTopicsTitle()
{
    QFETCH(int, topic);
    QFETCH(int, entry);
    QFETCH(QString, screen);
    QFETCH(QString, title);

    TopicMenu *menu = topic == 1 ? static_cast<TopicMenu *>(rivers1.get()) : rivers2.get();
    menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    TestUtil::click(menu->label3[entry]);

    auto *activity = qobject_cast<ActivityScreen *>(QApplication::activeWindow());
    QVERIFY(activity);
    QCOMPARE(activity->objectName(), screen);
    QCOMPARE(activity->Label6->caption(), title);
    QCOMPARE(outof, activity->activity().count());
    QCOMPARE(m_sounds->played(), QStringList { u"wav\\click.wav"_s });
    // The menu stays loaded beneath.
    QVERIFY(menu->isVisible());
    TestUtil::grabScreenshot(activity, u"menu-"_s + screen);
}

void TestActivityMenus::orderingLoadedEarlyStillCountsItsOwnWords()
{
    // Rivers 1 loads its ordering screen at once (outof 4); the pupil then does the Rivers 2
    // labelling (outof 5) before coming back to the Rivers 1 ordering, which does not load
    // again.
    rivers1->show();
    rivers2->show();
    TestUtil::click(rivers2->label3[Labelling]);
    QCOMPARE(outof, 5);
    TestUtil::click(rivers2lab->label3[0]);
    TestUtil::processEvents();

    rivers1->show();
    QVERIFY(QTest::qWaitForWindowExposed(rivers1.get()));
    TestUtil::click(rivers1->label3[Ordering]);
    ActivityScreen *form = rivers1ord.get();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 4; ++i)
        dragWordIntoItsBox(form, i);
    QVERIFY(form->label3[2]->visible());
    TestUtil::click(form->label3[2]);
    QCOMPARE(Welldone->Label1->caption(), u"Excellent work. You have scored 4 out of 4.");
}

QTEST_MAIN(TestActivityMenus)
#include "tst_activitymenus.moc"
