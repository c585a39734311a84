#include "activityscreen.h"

#include "module1.h"
#include "readaloud.h"
#include "resultrecording.h"
#include "resultsscreen.h"
#include "screenparts.h"
#include "topics.h"
#include "twips.h"

#include <algorithm>
#include <numeric>

using namespace ScreenParts;

FormSlots<ActivityScreen> &activityScreens()
{
    static FormSlots<ActivityScreen> screens;
    return screens;
}

FormSlot<ActivityScreen> &rivers1lab = activityScreens()[QStringLiteral("rivers1lab")];
FormSlot<ActivityScreen> &rivers2lab = activityScreens()[QStringLiteral("rivers2lab")];
FormSlot<ActivityScreen> &rivers1ord = activityScreens()[QStringLiteral("rivers1ord")];
FormSlot<ActivityScreen> &rivers2ord = activityScreens()[QStringLiteral("rivers2ord")];

namespace {

enum Button { Exit = 0, StartAgain = 1, CheckScore = 2 };

// In reading order, which is also the Tab order.
constexpr ButtonDesign buttons[] = {
    { StartAgain, u"Start Again", { 3360, 7920, 2565, 495 } },
    { CheckScore, u"Check Score", { 6000, 7920, 2565, 495 } },
    { Exit, u"Exit", { 10560, 7920, 1245, 495 } },
};

QColor colour(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void setupItem(Label &label, const TwipsRect &r)
{
    label.setFont(tahoma.toString(), 9.75, true);
    label.setBorderStyle(BorderStyle::FixedSingle);
    label.setAlignment(Alignment::Center);
    place(label, r);
}

} // namespace

ActivityScreen *ActivityScreen::create(const QString &slotName)
{
    const QString topic = slotName.chopped(3);
    if (const TopicDef *def = Topics::find(topic))
        return new ActivityScreen(slotName.endsWith(QStringLiteral("lab")) ? def->labelling
                                                                           : def->ordering);
    ActivityDef empty;
    empty.screenName = slotName;
    return new ActivityScreen(std::move(empty));
}

ActivityScreen::ActivityScreen(ActivityDef content)
    : m_definition(std::move(content))
    , m_activity(m_definition)
{
    const ActivityDef &definition = m_definition;
    setObjectName(definition.screenName);

    // Created from the lowest layer up: pictures, then texts, lines, boxes and slots, then
    // the buttons, and the words last so that they lie over everything.
    for (const PictureDef &picture : definition.pictures)
        place(*Image1.create(picture.index, this), picture.rect);

    Label6 = new Label(this, QStringLiteral("Label6"));
    setupLabel(*Label6,
               definition.titleSource == TitleSource::Design ? definition.title : QString(),
               { serif, 24, false, yellow, centre, definition.titleRect });

    Label9 = new Label(this, QStringLiteral("Label9"));
    setupLabel(*Label9, QStringLiteral("Drag the labels into the correct boxes."),
               { tahoma, 12, true, QColor(128, 255, 255), centre, definition.instructionRect });

    for (const TextDef &text : definition.texts) {
        auto *label = new Label(this, text.name);
        setupLabel(*label, text.caption,
                   { text.fontName, text.points, false, colour(text.colour), centre, text.rect });
        // Elements of a text array (rivers2ord's column headings) share the name.
        if (text.index >= 0)
            label->setProperty("index", text.index);
    }

    for (const LineDef &def : definition.lines) {
        auto *line = new Line(this, def.name);
        line->setPoints(def.x1, def.y1, def.x2, def.y2);
        line->setColor(colour(def.colour));
        line->setBorderWidth(def.pixels);
    }

    for (int i = 0; i < m_activity.count(); ++i) {
        Label *box = Label1.create(i, this);
        setupItem(*box, m_activity.box(i));
        box->setButton(true);
        box->setCaption(definition.boxes[size_t(i)].word);
        box->setForeColor(yellow);
        box->setBackColor(blue);
    }

    for (int i = 0; i < m_activity.count(); ++i) {
        Label *slot = Label4.create(i, this);
        setupItem(*slot, m_activity.slot(i));
        slot->setBackStyle(BackStyle::Transparent);
        slot->setButton(true);
    }
    // Pressed by the pointer or assistive technology only; the keyboard carries words.
    for (const auto &targets : { &Label1, &Label4 })
        for (const auto &[index, target] : *targets)
            target->setFocusPolicy(Qt::NoFocus);

    for (const ButtonDesign &button : buttons)
        createButton(label3, button, this);
    label3[CheckScore]->setVisible(false);

    for (int i = 0; i < m_activity.count(); ++i) {
        Label *word = Label2.create(i, this);
        setupItem(*word, m_activity.word(i));
        word->setForeColor(yellow);
        word->setBackColor(black);
        word->setButton(true);
    }

    // Tab takes the words in reading order, then the buttons.
    m_readingOrder.resize(m_activity.count());
    std::iota(m_readingOrder.begin(), m_readingOrder.end(), 0);
    std::stable_sort(m_readingOrder.begin(), m_readingOrder.end(), [this](int a, int b) {
        return std::pair(m_activity.slot(a).top, m_activity.slot(a).left)
            < std::pair(m_activity.slot(b).top, m_activity.slot(b).left);
    });
    QWidget *previous = nullptr;
    for (int i : m_readingOrder) {
        if (previous)
            setTabOrder(previous, Label2[i]);
        previous = Label2[i];
    }
    for (int index : { StartAgain, CheckScore, Exit }) {
        setTabOrder(previous, label3[index]);
        previous = label3[index];
    }

    m_mover = new WordMover(*this);
    Label2.connect(&Label::mouseDown, this, &ActivityScreen::Label2_MouseDown);
    Label2.connect(&Label::mouseMove, this, &ActivityScreen::Label2_MouseMove);
    Label2.connect(&Label::mouseUp, this, &ActivityScreen::Label2_MouseUp);
    Label2.connect(&Label::activated, m_mover, [this](int index) { m_mover->press(index); });
    Label1.connect(&Label::clicked, m_mover,
                   [this](int index) { m_mover->pressTarget(2 * index); });
    Label4.connect(&Label::clicked, m_mover,
                   [this](int index) { m_mover->pressTarget(2 * index + 1); });
    label3.connect(&Label::clicked, this, &ActivityScreen::label3_Click);
    ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[Exit]);
    const ReadAloud *readAloud = ReadAloud::install(*this, [this] {
        QStringList parts { Label9->caption() };
        for (int i : m_readingOrder)
            parts << Label2[i]->caption();
        return parts;
    });
    // The speaker button lies below Exit, so it ends the Tab round; like everything else it lies
    // beneath the words, so a word dropped in the bottom-right corner stays in sight.
    setTabOrder(label3[Exit], readAloud->button());
    if (m_activity.count() > 0)
        readAloud->button()->stackUnder(Label2[0]);
}

