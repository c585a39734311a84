#pragma once

#include "checkbox.h"
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"

// The Worksheets Catalogue: the saved worksheets' titles, 24 to a page. A click on a title
// opens that worksheet as a quiz, or in the wizard when "Edit Worksheet" is ticked, or
// removes it from the catalogue after asking when "Delete Worksheet" is ticked. The main
// menu is closed while it is shown; Exit brings the menu back.
class CatalogueScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int titlesPerPage = 24;
    static constexpr int lastPage = 40;

    CatalogueScreen();
    ~CatalogueScreen() override;

    // Reads the catalogue and shows its first page; failures leave what was read.
    void Form_Load() override;

    void Check1_Click();
    void Check2_Click();
    // 0: Exit; 1 to 24: the title on show there. The click sound comes first.
    void Label2_Click(int index);
    // 0: previous page; 1: next page.
    void label3_Click(int index);

    // Draws page catpage.
    void workpage();
    // Puts the worksheet in memory into the wizard under title and shows it. Throws
    // WorksheetFileError, opening nothing, when a correct answer is not "1" to "4".
    void editworksheet(const QString &title);

    Label *Label1 = nullptr;
    CheckBox *Check1 = nullptr;
    CheckBox *Check2 = nullptr;
    ControlArray<Label> Label2 { QStringLiteral("Label2") };
    ControlArray<Label> label3 { QStringLiteral("label3") };
    Label *Label4 = nullptr;

private:
    // The open, edit or delete action on the title T; any failure ends it with the
    // corrupted-worksheet message.
    void actOnTitle(const QString &title);
    void deleteTitle(const QString &title);
};

extern FormSlot<CatalogueScreen> worksheets;
