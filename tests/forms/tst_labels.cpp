#include "testutil.h"

#include "controlarray.h"
#include "form.h"
#include "label.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QStyleHints>
#include <QtTest>

using namespace Qt::StringLiterals;

// A screen with a label-button array that has gaps, as designs have them, wired the way
// screens wire theirs: one handler per event receiving the index.
class ButtonScreen final : public Form
{
    Q_OBJECT

public:
    ButtonScreen()
    {
        resize(12000, 9000);
        setBackColor(QColor(0, 78, 152));
        struct Entry
        {
            int index;
            const char16_t *caption;
            double left, top, width, height;
        };
        static constexpr Entry entries[] = {
            { 5, u"Rivers 1", 120, 4200, 2715, 375 },
            { 0, u"The Water Cycle", 120, 3360, 2715, 375 },
            { 16, u"Exit", 10560, 7920, 1245, 495 },
        };
        for (const Entry &entry : entries) {
            Label *label = Label2.create(entry.index, this);
            label->move(entry.left, entry.top, entry.width, entry.height);
            label->setCaption(QString::fromUtf16(entry.caption));
            label->setFont(u"Tahoma"_s, 12, true);
            label->setForeColor(QColor(255, 255, 0));
            label->setBackColor(QColor(0, 0, 0));
            label->setBorderStyle(BorderStyle::FixedSingle);
            label->setAlignment(Alignment::Center);
            label->setButton(true);
        }
        Label2[0]->setEnabled(false);
        Label1->move(0, 120, 12000, 900);
        Label1->setCaption(u"Ondel"_s);
        Label1->setBackStyle(BackStyle::Transparent);

        Label2.connect(&Label::clicked, this, &ButtonScreen::Label2_Click);
        Label2.connect(&Label::mouseDown, this, &ButtonScreen::Label2_MouseDown);
        Label2.connect(&Label::mouseMove, this, &ButtonScreen::Label2_MouseMove);
        Label2.connect(&Label::mouseUp, this, &ButtonScreen::Label2_MouseUp);
        Label2.connect(&Label::gotFocus, this,
                       [this](int index) { log << u"focus %1"_s.arg(index); });
    }

    void Label2_Click(int index) { log << u"click %1"_s.arg(index); }
    void Label2_MouseDown(int index, int button, int shift, double x, double y)
    {
        log << u"down %1 %2 %3 %4 %5"_s.arg(index).arg(button).arg(shift).arg(x).arg(y);
    }
    void Label2_MouseMove(int index, int button, int shift, double x, double y)
    {
        log << u"move %1 %2 %3 %4 %5"_s.arg(index).arg(button).arg(shift).arg(x).arg(y);
        // The drag of the activities: with the left button held, the label's centre follows
        // the pointer.
        if (dragging && button == 1) {
            Label *label = Label2[index];
            label->move(label->left() + x - label->width() / 2,
                        label->top() + y - label->height() / 2);
        }
    }
    void Label2_MouseUp(int index, int button, int shift, double x, double y)
    {
        log << u"up %1 %2 %3 %4 %5"_s.arg(index).arg(button).arg(shift).arg(x).arg(y);
    }

    bool dragging = false;
    QStringList log;
    Label *Label1 = new Label(this, u"Label1"_s);
    ControlArray<Label> Label2 { u"Label2"_s };
};

class LabelsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ButtonScreen> m_screen;

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void init()
    {
        m_screen = std::make_unique<ButtonScreen>();
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
        // The screen gave the keyboard focus to its first label button as it appeared.
        QVERIFY(m_screen->Label2[5]->hasFocus());
        m_screen->log.clear();
    }

    // Screens go away hidden, as unload() leaves them, so no focus events reach a screen
    // that is half destroyed.
    void cleanup()
    {
        m_screen->hide();
        m_screen.reset();
    }

    void arrayKeepsDesignIndexesAndGaps()
    {
        const auto &array = m_screen->Label2;
        QVERIFY(!array.contains(1) && !array.contains(6));
        QCOMPARE(array.upperBound(), 16);
        QStringList captions;
        for (auto [index, label] : array)
            captions << u"%1 %2"_s.arg(index).arg(label->caption());
        QCOMPARE(captions, QStringList({ u"0 The Water Cycle"_s, u"5 Rivers 1"_s, u"16 Exit"_s }));
        QCOMPARE(array[5]->geometry(), QRect(8, 280, 181, 25));
    }

    void eventsCarryIndexButtonShiftAndTwips()
    {
        Label *rivers = m_screen->Label2[5];
        TestUtil::mousePress(rivers, 300, 150, Qt::RightButton, Qt::ShiftModifier);
        TestUtil::mouseRelease(rivers, 300, 150, Qt::RightButton, Qt::ShiftModifier);
        TestUtil::mouseMove(rivers, 600, 225);
        TestUtil::click(rivers, 45, 30);
        // The pointer moves onto a spot before a button goes down there.
        QCOMPARE(
            m_screen->log,
            QStringList({ u"move 5 0 1 300 150"_s, u"down 5 2 1 300 150"_s, u"up 5 2 1 300 150"_s,
                          u"move 5 0 0 600 225"_s, u"move 5 0 0 45 30"_s, u"down 5 1 0 45 30"_s,
                          u"up 5 1 0 45 30"_s, u"click 5"_s }));
    }

    void secondClickOfADoubleClickIsNoClick()
    {
        Label *rivers = m_screen->Label2[5];
        QSignalSpy doubles(rivers, &Label::doubleClicked);
        const QPoint at = TestUtil::windowPoint(rivers, 150, 150);
        QWindow *window = m_screen->windowHandle();
        QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        QCOMPARE(m_screen->log.count(u"click 5"_s), 1);
        QCOMPARE(doubles.count(), 1);
        QVERIFY(m_screen->log.last().startsWith(u"up 5 1 0"_s));
        // Clicks spaced further apart are two clicks.
        QTest::mouseClick(window, Qt::LeftButton, {}, at,
                          QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        QCOMPARE(m_screen->log.count(u"click 5"_s), 2);
    }

    void heldButtonKeepsThePointerHoweverFarItJumps()
    {
        m_screen->dragging = true;
        Label *rivers = m_screen->Label2[5];
        const QPoint startCentre = rivers->geometry().center();
        TestUtil::mousePress(rivers, 150, 150);
        // One jump from the label to the far corner of the screen, past other controls.
        QTest::mouseMove(m_screen->windowHandle(), QPoint(700, 550));
        QTest::mouseMove(m_screen->windowHandle(), QPoint(720, 560));
        QTest::mouseRelease(m_screen->windowHandle(), Qt::LeftButton, {}, QPoint(720, 560));

        const QStringList &log = m_screen->log;
        const qsizetype down = log.indexOf(u"down 5 1 0 150 150"_s);
        QVERIFY(down >= 0);
        QCOMPARE(log.size(), down + 5);
        QVERIFY(log[down + 1].startsWith(u"move 5 1 0 "_s));
        QVERIFY(log[down + 2].startsWith(u"move 5 1 0 "_s));
        QVERIFY(log[down + 3].startsWith(u"up 5 1 0 "_s));
        // The label came along under the pointer, so the release is over it: a click.
        QCOMPARE(log[down + 4], u"click 5"_s);
        // The label followed the pointer: its centre is where the button was let go.
        QVERIFY(rivers->geometry().center() != startCentre);
        QVERIFY((rivers->geometry().center() - QPoint(720, 560)).manhattanLength() <= 2);
        QVERIFY(qAbs(rivers->left() - (720 * 15 - 2715 / 2.0)) <= 15);

        // Without the drag, letting go away from the label is no click.
        m_screen->dragging = false;
        m_screen->log.clear();
        Label *exitButton = m_screen->Label2[16];
        TestUtil::mousePress(exitButton, 150, 150);
        QTest::mouseMove(m_screen->windowHandle(), QPoint(20, 20));
        QTest::mouseRelease(m_screen->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(m_screen->log.last().startsWith(u"up 16 1 0 -"_s));
        QVERIFY(!m_screen->log.contains(u"click 16"_s));
    }

    void disabledLabelIgnoresClicksAndIsDrawnGreyed()
    {
        Label *greyed = m_screen->Label2[0];
        QSignalSpy clicks(greyed, &Label::clicked);
        TestUtil::click(greyed);
        greyed->click();
        QCOMPARE(clicks.count(), 0);
        QVERIFY(m_screen->log.isEmpty());

        const QImage image = greyed->grab().toImage();
        int grey = 0;
        int yellow = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                grey += c == QColor(128, 128, 128);
                yellow += c == QColor(255, 255, 0);
            }
        }
        QVERIFY(grey > 20);
        QCOMPARE(yellow, 0);
        TestUtil::grabScreenshot(m_screen.get(), u"platform-label-buttons"_s);
    }

    void labelButtonsTakeFocusInCreationOrderAndPressWithEnterOrSpace()
    {
        Label *rivers = m_screen->Label2[5];
        Label *exitButton = m_screen->Label2[16];
        QCOMPARE(m_screen->Label1->focusPolicy(), Qt::NoFocus);
        QTest::keyClick(rivers, Qt::Key_Return);
        QTest::keyClick(rivers, Qt::Key_Space);
        QTest::keyClick(rivers, Qt::Key_Enter);
        QTest::keyClick(rivers, Qt::Key_A);
        QTest::keyClick(m_screen.get(), Qt::Key_Tab);
        QVERIFY(exitButton->hasFocus());
        QTest::keyClick(exitButton, Qt::Key_Space);
        QCOMPARE(m_screen->log,
                 QStringList(
                     { u"click 5"_s, u"click 5"_s, u"click 5"_s, u"focus 16"_s, u"click 16"_s }));
    }

    void accessibilitySeesAPushButtonNamedByItsCaption()
    {
        Label *rivers = m_screen->Label2[5];
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(rivers);
        QVERIFY(button);
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), u"Rivers 1"_s);
        QVERIFY(button->state().focusable);
        QAccessibleActionInterface *actions = button->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_screen->log, QStringList({ u"click 5"_s }));

        QAccessibleInterface *title = QAccessible::queryAccessibleInterface(m_screen->Label1);
        QVERIFY(title);
        QCOMPARE(title->role(), QAccessible::StaticText);
        QCOMPARE(title->text(QAccessible::Name), u"Ondel"_s);
        QVERIFY(title->actionInterface() == nullptr
                || title->actionInterface()->actionNames().isEmpty());

        QAccessibleInterface *greyed = QAccessible::queryAccessibleInterface(m_screen->Label2[0]);
        QVERIFY(greyed->state().disabled);
        QVERIFY(greyed->actionInterface()->actionNames().isEmpty());
    }

    void fontsAreTheStandInsAtTheDesignedSizes_data()
    {
        QTest::addColumn<QString>("designed");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::newRow("Tahoma 32.25") << u"Tahoma"_s << 32.25 << u"Tahoma"_s << 43;
        QTest::newRow("Tahoma 9.75") << u"Tahoma"_s << 9.75 << u"Tahoma"_s << 13;
        QTest::newRow("Times New Roman 27.75")
            << u"Times New Roman"_s << 27.75 << u"Liberation Serif"_s << 37;
        QTest::newRow("Arial 8.25") << u"Arial"_s << 8.25 << u"Liberation Sans"_s << 11;
        QTest::newRow("MS Sans Serif 8.25") << u"MS Sans Serif"_s << 8.25 << u"Tahoma"_s << 11;
    }

    void fontsAreTheStandInsAtTheDesignedSizes()
    {
        QFETCH(QString, designed);
        QFETCH(double, points);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        Label label(m_screen.get());
        label.setFont(designed, points, true);
        QCOMPARE(label.fontSize(), points);
        const QFontInfo info(label.font());
        QCOMPARE(info.family(), family);
        QVERIFY(info.bold());
        QCOMPARE(info.pixelSize(), pixels);
        QCOMPARE(label.logicalDpiY(), 96);
    }
};

QTEST_MAIN(LabelsTest)
#include "tst_labels.moc"
