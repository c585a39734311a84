#include "scene.h"

#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

enum class Hover {
    None, // buttons stay lit
    Relights, // out over the bare form, lit again under the pointer or the focus
    OutForGood, // out over the free area, and never lit again while the screen is up
};

struct Row
{
    std::function<Form *()> open; // by the user's clicks, from the screen beneath
    std::function<ControlArray<Label> &()> buttons; // the label buttons that light
    int exit; // the index of Exit among them
    std::function<Form *()> beneath; // on show after Exit
    bool exitClicks;
    Hover hover;
};

} // namespace

Q_DECLARE_METATYPE(Row)

namespace {

QList<Label *> shownOf(const ControlArray<Label> &array)
{
    QList<Label *> labels;
    for (auto [index, label] : array)
        if (label->visible() && label->isEnabled())
            labels << label;
    return labels;
}

Form *viaClick(Label *entry, const std::function<Form *()> &screen)
{
    TestUtil::click(entry);
    TestUtil::processEvents();
    Form *form = screen();
    return form && QTest::qWaitForWindowExposed(form) ? form : nullptr;
}

Form *mainMenu()
{
    if (!intro0.isLoaded() || !intro0->isVisible()) {
        shown(Titlefrm.get());
        TestUtil::click(Titlefrm->Command1);
        TestUtil::processEvents();
    }
    return shown(intro0.get());
}

Form *topic(int which)
{
    mainMenu();
    return viaClick(intro0->Label2[which == 1 ? 5 : 6], [which]() -> Form * {
        return which == 1 ? static_cast<Form *>(rivers1.get()) : rivers2.get();
    });
}

Form *quiz()
{
    topic(1);
    return viaClick(rivers1->label3[0], [] { return multiple.get(); });
}

Form *results(const QList<int> &wrong)
{
    quiz();
    answerQuiz(wrong);
    return resultsSettled() ? shown(Welldone.get()) : nullptr;
}

// A point of the bare form, where no control lies, in twips.
QPointF bareSpot(Form *form)
{
    for (int y = 10; y < form->QWidget::height(); y += 10)
        for (int x = 10; x < form->QWidget::width(); x += 10)
            if (!form->childAt(x, y))
                return Twips::fromPixels(QPointF(x, y));
    return {};
}

QList<Label *> lit(const QList<Label *> &buttons)
{
    QList<Label *> on;
    for (Label *button : buttons)
        if (button->backStyle() == BackStyle::Opaque)
            on << button;
    return on;
}

} // namespace

class ScreensTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestUtil::initialise(); }

    void openHoverExitReopen_data()
    {
        QTest::addColumn<Row>("row");
        const auto menu = [] { return intro0.get(); };
        const auto topic1 = []() -> Form * { return rivers1.get(); };
        const auto topic2 = []() -> Form * { return rivers2.get(); };
        const auto from = [](std::function<Form *()> parent, auto entry, auto &slot) {
            return [=, &slot]() -> Form * {
                parent();
                return viaClick(entry(), [&slot] { return slot.get(); });
            };
        };
        // clang-format off
        QTest::newRow("main menu") << Row { mainMenu, []() -> auto & { return intro0->Label2; }, 16, [] { return Titlefrm.get(); }, true, Hover::Relights };
        QTest::newRow("topic menu 1") << Row { [] { return topic(1); }, []() -> auto & { return rivers1->label3; }, 2, menu, true, Hover::Relights };
        QTest::newRow("topic menu 2") << Row { [] { return topic(2); }, []() -> auto & { return rivers2->label3; }, 2, menu, true, Hover::Relights };
        QTest::newRow("key facts") << Row { from([] { return topic(2); }, [] { return rivers2->label3[4]; }, teacher), []() -> auto & { return teacher->label3; }, 1, topic2, false, Hover::None };
        QTest::newRow("teachers' guide") << Row { from(mainMenu, [] { return intro0->Label2[20]; }, guide), []() -> auto & { return guide->label3; }, 1, menu, false, Hover::OutForGood };
        QTest::newRow("quiz") << Row { quiz, []() -> auto & { return multiple->label3; }, 2, topic1, true, Hover::Relights };
        QTest::newRow("results") << Row { [] { return results({ 3 }); }, []() -> auto & { return Welldone->label3; }, 1, topic1, true, Hover::Relights };
        QTest::newRow("review") << Row { from([] { return results({ 3 }); }, [] { return Welldone->label3[0]; }, Wrong), []() -> auto & { return Wrong->label3; }, 1, topic1, false, Hover::None };
        QTest::newRow("rivers1lab") << Row { from([] { return topic(1); }, [] { return rivers1->label3[1]; }, rivers1lab), []() -> auto & { return rivers1lab->label3; }, 0, topic1, true, Hover::Relights };
        QTest::newRow("rivers1ord") << Row { from([] { return topic(1); }, [] { return rivers1->label3[3]; }, rivers1ord), []() -> auto & { return rivers1ord->label3; }, 0, topic1, true, Hover::Relights };
        QTest::newRow("rivers2lab") << Row { from([] { return topic(2); }, [] { return rivers2->label3[1]; }, rivers2lab), []() -> auto & { return rivers2lab->label3; }, 0, topic2, true, Hover::Relights };
        QTest::newRow("rivers2ord") << Row { from([] { return topic(2); }, [] { return rivers2->label3[3]; }, rivers2ord), []() -> auto & { return rivers2ord->label3; }, 0, topic2, true, Hover::Relights };
        QTest::newRow("wizard") << Row { from(mainMenu, [] { return intro0->Label2[17]; }, wizard), []() -> auto & { return wizard->label3; }, 0, menu, true, Hover::Relights };
        QTest::newRow("catalogue") << Row { from(mainMenu, [] { return intro0->Label2[18]; }, worksheets), []() -> auto & { return worksheets->Label2; }, 0, menu, true, Hover::Relights };
// clang-format on
}

void openHoverExitReopen()
{
    QFETCH(Row, row);
    Scene s;
    s.media.write(u"multiple/track.txt"_s, catalogueBytes(numberedTitles(3)));
    Form *screen = row.open();
    QVERIFY(screen);
    // Centred on the display, under the program's caption, blue where nothing lies.
    QCOMPARE(2 * screen->left() + screen->width(), s.desktop.widthTwips());
    QCOMPARE(2 * screen->top() + screen->height(), s.desktop.heightTwips());
    QCOMPARE(screen->caption(), u"Ondel"_s);
    const QPointF bare = bareSpot(screen);
    QCOMPARE(screen->grab().toImage().pixelColor((bare / Twips::perPixel).toPoint()),
             QColor(0, 78, 152));
    // The click of the button that opened it; the results play their celebration after it.
    QCOMPARE(s.sound.last(),
             screen->windowRole() == u"Welldone" ? u"wav\\crowd.wav"_s : clickSound);
    TestUtil::grabScreenshot(
        screen, u"screen_"_s + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));

    // Every button starts lit.
    const QList<Label *> buttons = shownOf(row.buttons());
    QVERIFY(!buttons.isEmpty());
    QCOMPARE(lit(buttons), buttons);
    TestUtil::mouseMove(screen, bare.x(), bare.y());
    QCOMPARE(lit(buttons).isEmpty(), row.hover != Hover::None);
    TestUtil::mouseMove(buttons.last());
    TestUtil::mouseMove(buttons.last(), 30, 30);
    if (row.hover == Hover::Relights) {
        QCOMPARE(lit(buttons), QList { buttons.last() });
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        // The keyboard lights a button as the pointer does.
        buttons.last()->setFocus(Qt::TabFocusReason);
        TestUtil::mouseMove(screen, bare.x(), bare.y());
        QVERIFY(lit(buttons).isEmpty());
        buttons.first()->setFocus(Qt::TabFocusReason);
        QCOMPARE(lit(buttons), QList { buttons.first() });
    } else {
        QCOMPARE(lit(buttons).isEmpty(), row.hover == Hover::OutForGood);
    }

    s.sound.clear();
    QPointer<Form> before = screen;
    TestUtil::click(row.buttons()[row.exit]);
    TestUtil::processEvents();
    QCOMPARE(s.sound.played(), row.exitClicks ? QStringList { clickSound } : QStringList());
    QVERIFY(row.beneath()->isVisible());
    QVERIFY(s.boxes.shown().isEmpty());
    // The results screen and the review close together.
    QVERIFY(!Welldone.isLoaded() && !Wrong.isLoaded());
    if (screen != intro0.get()) {
        QVERIFY(before.isNull());
        // Opened again, it is a new screen with every button lit.
        screen = row.open();
        QVERIFY(screen);
        QCOMPARE(lit(shownOf(row.buttons())), shownOf(row.buttons()));
        // Escape is its Exit, but on the wizard, whose Exit drops what was typed.
        before = screen;
        QVERIFY(QTest::qWaitForWindowActive(screen));
        TestUtil::key(Qt::Key_Escape);
        TestUtil::processEvents();
        QCOMPARE(before.isNull(), qstrcmp(QTest::currentDataTag(), "wizard") != 0);
    }
}

