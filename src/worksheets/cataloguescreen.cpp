#include "cataloguescreen.h"

#include "messageboxes.h"
#include "module1.h"
#include "navigation.h"
#include "quizopener.h"
#include "screenparts.h"
#include "wizardscreen.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"

#include <algorithm>
#include <array>
#include <exception>

FormSlot<CatalogueScreen> worksheets("worksheets");

namespace {

using ScreenParts::yellow;
const QColor layoutBlue(0, 78, 152);

using ScreenParts::Rect;

struct ButtonDesign
{
    int index;
    const char16_t *caption;
    Rect rect;
    double points;
};

constexpr Rect titleRect { 0, 0, 12000, 780 };
constexpr Rect editRect { 120, 120, 2535, 375 };
constexpr Rect deleteRect { 9240, 120, 2535, 375 };
constexpr Rect pageLabelRect { 120, 7920, 1995, 495 };

// Titles 1 to 12 down the left column, 13 to 24 down the right one.
constexpr std::array<double, 2> columnLefts { 120, 6120 };
constexpr double titleTop = 720;
constexpr double titleSpacing = 600;
constexpr double titleWidth = 5715;
constexpr double titleHeight = 375;
constexpr double titlePoints = 12;

constexpr ButtonDesign exitButton { 0, u"Exit", { 10560, 7920, 1245, 495 }, 18 };
constexpr std::array<ButtonDesign, 2> pageButtons { {
    { 0, u"<< Previous Page", { 2640, 7920, 3195, 495 }, 15.75 },
    { 1, u"Next Page >>", { 6000, 7920, 3195, 495 }, 15.75 },
} };

const QString clickSound = QStringLiteral("wav\\click.wav");
const QString corrupted = QStringLiteral("This worksheet seems to be corrupted.");
const QString quizPicture = QStringLiteral("images\\swan1.jpg");

void setupButton(Label *label, const QString &caption, const Rect &rect, double points)
{
    ScreenParts::setupButton(*label, caption, rect, points);
    label->setWordWrap(false);
}

void setupTick(CheckBox *tick, const QString &caption, const Rect &rect, const QColor &colour)
{
    tick->setCaption(caption);
    tick->setFont(QStringLiteral("Tahoma"), 12, true);
    tick->setForeColor(colour);
    tick->move(rect.left, rect.top, rect.width, rect.height);
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
    Label1->setCaption(QStringLiteral("Worksheets Catalogue"));
    Label1->setFont(QStringLiteral("Tahoma"), 24, true);
    Label1->setForeColor(yellow);
    Label1->setBackStyle(BackStyle::Transparent);
    Label1->setAlignment(Alignment::Center);
    Label1->move(titleRect.left, titleRect.top, titleRect.width, titleRect.height);

    Check1 = new CheckBox(this, QStringLiteral("Check1"));
    setupTick(Check1, QStringLiteral("Edit Worksheet"), editRect, yellow);
    Check2 = new CheckBox(this, QStringLiteral("Check2"));
    setupTick(Check2, QStringLiteral("Delete Worksheet"), deleteRect, QColor(255, 0, 0));

    for (int i = 1; i <= titlesPerPage; ++i) {
        const int column = (i - 1) / 12;
        const int row = (i - 1) % 12;
        setupButton(Label2.create(i, this), QString(),
                    { columnLefts[column], titleTop + titleSpacing * row, titleWidth, titleHeight },
                    titlePoints);
    }
    for (const ButtonDesign &design : pageButtons) {
        Label *button = label3.create(design.index, this);
        setupButton(button, QString::fromUtf16(design.caption), design.rect, design.points);
        button->setVisible(false);
    }
    setupButton(Label2.create(exitButton.index, this), QString::fromUtf16(exitButton.caption),
                exitButton.rect, exitButton.points);

    Label4 = new Label(this, QStringLiteral("Label4"));
    Label4->setCaption(QStringLiteral("Page 1"));
    Label4->setFont(QStringLiteral("Tahoma"), 15.75, true);
    Label4->setForeColor(QColor(0, 0, 255));
    Label4->setBackColor(QColor(255, 255, 255));
    Label4->setBackStyle(BackStyle::Opaque);
    Label4->setAlignment(Alignment::Center);
    Label4->move(pageLabelRect.left, pageLabelRect.top, pageLabelRect.width, pageLabelRect.height);

    connect(Check1, &CheckBox::clicked, this, &CatalogueScreen::Check1_Click);
    connect(Check2, &CheckBox::clicked, this, &CatalogueScreen::Check2_Click);
    Label2.connect(&Label::clicked, this, &CatalogueScreen::Label2_Click);
    Label2.connect(&Label::mouseMove, this, &CatalogueScreen::Label2_MouseMove);
    Label2.connect(&Label::gotFocus, this, &CatalogueScreen::Label2_GotFocus);
    label3.connect(&Label::clicked, this, &CatalogueScreen::label3_Click);
}

CatalogueScreen::~CatalogueScreen() = default;

void CatalogueScreen::Form_Load()
{
    formlayout(*this);
    try {
        WorksheetFiles::readcatalogue();
    } catch (const std::exception &) {
        // What was read stays; entries past the 1000th are skipped.
    }
    Check1->setBackColor(layoutBlue);
    Check2->setBackColor(layoutBlue);
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

void CatalogueScreen::Form_MouseMove(int, int, double, double)
{
    for (const auto &[index, label] : Label2)
        label->setBackStyle(BackStyle::Transparent);
}

void CatalogueScreen::Check1_Click()
{
    if (Check1->value() == 1)
        Check2->setValue(0);
}

void CatalogueScreen::Check2_Click()
{
    if (Check2->value() == 1)
        Check1->setValue(0);
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
    actOnTitle(Label2[index]->caption());
}

void CatalogueScreen::Label2_MouseMove(int index, int, int, double, double)
{
    Label2[index]->setBackStyle(BackStyle::Opaque);
}

void CatalogueScreen::Label2_GotFocus(int index)
{
    Label2[index]->setBackStyle(BackStyle::Opaque);
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
    } catch (const std::exception &) {
        MessageBoxes::current().show(corrupted, QStringLiteral("Ondel"), MessageBoxes::Buttons::Ok);
    }
}

void CatalogueScreen::editworksheet(const QString &title)
{
    WorksheetDraft draft = WorksheetFiles::draftFromMemory();
    // The catalogue's own title names the file; the one inside it has "&" read as commas.
    draft.title = title;
    wizard->fill(draft);
    wizard->show();
}

void CatalogueScreen::deleteTitle(const QString &title)
{
    const auto answer = MessageBoxes::current().show(
        QStringLiteral("Are you sure that you want to delete the worksheet ") + title
            + QStringLiteral("?"),
        QString(), MessageBoxes::Buttons::OkCancel);
    if (answer != MessageBoxes::Result::Ok)
        return;
    delname = title;
    // A title already gone from the file leaves nothing to remove; the redraw then shows the
    // catalogue as it now is.
    WorksheetFiles::delworksheet(delname);
    workpage();
}
