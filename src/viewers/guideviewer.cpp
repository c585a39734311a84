#include "guideviewer.h"

#include "module1.h"
#include "screenparts.h"
#include "viewerparts.h"

FormSlot<GuideViewer> guide("guide");

namespace {

// What a cell of the page table does.
enum class Cell { Unchanged, Set, Clear };
enum class Switch { Unchanged, Enable, Disable };

struct GuidePage
{
    Cell pictures;
    const char16_t *pageFile; // in both wmf and wmf2, when pictures is Set
    Cell title;
    const char16_t *titleText; // when title is Set
    Cell background;
    const char16_t *backgroundFile; // when background is Set
    Switch print;
    Switch previous;
    Switch next;
};

constexpr auto U = Cell::Unchanged;
constexpr auto S = Cell::Set;
constexpr auto C = Cell::Clear;
constexpr auto same = Switch::Unchanged;
constexpr auto on = Switch::Enable;
constexpr auto off = Switch::Disable;

// Rows 1 to 9.
constexpr GuidePage pages[GuideViewer::pageCount] = {
    { S, u"guide1.wmf", S, u"", U, nullptr, same, off, same },
    { S, u"guide2.wmf", S, u"", U, nullptr, same, on, on },
    { S, u"guide3.wmf", S, u"", C, nullptr, on, same, same },
    { C, nullptr, S, u"The Water Cycle", S, u"Images\\cycleanswer.jpg", off, same, same },
    { U, nullptr, S, u"Rivers 1: Drainage Basins", S, u"Images\\drainageanswer.jpg", same, same,
      same },
    { U, nullptr, S, u"Rivers 1: Drainage Basins", S, u"Images\\rivers1answer.jpg", same, same,
      same },
    { U, nullptr, S, u"Rivers 2: Landforms", S, u"Images\\landformsanswer.jpg", same, same, same },
    { U, nullptr, S, u"Irrigation", S, u"Images\\irrigationanswer.jpg", same, on, on },
    { U, nullptr, S, u"Water Supply 2", S, u"Images\\supply2answer.jpg", same, same, off },
};

void apply(Switch change, Label *button)
{
    if (change != Switch::Unchanged)
        button->setEnabled(change == Switch::Enable);
}

} // namespace

GuideViewer::GuideViewer()
{
    Label2 = new Label(this, QStringLiteral("Label2"));
    ScreenParts::setupLabel(*Label2, QString(),
                            { ScreenParts::tahoma,
                              14.25,
                              false,
                              ScreenParts::yellow,
                              ScreenParts::centre,
                              { 0, 120, 11775, 615 } });

    Image1 = new ImageBox(this, QStringLiteral("Image1"));
    Image1->move(120, 0);
    Image2 = new ImageBox(this, QStringLiteral("Image2"));
    Image2->move(120, -240);
    Image2->setVisible(false);
    // The title stays readable over whatever the page picture holds.
    Label2->raise();

    Label1 = new Label(this, QStringLiteral("Label1"));
    ViewerParts::setupPageLabel(*Label1);
    Label1->setCaption(ViewerParts::pageCaption(1, pageCount));

    ViewerParts::createButtons(label3, this);

    label3.connect(&Label::clicked, this, &GuideViewer::label3_Click);
    ButtonHover::install(*this, label3, ButtonHover::Rule::PutOutOnly);
    ScreenParts::exitOnEscape(*this, label3[1]);
}

GuideViewer::~GuideViewer() = default;

void GuideViewer::Form_Load()
{
    formlayout(*this);
}

void GuideViewer::label3_Click(int index)
{
    switch (index) {
    case 0:
        ViewerParts::printPage(Image2->picture());
        break;
    case 1:
        unload();
        break;
    case 2:
        pagenum = pagenum + 1;
        showPage();
        break;
    case 3:
        pagenum = pagenum - 1;
        showPage();
        break;
    default:
        break;
    }
}

void GuideViewer::showPage()
{
    if (pagenum < 1 || pagenum > pageCount)
        return;
    const GuidePage &page = pages[pagenum - 1];

    if (page.pictures == Cell::Set) {
        const QString file = QString::fromUtf16(page.pageFile);
        Image1->loadPicture(QStringLiteral("wmf\\") + file);
        Image2->loadPicture(QStringLiteral("wmf2\\") + file);
    } else if (page.pictures == Cell::Clear) {
        Image1->clearPicture();
        Image2->clearPicture();
    }

    if (page.title == Cell::Set)
        Label2->setCaption(QString::fromUtf16(page.titleText));

    if (page.background == Cell::Set)
        loadPicture(QString::fromUtf16(page.backgroundFile));
    else if (page.background == Cell::Clear)
        setPicture(Picture());

    apply(page.print, label3[0]);
    apply(page.previous, label3[3]);
    apply(page.next, label3[2]);

    Label1->setCaption(ViewerParts::pageCaption(pagenum, pageCount));
}
