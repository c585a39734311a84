#include "wizardscreen.h"

#include "module1.h"
#include "screenparts.h"
#include "teacherdoor.h"
#include "windows1252.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"
#include "worksheettext.h"

#include <array>
#include <exception>

FormSlot<WizardScreen> wizard("wizard");

using namespace ScreenParts;

namespace {

struct Caption
{
    const char16_t *text;
    TwipsRect rect;
    double points;
};

constexpr Caption screenTitle { u"Multiple Choice Wizard", { 0, 0, 4320, 540 }, 18 };
constexpr Caption titleCaption { u"Worksheet Title", { 5160, 120, 2280, 345 }, 14.25 };

constexpr TwipsRect titleBox { 7560, 120, 4215, 375 };

// Questions 1 to 5 down the left column, 6 to 10 down the right one.
constexpr std::array<float, 5> rowTops { 840, 2280, 3720, 5160, 6600 };
constexpr std::array<float, 2> columnShifts { 0, 5880 };

constexpr float questionLeft = 240;
constexpr float questionWidth = 5655;
constexpr float questionHeight = 375;
constexpr float questionCaptionWidth = 1455;
constexpr float questionCaptionHeight = 255;
constexpr double questionCaptionPoints = 9.75;

constexpr float answerWidth = 2295;
constexpr float answerHeight = 330;
constexpr float tickWidth = 255;
constexpr float tickHeight = 315;
constexpr float letterWidth = 285;
constexpr double letterPoints = 12;

// Answers A to D of a question, in a two-by-two block under its box (left column offsets).
struct AnswerSlot
{
    const char16_t *letter;
    float letterLeft;
    float tickLeft;
    float boxLeft;
    float below;
};

constexpr std::array<AnswerSlot, 4> answerSlots { {
    { u"A.", 180, 480, 720, 390 },
    { u"B.", 3030, 3330, 3600, 390 },
    { u"C.", 180, 480, 720, 720 },
    { u"D.", 3030, 3330, 3600, 720 },
} };

// In reading order, which is also the Tab order.
constexpr std::array<ButtonDesign, 2> buttons { {
    { 1, u"Save Worksheet", { 240, 7920, 3165, 495 } },
    { 0, u"Exit", { 10560, 7920, 1245, 495 } },
} };

constexpr char16_t answerLetters[] = u"ABCD";

// Bold yellow Tahoma on one line.
void setupCaption(Label *label, const QString &text, const TwipsRect &rect, double points,
                  Alignment alignment = flushLeft)
{
    setupLabel(*label, text, { tahoma, points, true, yellow, alignment, rect });
    label->setWordWrap(false);
}

void setupBox(TextBox *box, const TwipsRect &rect, double points, int maxLength)
{
    box->setFont(serif.toString(), points);
    box->setMaxLength(maxLength);
    place(*box, rect);
}

float rowTop(int row)
{
    return rowTops[row % 5];
}

float columnShift(int row)
{
    return columnShifts[row / 5];
}

// Why text, typed in the box called name, would not read back from the worksheet file as
// typed; empty when it would.
QString textProblem(const QString &text, const QString &name)
{
    if (text.startsWith(u'"'))
        return QStringLiteral("%1 cannot begin with a double quote (\"), because it would not "
                              "be read back as typed. Please change it.")
            .arg(name);
    // The file keeps commas as "&", so an "&" would come back as a comma.
    if (text.contains(u'&'))
        return QStringLiteral("%1 holds \"&\", which would be read back as a comma. Please "
                              "write \"and\" instead.")
            .arg(name);
    const qsizetype unstorable = Windows1252::firstUnencodable(text);
    if (unstorable >= 0)
        return QStringLiteral("%1 holds the character %2, which a worksheet cannot store. "
                              "Please change it.")
            .arg(name, text.at(unstorable));
    if (!WorksheetText::isStorable(text))
        return QStringLiteral("%1 holds a line break, which a worksheet cannot store. "
                              "Please change it.")
            .arg(name);
    return {};
}

// The file layer says what a title may be.
QString titleProblem(const QString &title)
{
    const QString problem = WorksheetText::titleProblem(title);
    if (problem.isEmpty())
        return {};
    return QStringLiteral("Please choose another title for your worksheet. ") + problem;
}

} // namespace

