#pragma once

#include "buttonhover.h"
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "picturebox.h"
#include "textbox.h"
#include "timer.h"

// The results screen that ends every scored activity. Hand-off for a caller:
//   1. set outof and score;
//   2. (quiz only) fill the review Wrong and quizheading;
//   3. touch Welldone: its load reads score and outof and writes the score sentence;
//   4. (quiz only) hide Label6, make Label5 and label3[0] visible;
//   5. Welldone->show().
// Once on show it loads its picture, moves the focus to the name box, lights its buttons
// and plays a celebration chosen by the score, in that order. Exit closes it and the review.
// To assistive technology the screen is named by its headline and score sentence, so a
// screen reader says the score as the screen appears.
class ResultsScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int nameLength = 25;

    ResultsScreen();
    ~ResultsScreen() override;

    void Form_Load() override;
    // 0: "Print Certificate" on full marks, else "Check Wrong Answers"; 1: Exit.
    void label3_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // Prints the certificate with the name in Text1 and reports the outcome in a message box.
    void Printpage();

    Label *Label4 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };
    PictureBox *Picture1 = nullptr;
    Label *Label1 = nullptr;
    Label *Label5 = nullptr;
    Label *Label6 = nullptr;
    TextBox *Text1 = nullptr;
    Label *Label2 = nullptr;
    Timer *Timer1 = nullptr;
    Timer *Timer2 = nullptr;
    Timer *Timer3 = nullptr;

private:
    ButtonHover *m_hover = nullptr;
};

extern FormSlot<ResultsScreen> Welldone;
