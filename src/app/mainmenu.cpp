#include "mainmenu.h"

#include "cataloguescreen.h"
#include "guideviewer.h"
#include "module1.h"
#include "navigation.h"
#include "pageviewer.h"
#include "screenparts.h"
#include "titlescreen.h"
#include "topicmenu.h"
#include "topics.h"
#include "wizardscreen.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"

FormSlot<MainMenu> intro0("intro0");

using namespace ScreenParts;

namespace {

// A menu entry: a label button with its own highlight colour, and for a topic the folder its
// topic files are read from. A topic whose files have a fault is disabled.
struct MenuEntry
{
    ButtonDesign button;
    QColor highlight;
    const char16_t *topic = nullptr;
};

// In design order, which is also the Tab order.
constexpr MenuEntry menuEntries[] = {
    { { 20, u"Teachers' Guide", { 120, 1080, 3075, 495 }, 14.25 }, navy },
    { { 10, u"Introduction", { 1560, 2160, 2715, 375 }, 12 }, black },
    { { 0, u"The Water Cycle", { 120, 3360, 2715, 375 }, 12 }, black, u"watercycle" },
    { { 5, u"Rivers 1", { 120, 4200, 2715, 375 }, 12 }, black, u"rivers1" },
    { { 6, u"Rivers 2", { 120, 5040, 2715, 375 }, 12 }, black, u"rivers2" },
    { { 9, u"Precipitation", { 120, 5880, 2715, 375 }, 12 }, black, u"precipitation" },
    { { 2, u"Flooding", { 120, 6720, 2715, 375 }, 12 }, black, u"flooding" },
    { { 3, u"Water for Life", { 3000, 3360, 2715, 375 }, 12 }, black, u"waterforlife" },
    { { 4, u"Access to Water", { 3000, 4200, 2715, 375 }, 12 }, black, u"accesstowater" },
    { { 7, u"Water Supply 1", { 3000, 5040, 2715, 375 }, 12 }, black, u"watersupply1" },
    { { 8, u"Water Supply 2", { 3000, 5880, 2715, 375 }, 12 }, black, u"watersupply2" },
    { { 1, u"Irrigation", { 3000, 6720, 2715, 375 }, 12 }, black, u"irrigation" },
    { { 17, u"Multiple Choice Wizard", { 6960, 5760, 4635, 495 }, 18 }, navy },
    { { 18, u"Worksheet Catalogue", { 6960, 6600, 4635, 495 }, 18 }, navy },
    { { 19, u"Acknowledgments", { 120, 7920, 3075, 495 }, 14.25 }, navy },
    { { 16, u"Exit", { 10560, 7920, 1245, 495 }, 18 }, black },
};

// The topic folder of a menu entry's index; empty for an entry that is not a topic.
QString topicOf(int index)
{
    for (const MenuEntry &entry : menuEntries) {
        if (entry.button.index == index && entry.topic)
            return QString::fromUtf16(entry.topic);
    }
    return {};
}

struct Heading
{
    int index;
    const char16_t *caption;
    float left;
};

constexpr Heading headings[] = {
    { 0, u"The Water Cycle", 120 },
    { 1, u"Water Supply", 3000 },
};

} // namespace

