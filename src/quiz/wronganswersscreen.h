#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"

// The review of the questions answered wrongly after a quiz. The quiz fills the title and
// the rows at scoring and leaves it hidden; the results screen shows it. Only filled rows are
// visible. Makes no sound.
class WrongAnswersScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int rowCount = 10;

    WrongAnswersScreen();
    ~WrongAnswersScreen() override;

    void Form_Load() override;
    // Exit: closes the results screen and then the review.
    void label3_Click(int index);

    Label *Label6 = nullptr;
    Label *Label4 = nullptr;
    ControlArray<Label> Label2 { QStringLiteral("Label2") };
    Label *Label5 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };
};

extern FormSlot<WrongAnswersScreen> Wrong;
