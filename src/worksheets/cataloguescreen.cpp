#include "cataloguescreen.h"

#include "catalogueexchange.h"
#include "classrecord.h"
#include "classresultsscreen.h"
#include "messageboxes.h"
#include "module1.h"
#include "navigation.h"
#include "quizopener.h"
#include "screenparts.h"
#include "teacherdoor.h"
#include "wizardscreen.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"

#include <algorithm>
#include <array>
#include <exception>
#include <functional>

FormSlot<CatalogueScreen> worksheets("worksheets");

using namespace ScreenParts;

namespace {

constexpr TwipsRect editRect { 120, 120, 2535, 375 };
constexpr TwipsRect deleteRect { 9240, 120, 2535, 375 };

// Titles 1 to 12 down the left column, 13 to 24 down the right one.
constexpr std::array<float, 2> columnLefts { 120, 6120 };
constexpr float titleTop = 720;
constexpr float titleSpacing = 600;
constexpr float titleWidth = 5715;
constexpr float titleHeight = 375;
constexpr double titlePoints = 12;

constexpr ButtonDesign exitButton { 0, u"Exit", { 10560, 7920, 1245, 495 }, 18 };
constexpr std::array<ButtonDesign, 2> pageButtons { {
    { 0, u"<< Previous Page", { 2640, 7920, 3195, 495 }, 15.75 },
    { 1, u"Next Page >>", { 6000, 7920, 3195, 495 }, 15.75 },
} };
constexpr std::array<ButtonDesign, 3> exchangeButtons { {
    { CatalogueScreen::importButton, u"Import Questions", { 120, 8520, 2775, 375 }, titlePoints },
    { CatalogueScreen::classResultsButton,
      u"Class Results",
      { 4605, 8520, 2775, 375 },
      titlePoints },
    { CatalogueScreen::exportButton, u"Export Worksheet", { 9030, 8520, 2775, 375 }, titlePoints },
} };
const QString exportCaption = QStringLiteral("Export Worksheet");
const QString cancelExportCaption = QStringLiteral("Cancel Export");

const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");
const QString quizPicture = QStringLiteral("images\\swan1.jpg");

// The catalogue's buttons keep their captions on one line, clipped.
Label *createOneLineButton(ControlArray<Label> &buttons, const ButtonDesign &design,
                           QWidget *parent)
{
    Label *button = createButton(buttons, design, parent);
    button->setWordWrap(false);
    return button;
}

void setupTick(CheckBox *tick, const QString &caption, const TwipsRect &rect, const QColor &colour)
{
    tick->setCaption(caption);
    tick->setFont(tahoma.toString(), 12, true);
    tick->setForeColor(colour);
    place(*tick, rect);
}

// A tick of the teachers' area waits for the teacher password, where one is set: it is taken
// back, and given again with click run once the password is given. False when it stands.
bool tickWaitsForPassword(QObject *screen, CheckBox *tick, const std::function<void()> &click)
{
    if (tick->value() == 0 || TeacherDoor::isOpen())
        return false;
    tick->setValue(0);
    TeacherDoor::enter(screen, [tick, click] {
        tick->setValue(1);
        click();
    });
    return true;
}

// The titles the screen can page through: what was read, never more than the catalogue holds.
int listedCount()
{
    return std::clamp(trackcount, 0, catalogueCapacity);
}

} // namespace