MainMenu::MainMenu()
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QStringLiteral("Ondel"),
               { tahoma, 32.25, true, yellow, centre, { 0, 120, 12000, 900 } });

    for (const Heading &heading : headings) {
        setupLabel(*Label4.create(heading.index, this), QString::fromUtf16(heading.caption),
                   { tahoma, 14.25, false, yellow, centre, { heading.left, 2880, 2715, 375 } });
    }

    for (const MenuEntry &entry : menuEntries) {
        Label *label = createButton(Label2, entry.button, this);
        label->setBackColor(entry.highlight);
        if (entry.topic)
            label->setEnabled(Topics::find(QString::fromUtf16(entry.topic)) != nullptr);
    }

    Frame1 = new Frame(this, QStringLiteral("Frame1"));
    Frame1->move(6120, 1080, 5655, 3975);
    Image1 = new ImageBox(Frame1, QStringLiteral("Image1"));
    Image1->move(120, 240, 5400, 3600);

    Option1 = new OptionButton(this, QStringLiteral("Option1"));
    Option1->setCaption(QStringLiteral("Sound On"));
    Option1->move(10440, 120, 1455, 255);
    Option2 = new OptionButton(this, QStringLiteral("Option2"));
    Option2->setCaption(QStringLiteral("Sound Off"));
    Option2->move(10440, 480, 1455, 255);
    for (OptionButton *option : { Option1, Option2 }) {
        option->setFont(tahoma.toString(), 9.75, true);
        option->setForeColor(yellow);
    }
    Option1->setValue(true);

    Timer1 = new Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(1);

    Label3 = new Label(this, QStringLiteral("Label3"));
    setupLabel(*Label3, QStringLiteral("Choose a topic, or read the Introduction first."),
               { tahoma, 9.75, false, yellow, centre, { 0, 8280, 12000, 375 } });
    // The footer's box reaches up into the bottom row of buttons; lying beneath them, it
    // leaves every pixel of "Acknowledgments" and "Exit" to take its clicks.
    Label3->lower();

    Label2.connect(&Label::clicked, this, &MainMenu::Label2_Click);
    ButtonHover::install(*this, Label2);
    exitOnEscape(*this, Label2[16]);
    connect(Option1, &OptionButton::clicked, this, &MainMenu::Option1_Click);
    connect(Option2, &OptionButton::clicked, this, &MainMenu::Option2_Click);
    connect(Timer1, &Timer::tick, this, &MainMenu::Timer1_Timer);
}

MainMenu::~MainMenu() = default;

void MainMenu::installNavigation()
{
    Navigation::setMainMenu([] { intro0->show(); });
}

void MainMenu::Form_Load()
{
    formlayout(*this);
    Image1->loadPicture(QStringLiteral("Images\\waterliliessm.jpg"));
    Option1->setBackColor(layoutBlue);
    Option2->setBackColor(layoutBlue);
    Frame1->setBackColor(layoutBlue);
    soundon = 1;
    Timer1->setEnabled(true);
}

void MainMenu::Timer1_Timer()
{
    try {
        WorksheetFiles::readcatalogue();
    } catch (const WorksheetFileError &) {
        // Silent: the globals keep what was read before the failure.
    }
    Timer1->setEnabled(false);
}

void MainMenu::Label2_Click(int index)
{
    switch (index) {
    case 10:
        pagetotal = 2;
        pageset = QStringLiteral("introduction");
        pagefolder.clear();
        teacher->Image1->loadPicture(QStringLiteral("wmf\\introductiona.wmf"));
        teacher->Image2->loadPicture(QStringLiteral("wmf2\\introductiona.wmf"));
        teacher->show();
        break;
    case 19:
        teacher->Label1->setVisible(false);
        teacher->label3[2]->setVisible(false);
        teacher->label3[3]->setVisible(false);
        teacher->Image1->loadPicture(QStringLiteral("wmf\\acknowledgments.wmf"));
        teacher->Picture2->loadPicture(QStringLiteral("logo\\corvane2.bmp"));
        teacher->Image2->loadPicture(QStringLiteral("wmf2\\acknowledgments.wmf"));
        teacher->setBackColor(QColor(49, 130, 212));
        teacher->Timer1->setEnabled(true);
        teacher->show();
        break;
    case 20:
        guide->Image1->loadPicture(QStringLiteral("wmf\\guide1.wmf"));
        guide->Image2->loadPicture(QStringLiteral("wmf2\\guide1.wmf"));
        pagenum = 1;
        guide->show();
        break;
    case 17:
        wizard->show();
        break;
    case 18:
        worksheets->show();
        unload();
        break;
    case 16:
        Titlefrm->Command1->setCaption(QStringLiteral("Cancel"));
        Titlefrm->show();
        break;
    default:
        // The topics; a disabled one is never clicked.
        if (const QString topic = topicOf(index); !topic.isEmpty())
            topicMenus()[topic]->show();
        break;
    }
    requestSound(clickSound);
}

void MainMenu::Option1_Click()
{
    soundon = 1;
}

void MainMenu::Option2_Click()
{
    soundon = 0;
}