ActivityScreen::~ActivityScreen() = default;

void ActivityScreen::Form_Load()
{
    formlayout(*this);
    outof = m_activity.count();
    // A picture that cannot be read leaves its place empty; the activity plays on.
    for (const PictureDef &picture : m_definition.pictures)
        Image1[picture.index]->loadPicture(picture.file);
    for (int i = 0; i < m_activity.count(); ++i) {
        Label2[i]->setCaption(Label1[i]->caption());
        Label1[i]->setCaption(QString());
        if (m_definition.boxStyle == BoxStyle::Transparent)
            Label1[i]->setBackStyle(BackStyle::Transparent);
        const TwipsRect &slot = m_activity.slot(i);
        Label4[i]->move(slot.left, slot.top, slot.width, Label4[i]->height());
    }
    if (m_definition.titleSource == TitleSource::Load)
        Label6->setCaption(m_definition.title);
    describe();
}

QPointF ActivityScreen::screenPoint(int index, double x, double y) const
{
    return Twips::fromPixels(QPointF(Label2[index]->geometry().topLeft())) + QPointF(x, y);
}

void ActivityScreen::Label2_MouseDown(int index, int button, int, double x, double y)
{
    if (button != 1)
        return;
    m_pressed = index;
    m_pressAt = screenPoint(index, x, y);
    m_moved = false;
}

