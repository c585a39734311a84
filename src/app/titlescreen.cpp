#include "titlescreen.h"

#include "backdrop.h"
#include "classrecord.h"
#include "desktop.h"
#include "mainmenu.h"
#include "module1.h"
#include "pupilnamescreen.h"
#include "screenparts.h"

#include <QCoreApplication>

FormSlot<TitleScreen> Titlefrm("Titlefrm");

using namespace ScreenParts;

namespace {

const QColor grey(192, 192, 192);

struct CreditLine
{
    Label *TitleScreen::*label;
    const char16_t *caption;
    float top;
    double points;
};

constexpr CreditLine creditLines[] = {
    { &TitleScreen::Label1, u"Written by Ondel classroom software", 4980, 14.25 },
    { &TitleScreen::Label5, u"Programmed by Ondel classroom software", 5310, 12 },
    { &TitleScreen::Label3, u"Series editor: Ondel classroom software", 5640, 12 },
};

} // namespace

TitleScreen::TitleScreen()
{
    setCaption(QStringLiteral(" "));
    setBackColor(grey);
    resize(5685, 6570);

    Frame1->move(0, -90, 5715, 6660);

    setupLabel(*Label4, QStringLiteral("Ondel"),
               { serif, 27.75, true, blue, centre, { 60, 360, 5595, 1065 } });

    Picture1->move(120, 1200, 5460, 3660);

    for (const CreditLine &line : creditLines) {
        setupLabel(*(this->*line.label), QString::fromUtf16(line.caption),
                   { serif, line.points, false, blue, centre, { 0, line.top, 5655, 375 } });
    }

    Command1->setCaption(QStringLiteral("OK"));
    Command1->move(1320, 6000, 1335, 375);
    Command1->setBackColor(grey);
    Command2->setCaption(QStringLiteral("Exit"));
    Command2->move(2760, 6000, 1335, 375);
    Command2->setBackColor(grey);

    setupLabel(*Label2, QStringLiteral("Water and rivers for pupils aged 7 to 11"),
               { u"Arial", 8.25, false, QColor(0, 128, 0), centre, { 0, 6420, 5655, 255 } });

    connect(Command1, &CommandButton::clicked, this, &TitleScreen::Command1_Click);
    connect(Command2, &CommandButton::clicked, this, &TitleScreen::Command2_Click);
}

TitleScreen::~TitleScreen() = default;

void TitleScreen::Form_Load()
{
    if (loadSteps())
        return;
    // Without its picture the screen takes the standard frame; the card of controls then
    // sits in the middle of it rather than in the top-left corner.
    formlayout(*this);
    Frame1->move((width() - Frame1->width()) / 2, (height() - Frame1->height()) / 2);
}

bool TitleScreen::loadSteps()
{
    const Desktop &desktop = Desktop::current();
    const double displayWidth = desktop.widthTwips();
    const double displayHeight = desktop.heightTwips();
    setTop(displayHeight / 2 - height() / 2);
    setLeft(displayWidth / 2 - width() / 2);
    Grey->show();
    const Picture picture = Picture::load(QStringLiteral("images\\waterliliessm.jpg"));
    if (picture.isNull())
        return false;
    Picture1->setPicture(picture);
    return true;
}

void TitleScreen::Command1_Click()
{
    // With the class record on, the pupil gives a name first, once per start.
    if (ClassRecord::isOn() && ClassRecord::pupil().isEmpty())
        pupilname->show();
    else
        intro0->show();
    unload();
    requestSound(clickSound);
}

void TitleScreen::Command2_Click()
{
    requestSound(clickSound);
    // Ends the event loop at once; main returns its code, nothing is saved.
    QCoreApplication::exit(0);
}
