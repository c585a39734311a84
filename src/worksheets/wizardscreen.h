#pragma once

#include "checkbox.h"
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "textbox.h"
#include "worksheetdraft.h"

// The Multiple Choice Wizard: a title, ten questions with four answers each and a tick
// against each correct answer. "Save Worksheet" checks the boxes in a fixed order and saves
// the worksheet and its catalogue entry; Exit throws the boxes away without asking.
class WizardScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int titleMaxLength = WorksheetDraft::titleMaxLength;
    static constexpr int questionMaxLength = WorksheetDraft::questionMaxLength;
    static constexpr int answerMaxLength = WorksheetDraft::answerMaxLength;

    WizardScreen();
    ~WizardScreen() override;

    void Form_Load() override;

    // 0: Exit; 1: Save Worksheet. The click sound follows either.
    void label3_Click(int index);
    // Enter moves the focus on through the boxes; every other key types as usual.
    void Text1_KeyPress(int keyAscii);
    void Text2_KeyPress(int index, int keyAscii);
    void Text3_KeyPress(int index, int keyAscii);

    // Checks the boxes in order and reports the first thing missing or that cannot be stored;
    // saves when everything is in order.
    void genwork();
    // Writes the worksheet in the boxes and adds its title to the catalogue, then says whether
    // that worked.
    void saveworksheet();

    // The worksheet as the boxes hold it, and the boxes filled from a worksheet (every tick
    // set as the draft says, so ticks left from earlier typing go).
    WorksheetDraft draft() const;
    void fill(const WorksheetDraft &draft);

    ControlArray<Label> Label1 { QStringLiteral("Label1") };
    TextBox *Text1 = nullptr;
    ControlArray<TextBox> Text2 { QStringLiteral("Text2") };
    ControlArray<TextBox> Text3 { QStringLiteral("Text3") };
    ControlArray<CheckBox> Check1 { QStringLiteral("Check1") };
    ControlArray<Label> label3 { QStringLiteral("label3") };

Q_SIGNALS:
    // A worksheet was written and catalogued, so a catalogue on show has changed.
    void worksheetSaved();

private:
    // The first reason, in box order, why the boxes cannot be saved as typed; empty when
    // they can. Runs after the completeness checks.
    QString storageProblem() const;
};

extern FormSlot<WizardScreen> wizard;
