#include "quizscreen.h"

#include "focusmark.h"
#include "module1.h"
#include "printer.h"
#include "readaloud.h"
#include "resultrecording.h"
#include "resultsscreen.h"
#include "screenparts.h"
#include "worksheetfiles.h"
#include "worksheetprintout.h"
#include "wronganswersscreen.h"

#include <QButtonGroup>

#include <array>

using namespace ScreenParts;

FormSlot<QuizScreen> multiple("multiple");

namespace {

constexpr QColor lilac = QColor(128, 128, 255);

constexpr LabelDesign titleDesign { tahoma, 36, true, yellow, centre, { 120, 120, 5880, 900 } };
constexpr LabelDesign headingDesign { serif, 24, false, green, centre, { 120, 1200, 6465, 585 } };
constexpr LabelDesign sheetTitleDesign {
    serif, 24, false, lilac, centre, { 120, 1920, 6465, 705 }
};
constexpr LabelDesign numberDesign {
    serif, 24, false, yellow, flushLeft, { 360, 3240, 5415, 615 }
};
constexpr LabelDesign questionDesign {
    serif, 30, false, yellow, centre, { 960, 3960, 9840, 1455 }
};

constexpr ButtonDesign printButton { 3, u"Print Worksheet", { 7920, 1920, 3045, 495 } };
constexpr std::array<ButtonDesign, 3> lowerButtons { {
    { 0, u"<< Previous Question", { 2040, 7920, 3765, 495 } },
    { 1, u"Next Question >>", { 6000, 7920, 3765, 495 } },
    { 2, u"Exit", { 10560, 7920, 1245, 495 } },
} };

// The four answers, A to D.
constexpr std::array<TwipsRect, 4> answerRects { {
    { 2400, 5400, 6975, 525 },
    { 2400, 6000, 6975, 525 },
    { 2400, 6600, 6975, 525 },
    { 2400, 7200, 6975, 525 },
} };

} // namespace

QuizScreen::QuizScreen()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("Multiple Choice"), titleDesign);
    Picture1 = new PictureBox(this, QStringLiteral("Picture1"));
    Picture1->move(6240, 240, 855, 615);
    Label5 = new Label(this, QStringLiteral("Label5"));
    setupLabel(*Label5, QString(), headingDesign);
    Label6 = new Label(this, QStringLiteral("Label6"));
    setupLabel(*Label6, QString(), sheetTitleDesign);
    createButton(label3, printButton, this);
    Label4 = new Label(this, QStringLiteral("Label4"));
    setupLabel(*Label4, QString(), numberDesign);
    Label2 = new Label(this, QStringLiteral("Label2"));
    setupLabel(*Label2, QString(), questionDesign);

    // Small enough to lie wholly behind Picture1 once the load has moved it there. Made before
    // the answers, so that Tab from it goes to the first answer.
    OptionButton *unseen = Option1.create(noAnswer, this);
    unseen->move(0, 0, 375, 255);
    unseen->setFocusPolicy(Qt::NoFocus);
    unseen->setReachableByKeyboard(false);
    Answers = new OptionGroup(this, QStringLiteral("Answers"));
    auto *choice = new QButtonGroup(this);
    choice->addButton(unseen);
    for (int i = 1; i <= 4; ++i) {
        OptionButton *answer = Option1.create(i, Answers);
        answer->setFont(serif.toString(), 20.25);
        answer->setForeColor(yellow);
        place(*answer, answerRects[i - 1]);
        choice->addButton(answer);
    }

    for (const ButtonDesign &button : lowerButtons)
        createButton(label3, button, this);
    label3[0]->setVisible(false);

    Picture1->raise();

    label3.connect(&Label::clicked, this, &QuizScreen::label3_Click);
    ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[2]);
    Option1.connect(&OptionButton::clicked, this, &QuizScreen::Option1_Click);
    ReadAloud::install(*this, [this] {
        return QStringList { Label4->caption(),     Label2->caption(),     Option1[1]->caption(),
                             Option1[2]->caption(), Option1[3]->caption(), Option1[4]->caption() };
    });
}

QuizScreen::~QuizScreen() = default;