CatalogueScreen::CatalogueScreen()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("Worksheets Catalogue"),
               { tahoma, 24, true, yellow, centre, { 0, 0, 12000, 780 } });

    Check1 = new CheckBox(this, QStringLiteral("Check1"));
    setupTick(Check1, QStringLiteral("Edit Worksheet"), editRect, yellow);
    Check2 = new CheckBox(this, QStringLiteral("Check2"));
    setupTick(Check2, QStringLiteral("Delete Worksheet"), deleteRect, red);

    for (int i = 1; i <= titlesPerPage; ++i) {
        const int column = (i - 1) / 12;
        const int row = (i - 1) % 12;
        const TwipsRect rect { columnLefts[column], titleTop + titleSpacing * row, titleWidth,
                               titleHeight };
        createOneLineButton(Label2, { i, {}, rect, titlePoints }, this);
    }
    for (const ButtonDesign &design : pageButtons)
        createOneLineButton(label3, design, this)->setVisible(false);
    createOneLineButton(Label2, exitButton, this);
    for (const ButtonDesign &design : exchangeButtons)
        createOneLineButton(Label2, design, this);

    Label4 = new Label(this, QStringLiteral("Label4"));
    Label4->setCaption(QStringLiteral("Page 1"));
    Label4->setFont(tahoma.toString(), 15.75, true);
    Label4->setForeColor(blue);
    Label4->setBackColor(white);
    Label4->setBackStyle(BackStyle::Opaque);
    Label4->setAlignment(Alignment::Center);
    Label4->move(120, 7920, 1995, 495);

    Label5 = new Label(this, QStringLiteral("Label5"));
    setupLabel(*Label5, QString(), { tahoma, 12, true, white, centre, { 600, 3360, 10800, 1500 } });
    Label5->setVisible(false);

    connect(Check1, &CheckBox::clicked, this, &CatalogueScreen::Check1_Click);
    connect(Check2, &CheckBox::clicked, this, &CatalogueScreen::Check2_Click);
    Label2.connect(&Label::clicked, this, &CatalogueScreen::Label2_Click);
    // The titles and Exit light up; the page buttons do not.
    ButtonHover::install(*this, Label2);
    exitOnEscape(*this, Label2[0]);
    label3.connect(&Label::clicked, this, &CatalogueScreen::label3_Click);
}

CatalogueScreen::~CatalogueScreen() = default;

void CatalogueScreen::Form_Load()
{
    formlayout(*this);
    try {
        WorksheetFiles::readcatalogue();
    } catch (const WorksheetFileError &error) {
        // What was read stays; entries past the 1000th are skipped. A folder that cannot be
        // reached lists nothing, and says so where the titles would be.
        if (error.cause() == WorksheetFileError::Cause::Unreachable) {
            trackcount = 0;
            Label5->setCaption(error.message());
            Label5->setVisible(true);
        }
    } catch (const std::exception &) { }
    Check1->setBackColor(layoutBlue);
    Check2->setBackColor(layoutBlue);
    Label2[classResultsButton]->setVisible(ClassRecord::isOn());
    catpage = 0;
    for (int i = 1; i <= titlesPerPage; ++i) {
        Label2[i]->setVisible(false);
        Label2[i]->setFontSize(titlePoints);
    }
    const int count = listedCount();
    int last = titlesPerPage;
    if (count < titlesPerPage + 1)
        last = count;
    else
        label3[1]->setVisible(true);
    for (int i = 1; i <= last; ++i) {
        Label2[i]->setCaption(tracklist[i]);
        Label2[i]->setVisible(true);
    }
}

void CatalogueScreen::workpage()
{
    const int p = catpage;
    for (int i = 1; i <= titlesPerPage; ++i) {
        Label2[i]->setCaption(QString());
        Label2[i]->setVisible(false);
    }
    label3[0]->setVisible(p != 0);
    label3[1]->setVisible(p != lastPage);
    Label4->setCaption(QStringLiteral("Page %1").arg(p + 1));
    const int count = listedCount();
    int last = p * titlesPerPage + titlesPerPage;
    if (count < p * titlesPerPage + titlesPerPage + 1) {
        last = count;
        label3[1]->setVisible(false);
    }
    for (int e = p * titlesPerPage + 1; e <= last; ++e) {
        Label2[e - p * titlesPerPage]->setCaption(tracklist[e]);
        Label2[e - p * titlesPerPage]->setVisible(true);
    }
}

void CatalogueScreen::Check1_Click()
{
    if (tickWaitsForPassword(this, Check1, [this] { Check1_Click(); }))
        return;
    if (Check1->value() == 1) {
        Check2->setValue(0);
        setExporting(false);
    }
}

void CatalogueScreen::Check2_Click()
{
    if (tickWaitsForPassword(this, Check2, [this] { Check2_Click(); }))
        return;
    if (Check2->value() == 1) {
        Check1->setValue(0);
        setExporting(false);
    }
}

