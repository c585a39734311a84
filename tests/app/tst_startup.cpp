#include "appfixture.h"

#include "fieldreader.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString click = u"wav\\click.wav"_s;

// The screens on show (backdrop aside), without loading any of them.
QString screensOnShow()
{
    QStringList names;
    if (Titlefrm.isLoaded() && Titlefrm->isVisible())
        names << u"Titlefrm"_s;
    if (intro0.isLoaded() && intro0->isVisible())
        names << u"intro0"_s;
    if (rivers1.isLoaded() && rivers1->isVisible())
        names << u"rivers1"_s;
    if (rivers2.isLoaded() && rivers2->isVisible())
        names << u"rivers2"_s;
    return names.join(u' ');
}

// Records each sound with the screens that were on show when it was requested, so a test
// sees that the click comes after the entry's screen has opened.
class ObservingSoundPlayer final : public SoundPlayer
{
public:
    ObservingSoundPlayer() { install(this); }
    ~ObservingSoundPlayer() override { install(nullptr); }

    void play(const QString &relativePath) override
    {
        played << relativePath;
        onShow << screensOnShow();
    }

    QStringList played;
    QStringList onShow;
};

void clickWhenShown(QWidget *control)
{
    QVERIFY(QTest::qWaitForWindowExposed(control->window()));
    TestUtil::click(control);
    TestUtil::processEvents();
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void cleanup() { AppFixture::unloadScreens(); }

    void typicalStartThroughTheMenusAndBackFromTheTitle()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        RecordingMessageBoxes boxes;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);

        Titlefrm->show();
        QVERIFY(QTest::qWaitForWindowExposed(Titlefrm.get()));
        QVERIFY(Grey->isVisible());
        QVERIFY(!intro0.isLoaded());

        clickWhenShown(Titlefrm->Command1);
        QVERIFY(!Titlefrm.isLoaded());
        QVERIFY(intro0.isLoaded());
        QPointer<MainMenu> menu = intro0.get();
        QVERIFY(menu->isVisible());
        QCOMPARE(soundon, 1);
        QCOMPARE(sound.played(), QStringList { click });
        QTRY_VERIFY(AppFixture::catalogueRead());

        clickWhenShown(menu->Label2[5]);
        QVERIFY(rivers1.isLoaded());
        QVERIFY(rivers1->isVisible());
        QVERIFY(menu->isVisible());

        clickWhenShown(rivers1->label3[2]);
        QVERIFY(!rivers1.isLoaded());
        QVERIFY(menu->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), menu.data());

        // Leave the menu in a state of its own, then go to the title and come back.
        clickWhenShown(menu->Option2);
        QCOMPARE(soundon, 0);
        clickWhenShown(menu->Label2[16]);
        QVERIFY(Titlefrm->isVisible());
        QCOMPARE(Titlefrm->Command1->caption(), u"Cancel"_s);
        QCOMPARE(Titlefrm->Command2->caption(), u"Exit"_s);
        QVERIFY(menu->isVisible());

        // A reload would switch sound back on; Cancel must not.
        clickWhenShown(Titlefrm->Command1);
        TestUtil::processEvents(20);
        QVERIFY(!Titlefrm.isLoaded());
        QVERIFY(!menu.isNull());
        QCOMPARE(intro0.get(), menu.data());
        QVERIFY(menu->isVisible());
        QCOMPARE(soundon, 0);
        QVERIFY(menu->Option2->value());
        QVERIFY(!menu->Option1->value());
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(!FieldReader::anyFileOpen());
    }

    void everySiteClicksAfterItsScreenOpensOnlyWithSoundOn_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("Sound On") << true;
        QTest::newRow("Sound Off") << false;
    }

    void everySiteClicksAfterItsScreenOpensOnlyWithSoundOn()
    {
        QFETCH(bool, soundOn);
        FakeDesktop desktop;
        ObservingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);

        Titlefrm->show();
        clickWhenShown(Titlefrm->Command1);
        // The menu's load switched sound on just before OK's click was requested.
        QCOMPARE(sound.played, QStringList { click });
        QCOMPARE(sound.onShow, QStringList { u"intro0"_s });
        if (!soundOn)
            clickWhenShown(intro0->Option2);
        sound.played.clear();
        sound.onShow.clear();

        clickWhenShown(intro0->Label2[5]);
        clickWhenShown(rivers1->label3[2]);
        clickWhenShown(intro0->Label2[6]);
        clickWhenShown(rivers2->label3[2]);
        clickWhenShown(intro0->Label2[16]);
        clickWhenShown(Titlefrm->Command1);
        clickWhenShown(intro0->Label2[16]);
        QVERIFY(QTest::qWaitForWindowExposed(Titlefrm.get()));
        const int code = AppFixture::execAfter([] { TestUtil::click(Titlefrm->Command2); });
        QCOMPARE(code, 0);

        if (!soundOn) {
            QVERIFY(sound.played.isEmpty());
            return;
        }
        const QStringList expected {
            u"intro0 rivers1"_s, // Rivers 1
            u"intro0"_s, // its Exit
            u"intro0 rivers2"_s, // Rivers 2
            u"intro0"_s, // its Exit
            u"Titlefrm intro0"_s, // the menu's Exit
            u"intro0"_s, // Cancel
            u"Titlefrm intro0"_s, // the menu's Exit
            u"Titlefrm intro0"_s, // the title's Exit, just before the end
        };
        QCOMPARE(sound.onShow, expected);
        QCOMPARE(sound.played, QStringList(expected.size(), click));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