void QuizScreen::Form_Load()
{
    formlayout(*this);
    score = 0;
    outof = 10;
    questnum = 1;
    for (int q = 1; q <= worksheetQuestionCount; ++q)
        marks[q] = 0;
    Option1[noAnswer]->move(Picture1->left() + 240, Picture1->top() + 240);
    for (int i = 1; i <= 4; ++i)
        Option1[i]->setBackColor(layoutBlue);
    Label6->setCaption(worktitle);
    showquest();
}

void QuizScreen::showquest()
{
    const int q = questnum;
    Option1[noAnswer]->setValue(true);
    label3[0]->setVisible(true);
    label3[1]->setCaption(QStringLiteral("Next Question >>"));
    Label4->setCaption(QStringLiteral("Question %1").arg(q));
    Label2->setCaption(questions[q]);
    Option1[1]->setCaption(answera[q]);
    Option1[2]->setCaption(answerb[q]);
    Option1[3]->setCaption(answerc[q]);
    Option1[4]->setCaption(answerd[q]);
    if (q == 1)
        label3[0]->setVisible(false);
    if (q == worksheetQuestionCount)
        label3[1]->setCaption(QStringLiteral("Check Score >>"));
    Answers->setAccessibleName(Label4->caption() + QStringLiteral(": ") + Label2->caption());
    // While the screen is still loading, this makes the hidden option the one that takes the
    // focus when the screen first shows, rather than the first button. A keyboard user goes
    // on from the first answer instead.
    if (FocusMark::keyboardInUse())
        Option1[1]->setFocus(Qt::TabFocusReason);
    else
        Option1[noAnswer]->setFocus();
}

void QuizScreen::Option1_Click(int)
{
    requestSound(QStringLiteral("wav\\typekey.wav"));
}

void QuizScreen::label3_Click(int index)
{
    switch (index) {
    case 0:
        --questnum;
        showquest();
        break;
    case 1:
        markQuestion();
        ++questnum;
        if (questnum < worksheetQuestionCount + 1)
            showquest();
        else
            scoreQuiz();
        break;
    case 2:
        unload();
        break;
    case 3:
        Printpage();
        break;
    }
    requestSound(clickSound);
}

void QuizScreen::markQuestion()
{
    // A worksheet is checked when it is opened, so the correct answer is "1" to "4"; anything
    // else still marks the question wrong rather than failing.
    const int c = WorksheetFiles::correctAnswer(questnum);
    marks[questnum] = c != 0 && Option1[c]->value() ? 1 : 0;
}

void QuizScreen::scoreQuiz()
{
    // Counted from this quiz's own marks alone: an activity used meanwhile leaves its own
    // score and count in the shared globals.
    int right = 0;
    QList<int> wrong;
    for (int i = 1; i <= worksheetQuestionCount; ++i) {
        const bool isRight = marks[i] == 1;
        right += isRight ? 1 : 0;
        if (!isRight) {
            wrong += i;
            // The questions wrong so far, this one included, less one: 0 to 9.
            Label *row = Wrong->Label2[i - 1 - right];
            row->setCaption(QStringLiteral(" %1. ").arg(i) + questions[i]);
            row->setVisible(true);
        }
    }
    score = right;
    outof = worksheetQuestionCount;
    quizheading = Label5->caption();
    Wrong->Label6->setCaption(Label6->caption());
    Welldone->Label6->setVisible(false);
    Welldone->Label5->setVisible(true);
    Welldone->label3[0]->setVisible(true);
    Welldone->show();
    ResultRecording::keep(Label6->caption(), ResultRecording::quizActivity, score, outof, wrong);
    unload();
}

void QuizScreen::Printpage()
{
    Printer &printer = Printer::current();
    try {
        WorksheetPrintout::print(printer, Label5->caption(), Label6->caption());
    } catch (const PrinterError &) {
        message(QStringLiteral("There was a problem printing to your printer."));
        return;
    }
    // Without a printer the worksheet became a file, and the box says only that.
    const QString note = printer.savedFileNote(QStringLiteral("your worksheet"));
    message(note.isEmpty() ? QStringLiteral("Your worksheet is now printing.") : note);
}