// Title Exit ends the program; Sound Off silences everything; Cancel keeps the menu.
void titleExitCancelAndSoundOff()
{
    Scene s;
    QVERIFY(shown(Titlefrm.get()));
    QCOMPARE(Titlefrm->Command1->caption(), u"OK"_s);
    mainMenu();
    QVERIFY(!Titlefrm.isLoaded());
    TestUtil::click(intro0->Option2);
    QCOMPARE(soundon, 0);
    s.sound.clear();
    MainMenu *menu = intro0.get();
    TestUtil::click(menu->Label2[16]);
    QVERIFY(shown(Titlefrm.get()));
    QCOMPARE(Titlefrm->Command1->caption(), u"Cancel"_s);
    TestUtil::click(Titlefrm->Command1);
    TestUtil::processEvents();
    QCOMPARE(intro0.get(), menu);
    QVERIFY(menu->Option2->value());

    results({ 2 });
    TestUtil::click(Welldone->label3[0]);
    TestUtil::click(Wrong->label3[1]);
    TestUtil::click(rivers1->label3[1]);
    TestUtil::click(rivers1lab->label3[0]);
    TestUtil::click(rivers1->label3[2]);
    TestUtil::click(intro0->Label2[18]);
    QVERIFY(s.sound.played().isEmpty());
    // The catalogue's Exit loads the menu afresh: Sound On chosen, and sounds again.
    TestUtil::click(worksheets->Label2[0]);
    TestUtil::processEvents();
    QVERIFY(QTest::qWaitForWindowExposed(intro0.get()));
    QVERIFY(intro0->Option1->value() && !intro0->Option2->value());
    TestUtil::click(intro0->Label2[16]);
    QCOMPARE(s.sound.played(), QStringList { clickSound });

    QTimer::singleShot(0, [] { TestUtil::click(Titlefrm->Command2); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(-1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

// The footer lies under the main menu's bottom row: a click on Exit's last pixel row is Exit's.
void mainMenuBottomRowTakesClicksToTheLastPixel()
{
    Scene s;
    QVERIFY(mainMenu());
    TestUtil::grabScreenshot(intro0.get(), u"mainmenu_bottom_row"_s);
    Label *exit = intro0->Label2[16];
    TestUtil::click(exit, 600, (exit->QWidget::height() - 1) * Twips::perPixel);
    QVERIFY(Titlefrm.isLoaded() && Titlefrm->isVisible());
}
}
;

QTEST_MAIN(ScreensTest)
#include "tst_screens.moc"
