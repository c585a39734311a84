#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "optionbutton.h"
#include "optiongroup.h"
#include "picturebox.h"

// The quiz: the ten questions of the worksheet in memory, one at a time, each with four
// answers. A question is marked when the pupil leaves it forward; after question 10 the score
// goes to the results screen and the wrong questions to the review.
//
// Opening: read the worksheet into memory first (the load shows question 1 of it), then put
// a small picture into Picture1, set Label5 to the heading and show the screen. See
// QuizOpener::open.
//
// To the keyboard and to assistive technology the four answers are one group of option
// buttons, named by the question; a question shown while the keyboard is in use starts with
// the focus on its first answer, not chosen.
class QuizScreen final : public Form
{
    Q_OBJECT

public:
    // Option1[noAnswer] is the hidden fifth option behind Picture1: selecting it clears the
    // choice, and giving it the focus leaves no focus mark on a visible answer. Tab never
    // reaches it.
    static constexpr int noAnswer = 5;

    QuizScreen();
    ~QuizScreen() override;

    void Form_Load() override;
    // Shows question questnum with no answer chosen.
    void showquest();
    // Prints the worksheet in memory and says whether it went to the printer.
    void Printpage();
    // 0: previous question; 1: next question or check score; 2: Exit; 3: print.
    void label3_Click(int index);
    void Option1_Click(int index);

    Label *Label1 = nullptr;
    PictureBox *Picture1 = nullptr;
    Label *Label5 = nullptr;
    Label *Label6 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };
    Label *Label4 = nullptr;
    Label *Label2 = nullptr;
    ControlArray<OptionButton> Option1 { QStringLiteral("Option1") };
    // Option1[1] to Option1[4].
    OptionGroup *Answers = nullptr;

private:
    // Marks the question on show from the answer chosen: 1 when it is the correct one.
    void markQuestion();
    // Adds up the marks, fills the review with the wrong questions and opens the results.
    void scoreQuiz();
};

extern FormSlot<QuizScreen> multiple;