WizardScreen::WizardScreen()
{
    int labelIndex = 0;
    setupCaption(Label1.create(labelIndex++, this), QString::fromUtf16(screenTitle.text),
                 screenTitle.rect, screenTitle.points);
    setupCaption(Label1.create(labelIndex++, this), QString::fromUtf16(titleCaption.text),
                 titleCaption.rect, titleCaption.points);
    Text1 = new TextBox(this, QStringLiteral("Text1"));
    setupBox(Text1, titleBox, 12, titleMaxLength);
    Text1->setAccessibleName(QStringLiteral("Worksheet Title"));

    for (int row = 0; row < worksheetQuestionCount; ++row) {
        const float top = rowTop(row);
        const float shift = columnShift(row);
        const QString question = QStringLiteral("Question %1").arg(row + 1);
        setupCaption(Label1.create(labelIndex++, this), question,
                     { questionLeft + shift, top - questionCaptionHeight, questionCaptionWidth,
                       questionCaptionHeight },
                     questionCaptionPoints);
        TextBox *questionBox = Text2.create(row, this);
        setupBox(questionBox, { questionLeft + shift, top, questionWidth, questionHeight }, 12,
                 questionMaxLength);
        questionBox->setAccessibleName(question);
        for (int k = 0; k < 4; ++k) {
            const AnswerSlot &slot = answerSlots[k];
            const int index = 4 * row + k;
            setupCaption(Label1.create(labelIndex++, this), QString::fromUtf16(slot.letter),
                         { slot.letterLeft + shift, top + slot.below, letterWidth, answerHeight },
                         letterPoints, Alignment::Right);
            // The tick boxes have no caption; assistive technology still names them.
            const QString answer
                = QStringLiteral("%1 answer %2").arg(question, QChar(answerLetters[k]));
            CheckBox *tick = Check1.create(index, this);
            place(*tick, { slot.tickLeft + shift, top + slot.below, tickWidth, tickHeight });
            tick->setAccessibleName(answer + QStringLiteral(" is correct"));
            TextBox *answerBox = Text3.create(index, this);
            setupBox(answerBox,
                     { slot.boxLeft + shift, top + slot.below, answerWidth, answerHeight }, 9.75,
                     answerMaxLength);
            answerBox->setAccessibleName(answer);
        }
    }

    for (const ButtonDesign &design : buttons)
        createButton(label3, design, this);

    connect(Text1, &TextBox::keyPress, this, &WizardScreen::Text1_KeyPress);
    Text2.connect(&TextBox::keyPress, this, &WizardScreen::Text2_KeyPress);
    Text3.connect(&TextBox::keyPress, this, &WizardScreen::Text3_KeyPress);
    label3.connect(&Label::clicked, this, &WizardScreen::label3_Click);
    ButtonHover::install(*this, label3);
}

WizardScreen::~WizardScreen() = default;

void WizardScreen::Form_Load()
{
    formlayout(*this);
    for (const auto &[index, tick] : Check1)
        tick->setBackColor(layoutBlue);
}

void WizardScreen::label3_Click(int index)
{
    if (index == 0)
        unload();
    else
        TeacherDoor::enter(this, [this] { genwork(); });
    requestSound(clickSound);
}

void WizardScreen::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        Text2[0]->setFocus();
}

void WizardScreen::Text2_KeyPress(int index, int keyAscii)
{
    if (keyAscii == 13)
        Text3[4 * index]->setFocus();
}

void WizardScreen::Text3_KeyPress(int index, int keyAscii)
{
    if (keyAscii != 13)
        return;
    if (index % 4 < 3)
        Text3[index + 1]->setFocus();
    else if (index < 39)
        Text2[(index + 1) / 4]->setFocus();
}

void WizardScreen::genwork()
{
    if (Text1->text().isEmpty()) {
        message(QStringLiteral("You have not chosen a title for your worksheet"));
        return;
    }
    for (int q = 1; q <= worksheetQuestionCount; ++q) {
        const QString number = QStringLiteral(" %1").arg(q);
        const QString incomplete = QStringLiteral("You have not completed Question") + number;
        if (Text2[q - 1]->text().isEmpty()) {
            message(incomplete);
            return;
        }
        int ticks = 0;
        for (int k = 0; k < 4; ++k) {
            const int index = 4 * (q - 1) + k;
            if (Text3[index]->text().isEmpty()) {
                message(incomplete);
                return;
            }
            if (Check1[index]->value() == 1)
                ++ticks;
        }
        if (ticks == 0) {
            message(QStringLiteral("You have not ticked the correct answer for Question") + number);
            return;
        }
        if (ticks > 1) {
            message(QStringLiteral("You have ticked more than one correct answer for Question")
                    + number);
            return;
        }
    }
    const QString problem = storageProblem();
    if (!problem.isEmpty()) {
        message(problem);
        return;
    }
    saveworksheet();
}

QString WizardScreen::storageProblem() const
{
    const QString problem = titleProblem(Text1->text());
    if (!problem.isEmpty())
        return problem;
    for (int row = 0; row < worksheetQuestionCount; ++row) {
        const QString question = QStringLiteral("Question %1").arg(row + 1);
        QString problem = textProblem(Text2[row]->text(), question);
        for (int k = 0; k < 4 && problem.isEmpty(); ++k) {
            problem = textProblem(
                Text3[4 * row + k]->text(),
                QStringLiteral("Answer %1 of %2").arg(QChar(answerLetters[k])).arg(question));
        }
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

void WizardScreen::saveworksheet()
{
    try {
        WorksheetFiles::saveworksheet(draft(), showBusyWhileWaiting);
    } catch (const WorksheetFileError &error) {
        // The reason follows, so that a teacher knows what to put right.
        message(QStringLiteral("There was a problem saving your worksheet\n\n") + error.message());
        return;
    } catch (const std::exception &) {
        message(QStringLiteral("There was a problem saving your worksheet"));
        return;
    }
    Q_EMIT worksheetSaved();
    message(QStringLiteral("Your worksheet has been saved."));
}

WorksheetDraft WizardScreen::draft() const
{
    WorksheetDraft draft;
    draft.title = Text1->text();
    for (int row = 0; row < worksheetQuestionCount; ++row)
        draft.questions[row] = Text2[row]->text();
    for (int index = 0; index < 40; ++index) {
        draft.answers[index] = Text3[index]->text();
        draft.ticks[index] = Check1[index]->value() == 1;
    }
    return draft;
}

void WizardScreen::fill(const WorksheetDraft &draft)
{
    Text1->setText(draft.title);
    for (int row = 0; row < worksheetQuestionCount; ++row)
        Text2[row]->setText(draft.questions[row]);
    for (int index = 0; index < 40; ++index) {
        Text3[index]->setText(draft.answers[index]);
        Check1[index]->setValue(draft.ticks[index] ? 1 : 0);
    }
}
