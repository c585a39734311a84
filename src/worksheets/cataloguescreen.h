#pragma once

#include "checkbox.h"
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"

// The Worksheets Catalogue: the saved worksheets' titles, 24 to a page. A click on a title
// opens that worksheet as a quiz, or in the wizard when "Edit Worksheet" is ticked, or
// removes it from the catalogue after asking when "Delete Worksheet" is ticked. The main
// menu is closed while it is shown; Exit brings the menu back. "Import Questions" reads a
// question file of the learning platform into worksheets; "Export Worksheet" makes the next
// title clicked a question file.
class CatalogueScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int titlesPerPage = 24;
    static constexpr int lastPage = 40;
    // The two buttons below the page buttons, elements of Label2 with the titles' look.
    static constexpr int importButton = 25;
    static constexpr int exportButton = 26;
    // Between them, with the class record on.
    static constexpr int classResultsButton = 27;

    CatalogueScreen();
    ~CatalogueScreen() override;

    // Reads the catalogue and shows its first page; failures leave what was read.
    void Form_Load() override;

    void Check1_Click();
    void Check2_Click();
    // 0: Exit; 1 to 24: the title on show there; 25: Import Questions; 26: Export Worksheet;
    // 27: Class Results. The click sound comes first. Editing, deleting, importing, exporting
    // and Class Results ask for the teacher password first, where one is set (TeacherDoor).
    void Label2_Click(int index);
    // 0: previous page; 1: next page.
    void label3_Click(int index);

    // Draws page catpage.
    void workpage();
    // Puts the worksheet in memory into the wizard under title and shows it. Throws
    // WorksheetFileError, opening nothing, when a correct answer is not "1" to "4".
    void editworksheet(const QString &title);

    // Asks for a GIFT or Moodle XML file and makes worksheets of its questions: ten or fewer
    // open in the wizard; more are saved ten to a worksheet, and any left over open in the
    // wizard. A box then says what was imported and skipped, and why.
    void importQuestions();
    // While true, a click on a title exports that worksheet; "Export Worksheet" then reads
    // "Cancel Export".
    bool exporting() const { return m_exporting; }

    Label *Label1 = nullptr;
    CheckBox *Check1 = nullptr;
    CheckBox *Check2 = nullptr;
    ControlArray<Label> Label2 { QStringLiteral("Label2") };
    ControlArray<Label> label3 { QStringLiteral("label3") };
    Label *Label4 = nullptr;
    // Why no titles can be listed (the worksheets folder cannot be reached); hidden otherwise.
    Label *Label5 = nullptr;

private:
    // The open, edit or delete action on the title T; any failure ends it with the
    // corrupted-worksheet message, or, when the worksheets folder is to blame, with why.
    void actOnTitle(const QString &title);
    void deleteTitle(const QString &title);
    // Export Worksheet: asks for a title to be clicked, or, clicked again, cancels.
    void chooseExport();
    void setExporting(bool exporting);
    // Reads the catalogue again and draws the page, after a worksheet was saved over it.
    void showChangedCatalogue();
    // Has the wizard, which this screen filled, redraw the catalogue when it saves.
    void followWizard();
    // Asks where to save the worksheet and in which format, and writes it there.
    void exportWorksheet(const QString &title);

    bool m_exporting = false;
};

extern FormSlot<CatalogueScreen> worksheets;
