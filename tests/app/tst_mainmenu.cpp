#include "appfixture.h"

#include "fieldreader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A point of the main menu (in pixels) where no control lies.
const QPoint bareForm(395, 400);

QList<int> litEntries(const MainMenu *menu)
{
    QList<int> lit;
    for (const auto &[index, label] : menu->Label2) {
        if (label->backStyle() == BackStyle::Opaque)
            lit << index;
    }
    return lit;
}

const QList<int> allEntries { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 16, 17, 18, 19, 20 };

MainMenu *showMenu()
{
    intro0->show();
    if (!QTest::qWaitForWindowExposed(intro0.get()))
        return nullptr;
    return intro0.get();
}

void moveToBareForm(MainMenu *menu)
{
    QTest::mouseMove(menu->windowHandle(), bareForm);
}

} // namespace

class MainMenuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void cleanup() { AppFixture::unloadScreens(); }

    void menuShowsItsDesignWithTheTopicsWithoutScreensGreyed()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);
        MainMenu *menu = showMenu();
        QVERIFY(menu);

        QVERIFY(!menu->Image1->picture().isNull());
        QVERIFY(menu->Option1->value());
        QVERIFY(!menu->Option2->value());

        QList<int> indexes;
        QList<int> enabled;
        for (const auto &[index, label] : menu->Label2) {
            indexes << index;
            if (label->isEnabled())
                enabled << index;
            // Every caption fits on its button.
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->caption())
                         <= label->geometry().width() - 4,
                     qPrintable(label->caption()));
        }
        QCOMPARE(indexes, allEntries);
        QCOMPARE(enabled, QList<int>({ 5, 6, 10, 16, 17, 18, 19, 20 }));

        const QString file = TestUtil::grabScreenshot(menu, u"mainmenu"_s);
        QVERIFY(!file.isEmpty());
        const QImage shot(file);
        QCOMPARE(shot.size(), QSize(800, 600));
        QCOMPARE(shot.pixelColor(bareForm), QColor(0, 78, 152));
        // A disabled topic is drawn in grey, an enabled one in yellow.
        auto colours = [&shot](const QRect &rect) {
            QSet<QRgb> seen;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    seen.insert(shot.pixel(x, y) & 0xffffff);
            return seen;
        };
        QVERIFY(colours(menu->Label2[2]->geometry()).contains(qRgb(128, 128, 128) & 0xffffff));
        QVERIFY(!colours(menu->Label2[2]->geometry()).contains(qRgb(255, 255, 0) & 0xffffff));
        QVERIFY(colours(menu->Label2[5]->geometry()).contains(qRgb(255, 255, 0) & 0xffffff));
    }

    void menuIsCentredOnTheDisplay_data()
    {
        QTest::addColumn<QSize>("display");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("1024 x 768") << QSize(1024, 768) << 1680.0 << 1260.0;
        QTest::newRow("640 x 480") << QSize(640, 480) << -1200.0 << -900.0;
    }

    void menuIsCentredOnTheDisplay()
    {
        QFETCH(QSize, display);
        QFETCH(double, left);
        QFETCH(double, top);
        FakeDesktop desktop(display.width(), display.height());
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        QCOMPARE(intro0->left(), left);
        QCOMPARE(intro0->top(), top);
        QCOMPARE(rivers1->left(), left);
        QCOMPARE(rivers1->top(), top);
    }

    void entriesStayLitUntilThePointerCrossesTheBareForm()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);
        MainMenu *menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(litEntries(menu), allEntries);

        moveToBareForm(menu);
        QVERIFY(litEntries(menu).isEmpty());

        TestUtil::mouseMove(menu->Label2[5]);
        QCOMPARE(litEntries(menu), QList<int> { 5 });
        // Off the entry onto the picture, the title and a heading: still lit.
        TestUtil::mouseMove(menu->Image1);
        TestUtil::mouseMove(menu->Label1);
        TestUtil::mouseMove(menu->Label4[0]);
        QCOMPARE(litEntries(menu), QList<int> { 5 });

        TestUtil::mouseMove(menu->Label2[17]);
        QCOMPARE(litEntries(menu), QList<int>({ 5, 17 }));
        moveToBareForm(menu);
        QVERIFY(litEntries(menu).isEmpty());

        // The greyed topics never light up and their clicks do nothing.
        for (int index : { 0, 1, 2, 3, 4, 7, 8, 9 }) {
            TestUtil::mouseMove(menu->Label2[index]);
            TestUtil::click(menu->Label2[index]);
            QVERIFY2(litEntries(menu).isEmpty(), qPrintable(menu->Label2[index]->caption()));
        }
        TestUtil::processEvents();
        QVERIFY(sound.played().isEmpty());
        QVERIFY(!rivers1.isLoaded() && !rivers2.isLoaded() && !Titlefrm.isLoaded());
    }

    void catalogueIsReadOnceRightAfterTheMenuShows_data()
    {
        QTest::addColumn<QByteArray>("track");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("titles");
        const QString kept = u"kept from before"_s;
        QTest::newRow("two titles") << QByteArray(" 2 \r\nRivers 1\r\nRivers 2\r\n") << 2
                                    << QStringList { u"Rivers 1"_s, u"Rivers 2"_s, kept };
        QTest::newRow("no track.txt") << QByteArray() << 0 << QStringList { kept, kept, kept };
        QTest::newRow("count 3, two titles") << QByteArray(" 3 \r\nRivers 1\r\nMy rivers\r\n") << 3
                                             << QStringList { u"Rivers 1"_s, u"My rivers"_s, kept };
        QByteArray overfull(" 1001 \r\n");
        for (int i = 1; i <= 1001; ++i)
            overfull += "Sheet " + QByteArray::number(i) + "\r\n";
        QTest::newRow("more than 1000 titles")
            << overfull << 1001 << QStringList { u"Sheet 1"_s, u"Sheet 2"_s, u"Sheet 3"_s };
        QTest::newRow("count not a number")
            << QByteArray("many\r\nRivers 1\r\n") << 0 << QStringList { kept, kept, kept };
    }

    void catalogueIsReadOnceRightAfterTheMenuShows()
    {
        QFETCH(QByteArray, track);
        QFETCH(int, count);
        QFETCH(QStringList, titles);
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        RecordingMessageBoxes boxes;
        TestUtil::TemporaryMedia media;
        if (!track.isNull())
            QVERIFY(media.write(u"multiple/track.txt"_s, track));
        trackcount = 0;
        for (int i = 1; i <= 3; ++i)
            tracklist[i] = u"kept from before"_s;

        // The load only queues the read; it happens once the menu is on show.
        MainMenu *menu = intro0.get();
        QVERIFY(menu->Timer1->enabled());
        QCOMPARE(trackcount, 0);
        QCOMPARE(tracklist[1], u"kept from before"_s);
        menu->show();
        QTRY_VERIFY(AppFixture::catalogueRead());

        QCOMPARE(trackcount, count);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(tracklist[i], titles[i - 1]);
        if (count > catalogueCapacity)
            QCOMPARE(tracklist[catalogueCapacity], u"Sheet 1000"_s);
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(!FieldReader::anyFileOpen());
        QVERIFY(menu->isVisible());

        // Once per load: a later change on disk is not read while the menu stays loaded.
        QVERIFY(media.write(u"multiple/track.txt"_s, " 1 \r\nSomething else\r\n"));
        TestUtil::processEvents(20);
        QCOMPARE(trackcount, count);
    }

    void soundOffThenAReloadSwitchesSoundBackOn()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        MainMenu *menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(soundon, 1);

        TestUtil::click(menu->Option2);
        QCOMPARE(soundon, 0);
        QVERIFY(menu->Option2->value());
        QVERIFY(sound.played().isEmpty());

        // The Worksheets Catalogue unloads the menu and shows it again on its way back.
        intro0.unload();
        TestUtil::processEvents();
        QVERIFY(!intro0.isLoaded());
        menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(soundon, 1);
        QVERIFY(menu->Option1->value());
        QVERIFY(!menu->Option2->value());
        QTRY_VERIFY(AppFixture::catalogueRead());
    }
};

QTEST_MAIN(MainMenuTest)
#include "tst_mainmenu.moc"
