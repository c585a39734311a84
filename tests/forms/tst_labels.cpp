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

// A label-button array with gaps, wired as screens wire theirs.
class ButtonScreen final : public Form
{
    Q_OBJECT

public:
    ButtonScreen()
    {
        resize(12000, 9000);
        for (auto [index, caption, top] :
             { std::tuple(5, u"Rivers 1"_s, 4200), std::tuple(0, u"The Water Cycle"_s, 3360),
               std::tuple(16, u"Exit"_s, 7920) }) {
            Label *label = Label2.create(index, this);
            label->move(120, top, 2715, 375);
            label->setCaption(caption);
            label->setButton(true);
        }
        Label2[0]->setEnabled(false);
        Label1->move(0, 120, 12000, 900);
        Label1->setCaption(u"Ondel"_s);
        Label2.connect(&Label::clicked, this,
                       [this](int index) { log << u"click %1"_s.arg(index); });
        Label2.connect(&Label::gotFocus, this,
                       [this](int index) { log << u"focus %1"_s.arg(index); });
    }

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

    // Hidden first, as unload() leaves screens.
    void cleanup()
    {
        m_screen->hide();
        m_screen.reset();
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
};

QTEST_MAIN(LabelsTest)
#include "tst_labels.moc"