void ActivityScreen::Label2_MouseMove(int index, int button, int, double x, double y)
{
    // x and y come from the word's corner on the pixel grid; measure them from its exact
    // corner, so the word's centre lands exactly on the pointer and never creeps.
    const QPointF at = screenPoint(index, x, y);
    if (button == 1 && !m_moved) {
        // A move that goes nowhere leaves a press a click.
        if (index == m_pressed && at == m_pressAt)
            return;
        m_moved = true;
        m_mover->cancel();
    }
    const TwipsRect &word = m_activity.word(index);
    if (m_activity.drag(index, button, static_cast<float>(at.x() - word.left),
                        static_cast<float>(at.y() - word.top)))
        showWord(index);
}

void ActivityScreen::Label2_MouseUp(int index, int button, int, double, double)
{
    const bool click = button == 1 && index == m_pressed && !m_moved;
    m_pressed = -1;
    m_moved = false;
    // Every release is a drop; a click is one too, and also chooses the word.
    if (click)
        m_mover->click(index);
    else
        dropWord(index);
}

void ActivityScreen::carryWord(int index, float left, float top)
{
    m_activity.carry(index, left, top);
    showWord(index);
    describe();
}

void ActivityScreen::dropWord(int index)
{
    const int snaps = m_activity.drop(index);
    showWord(index);
    for (int i = 0; i < snaps; ++i)
        requestSound(QStringLiteral("wav\\thud3.wav"));
    if (m_activity.checkScoreVisible())
        label3[CheckScore]->setVisible(true);
    describe();
}

QString ActivityScreen::targetName(int scanIndex, int except) const
{
    const QString name = scanIndex % 2 == 0 ? QStringLiteral("box %1 of %2")
                                            : QStringLiteral("start place %1 of %2");
    QStringList holding;
    for (int i : m_activity.wordsOn(scanIndex))
        if (i != except)
            holding << Label2[i]->caption();
    return name.arg(scanIndex / 2 + 1).arg(m_activity.count())
        + (holding.isEmpty()
               ? QStringLiteral(", empty")
               : QStringLiteral(", holding ") + holding.join(QStringLiteral(" and ")));
}

void ActivityScreen::describe()
{
    const int carried = m_mover->carried();
    const auto rename = [](Label *label, const QString &name) {
        if (label->accessibleName() != name)
            label->setAccessibleName(name);
    };
    for (int k = 0; k < m_activity.targetCount(); ++k)
        rename(k % 2 == 0 ? Label1[k / 2] : Label4[k / 2], targetName(k, carried));
    for (int i = 0; i < m_activity.count(); ++i) {
        QString name = QStringLiteral("word: ") + Label2[i]->caption();
        if (i == carried) {
            name += QStringLiteral(", picked up");
            if (const int over = m_activity.targetOf(i); over >= 0)
                name += QStringLiteral(", over ") + targetName(over, i);
        }
        rename(Label2[i], name);
    }
}

void ActivityScreen::label3_Click(int index)
{
    m_mover->cancel();
    score = 0;
    switch (index) {
    case Exit:
        unload();
        break;
    case StartAgain:
        m_activity.startAgain();
        for (int i = 0; i < m_activity.count(); ++i)
            showWord(i);
        label3[CheckScore]->setVisible(false);
        describe();
        break;
    case CheckScore:
        score = m_activity.score();
        // Set again here, not only at load: the quiz or another activity may have changed
        // outof since this screen loaded, and the sentence must count this activity's words.
        outof = m_activity.count();
        Welldone->show();
        ResultRecording::keep(Label6->caption(), m_definition.activityName, score, outof);
        break;
    default:
        return;
    }
    requestSound(clickSound);
}

void ActivityScreen::showWord(int index)
{
    const TwipsRect &word = m_activity.word(index);
    Label2[index]->move(word.left, word.top);
}
