#include "wronganswersscreen.h"

#include "module1.h"
#include "resultsscreen.h"
#include "screenparts.h"

using namespace ScreenParts;

FormSlot<WrongAnswersScreen> Wrong("Wrong");

namespace {

constexpr LabelDesign titleDesign { tahoma, 20.25, true, yellow, centre, { 0, 120, 12000, 540 } };
constexpr LabelDesign introDesign {
    tahoma, 15.75, true, yellow, flushLeft, { 240, 960, 12000, 540 }
};
constexpr LabelDesign adviceDesign { tahoma, 20.25, true, yellow, centre, { 0, 7920, 12000, 540 } };
constexpr ButtonDesign exitButton { 1, u"Exit", { 10560, 7920, 1245, 495 } };

// Row k of the list, 600 twips below the one before.
constexpr LabelDesign rowDesign(int k)
{
    return { tahoma, 15.75, true, white, flushLeft, { 120, 1680.0f + 600.0f * k, 12000, 540 } };
}

} // namespace

WrongAnswersScreen::WrongAnswersScreen()
{
    Label6 = new Label(this, QStringLiteral("Label6"));
    setupLabel(*Label6, QString(), titleDesign);
    Label4 = new Label(this, QStringLiteral("Label4"));
    setupLabel(*Label4, QStringLiteral("You answered the following questions incorrectly."),
               introDesign);
    for (int k = 0; k < rowCount; ++k) {
        Label *row = Label2.create(k, this);
        setupLabel(*row, QStringLiteral("Label2"), rowDesign(k));
        row->setVisible(false);
    }
    Label5 = new Label(this, QStringLiteral("Label5"));
    setupLabel(*Label5, QStringLiteral("Read the Key Facts and try again."), adviceDesign);
    createButton(label3, exitButton, this);

    label3.connect(&Label::clicked, this, &WrongAnswersScreen::label3_Click);
    exitOnEscape(*this, label3[1]);
}

WrongAnswersScreen::~WrongAnswersScreen() = default;

void WrongAnswersScreen::Form_Load()
{
    formlayout(*this);
}

void WrongAnswersScreen::label3_Click(int)
{
    Welldone.unload();
    unload();
}
