#include "testutil.h"

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "line.h"
#include "optionbutton.h"
#include "picturebox.h"

#include <QCloseEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
QStringList events;
}

// Logs its life; its button unloads its own screen, then keeps using it.
class LoggingScreen final : public Form
{
    Q_OBJECT

public:
    LoggingScreen();
    ~LoggingScreen() override { events << u"destroyed"_s; }

    void Form_Load() override;
    void label3_Click(int index);

    Label *Label1 = new Label(this, u"Label1"_s);
    ControlArray<Label> label3 { u"label3"_s };
};

FormSlot<LoggingScreen> loggingScreen;

LoggingScreen::LoggingScreen()
{
    events << u"created"_s;
    Label *exitButton = label3.create(2, this);
    exitButton->move(120, 120, 1245, 495);
    exitButton->setCaption(u"Exit"_s);
    label3.connect(&Label::clicked, this, &LoggingScreen::label3_Click);
}

void LoggingScreen::Form_Load()
{
    events << u"load"_s;
    // Must find this very screen, not start another load.
    loggingScreen->Label1->setCaption(u"loaded"_s);
}

void LoggingScreen::label3_Click(int index)
{
    loggingScreen.unload();
    events << u"clicked %1"_s.arg(index);
    Label1->setCaption(u"still running"_s);
}

// A screen with controls that catch the pointer, and two that don't.
class HoverScreen final : public Form
{
    Q_OBJECT

public:
    HoverScreen()
    {
        Label2->move(1500, 1500, 1500, 600);
        disabledLabel->move(4500, 1500, 1500, 600);
        disabledLabel->setEnabled(false);
        Picture1->move(6000, 3000, 1500, 1500);
        Line1->setPoints(0, 7500, 12000, 7500);
        Option1->move(9000, 1500, 1500, 255);
    }

    void Form_MouseMove(int button, int shift, double x, double y) override
    {
        moves.append({ button, shift, QPointF(x, y) });
    }

    struct Move
    {
        int button;
        int shift;
        QPointF at;
    };
    QList<Move> moves;

    Label *Label2 = new Label(this, u"Label2"_s);
    Label *disabledLabel = new Label(this, u"Label3"_s);
    PictureBox *Picture1 = new PictureBox(this, u"Picture1"_s);
    Line *Line1 = new Line(this, u"Line1"_s);
    OptionButton *Option1 = new OptionButton(this, u"Option1"_s);
};

class FormsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void unloadInsideOwnHandlerKeepsRunningAndNextTouchLoadsAfresh()
    {
        events.clear();
        LoggingScreen *first = loggingScreen.get();
        first->show();
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QPointer<LoggingScreen> watch(first);

        // Deleted only once the handler has returned.
        TestUtil::click(first->label3[2]);
        TestUtil::processEvents();
        QCOMPARE(events, QStringList({ u"created"_s, u"load"_s, u"clicked 2"_s, u"destroyed"_s }));
        QVERIFY(watch.isNull());
        QVERIFY(!loggingScreen.isLoaded());

        events.clear();
        QVERIFY(loggingScreen.get() != nullptr);
        QCOMPARE(events, QStringList({ u"created"_s, u"load"_s }));
        QCOMPARE(loggingScreen->Label1->caption(), u"loaded"_s);
        loggingScreen.unload();
        TestUtil::processEvents();
    }

    void formMouseMoveFiresOverTheBareFormOnly_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("fires");
        QTest::newRow("bare form") << QPoint(20, 20) << true;
        QTest::newRow("label") << QPoint(110, 110) << false;
        QTest::newRow("picture box") << QPoint(450, 250) << false;
        QTest::newRow("line") << QPoint(300, 500) << true;
        QTest::newRow("disabled label") << QPoint(310, 110) << true;
        QTest::newRow("option button") << QPoint(650, 105) << false;
    }

    void formMouseMoveFiresOverTheBareFormOnly()
    {
        QFETCH(QPoint, pixel);
        QFETCH(bool, fires);
        HoverScreen screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        // Start from somewhere else so the move below is a real move.
        QTest::mouseMove(screen.windowHandle(), QPoint(790, 10));
        screen.moves.clear();

        QTest::mouseMove(screen.windowHandle(), pixel);
        if (!fires) {
            QVERIFY(screen.moves.isEmpty());
            return;
        }
        QCOMPARE(screen.moves.size(), 1);
        QCOMPARE(screen.moves[0].button, 0);
        QCOMPARE(screen.moves[0].at, QPointF(pixel) * 15);
    }

    void windowManagerCloseIsRefused()
    {
        Form form;
        form.setCaption(u"Ondel"_s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(&form, &close);
        QVERIFY(!close.isAccepted());
        QVERIFY(form.isVisible());
        QVERIFY(form.windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