void CatalogueScreen::label3_Click(int index)
{
    // The buttons are hidden at the ends; the bounds hold for any other way in.
    catpage = std::clamp(index == 0 ? catpage - 1 : catpage + 1, 0, lastPage);
    workpage();
    requestSound(clickSound);
}

void CatalogueScreen::Label2_Click(int index)
{
    requestSound(clickSound);
    if (index == 0) {
        Navigation::showMainMenu();
        unload();
        return;
    }
    if (index == importButton)
        TeacherDoor::enter(this, [this] { importQuestions(); });
    else if (index == exportButton)
        TeacherDoor::enter(this, [this] { chooseExport(); });
    else if (index == classResultsButton)
        TeacherDoor::enter(this, [] { classresults->show(); });
    else if (m_exporting)
        exportWorksheet(Label2[index]->caption());
    else
        actOnTitle(Label2[index]->caption());
}

void CatalogueScreen::actOnTitle(const QString &title)
{
    const QString path = WorksheetFiles::worksheetPath(title);
    const bool editing = Check1->value() == 1;
    const bool deleting = Check2->value() == 1;
    if (!editing && !deleting) {
        // Reads the worksheet first and refuses a damaged one with the same message.
        QuizOpener::open(path, quizPicture);
        return;
    }
    try {
        WorksheetFiles::readworksheetfile(path);
        if (editing)
            editworksheet(title);
        else
            deleteTitle(title);
    } catch (const WorksheetFileError &error) {
        // The worksheet is not to blame when its folder cannot be reached or changed.
        if (!error.isFolderProblem())
            message(corrupted);
        else if (deleting)
            message(QStringLiteral("The worksheet %1 could not be deleted.\n\n").arg(title)
                    + error.message());
        else
            message(error.message());
    } catch (const std::exception &) {
        message(corrupted);
    }
}

void CatalogueScreen::editworksheet(const QString &title)
{
    WorksheetDraft draft = WorksheetFiles::draftFromMemory();
    // The catalogue's own title names the file; the one inside it has "&" read as commas.
    draft.title = title;
    wizard->fill(draft);
    followWizard();
    wizard->show();
}

void CatalogueScreen::deleteTitle(const QString &title)
{
    if (!confirm(QStringLiteral("Are you sure that you want to delete the worksheet ") + title
                 + QStringLiteral("?")))
        return;
    delname = title;
    // A title already gone from the file leaves nothing to remove; the redraw then shows the
    // catalogue as it now is.
    WorksheetFiles::delworksheet(delname, showBusyWhileWaiting);
    workpage();
}

void CatalogueScreen::importQuestions()
{
    setExporting(false);
    CatalogueExchange::importQuestions([this] { showChangedCatalogue(); });
    if (wizard.isLoaded())
        followWizard();
}

void CatalogueScreen::showChangedCatalogue()
{
    try {
        WorksheetFiles::readcatalogue();
    } catch (const std::exception &) {
        // The page shows what was read.
    }
    workpage();
}

void CatalogueScreen::followWizard()
{
    connect(wizard.get(), &WizardScreen::worksheetSaved, this,
            &CatalogueScreen::showChangedCatalogue, Qt::UniqueConnection);
}

void CatalogueScreen::chooseExport()
{
    if (m_exporting) {
        setExporting(false);
        return;
    }
    if (listedCount() == 0) {
        message(QStringLiteral("There is no worksheet in the catalogue to export."));
        return;
    }
    Check1->setValue(0);
    Check2->setValue(0);
    setExporting(true);
    message(QStringLiteral("Click the title of the worksheet you want to export."));
}

void CatalogueScreen::setExporting(bool exporting)
{
    m_exporting = exporting;
    Label2[exportButton]->setCaption(exporting ? cancelExportCaption : exportCaption);
}

void CatalogueScreen::exportWorksheet(const QString &title)
{
    setExporting(false);
    WorksheetDraft draft;
    try {
        WorksheetFiles::readworksheetfile(WorksheetFiles::worksheetPath(title));
        draft = WorksheetFiles::draftFromMemory();
    } catch (const std::exception &) {
        message(corrupted);
        return;
    }
    draft.title = title;
    CatalogueExchange::exportWorksheet(draft);
}
