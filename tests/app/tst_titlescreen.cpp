#include "appfixture.h"

#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

class TitleScreenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }
    void cleanup() { AppFixture::unloadScreens(); }

    // Runs first, while the program is as fresh as at start: the main menu never loaded.
    void exitBeforeTheMenuEverLoadedEndsSilently()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);
        QVERIFY(!intro0.isLoaded());
        QCOMPARE(soundon, 0);

        Titlefrm->show();
        QVERIFY(QTest::qWaitForWindowExposed(Titlefrm.get()));
        QCOMPARE(Titlefrm->Command1->caption(), u"OK"_s);
        QCOMPARE(Titlefrm->Command2->caption(), u"Exit"_s);

        const int code = AppFixture::execAfter([] { TestUtil::click(Titlefrm->Command2); });
        QCOMPARE(code, 0);
        QVERIFY(sound.played().isEmpty());
        QVERIFY(!intro0.isLoaded());
    }

    void loadCentresTheTitleOverTheBackdrop()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        TestUtil::TemporaryMedia media;
        AppFixture::installScreenPictures(media);

        Titlefrm->show();
        QVERIFY(QTest::qWaitForWindowExposed(Titlefrm.get()));
        TitleScreen *title = Titlefrm.get();
        QCOMPARE(title->left(), (15360 - 5685) / 2.0);
        QCOMPARE(title->top(), (11520 - 6570) / 2.0);
        QVERIFY(!title->Picture1->picture().isNull());

        // The backdrop covers the display behind the title.
        QVERIFY(Grey->isVisible());
        QCOMPARE(QSizeF(Grey->width(), Grey->height()), QSizeF(15360, 11520));
        QCOMPARE(Grey->backColor(), QColor(48, 133, 214));

        QVERIFY(!TestUtil::grabScreenshot(title, u"title"_s).isEmpty());
        // The background shows between the credits and the buttons, the blue title above.
        const QImage shot = title->grab().toImage();
        QCOMPARE(shot.pixelColor(5, 420), QColor(192, 192, 192));
    }

    void missingPictureGivesTheStandardFrameWithEverythingOnIt()
    {
        FakeDesktop desktop;
        RecordingSoundPlayer sound;
        RecordingMessageBoxes boxes;
        TestUtil::TemporaryMedia media;
        soundon = 0;

        Titlefrm->show();
        QVERIFY(QTest::qWaitForWindowExposed(Titlefrm.get()));
        TitleScreen *title = Titlefrm.get();
        QCOMPARE(QRectF(title->left(), title->top(), title->width(), title->height()),
                 QRectF(1680, 1260, 12000, 9000));
        QVERIFY(title->Picture1->picture().isNull());
        QVERIFY(boxes.shown().isEmpty());
        QVERIFY(Grey->isVisible());

        // Title, credits and buttons are all still there, inside the screen.
        for (QWidget *control : std::initializer_list<QWidget *> {
                 title->Label4, title->Label1, title->Label5, title->Label3, title->Command1,
                 title->Command2, title->Label2 }) {
            QVERIFY(control->isVisible());
            const QRect onScreen(control->mapTo(title, QPoint(0, 0)), control->size());
            QVERIFY2(title->rect().contains(onScreen), qPrintable(control->objectName()));
        }
        QVERIFY(!TestUtil::grabScreenshot(title, u"title_without_picture"_s).isEmpty());

        // OK still goes on to the main menu.
        TestUtil::click(title->Command1);
        TestUtil::processEvents();
        QVERIFY(!Titlefrm.isLoaded());
        QVERIFY(intro0->isVisible());
    }
};

QTEST_MAIN(TitleScreenTest)
#include "tst_titlescreen.moc"
