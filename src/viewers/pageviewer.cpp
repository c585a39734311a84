#include "pageviewer.h"

#include "module1.h"
#include "screenparts.h"
#include "viewerparts.h"

FormSlot<PageViewer> teacher("teacher");

namespace {

constexpr char16_t pageLetters[] = { u'a', u'b', u'c' };

} // namespace

PageViewer::PageViewer()
{
    Image1 = new ImageBox(this, QStringLiteral("Image1"));
    Image1->move(120, 0);
    Image2 = new ImageBox(this, QStringLiteral("Image2"));
    Image2->move(0, 0);
    Image2->setVisible(false);

    Label1 = new Label(this, QStringLiteral("Label1"));
    ViewerParts::setupPageLabel(*Label1);

    ViewerParts::createButtons(label3, this);

    // Borderless, so the logo frames and the still logo fill their boxes exactly.
    Picture1 = new PictureBox(this, QStringLiteral("Picture1"));
    Picture1->move(8520, 4320, 1800, 1800);
    Picture2 = new PictureBox(this, QStringLiteral("Picture2"));
    Picture2->move(8550, 6240, 1800, 1335);
    for (PictureBox *box : { Picture1, Picture2 }) {
        box->setBorderStyle(BorderStyle::None);
        box->setBackColor(ScreenParts::pictureBlue);
        box->setVisible(false);
    }

    Timer1 = new Timer(this, QStringLiteral("Timer1"));
    Timer1->setInterval(25);

    label3.connect(&Label::clicked, this, &PageViewer::label3_Click);
    ScreenParts::exitOnEscape(*this, label3[1]);
    connect(Timer1, &Timer::tick, this, &PageViewer::Timer1_Timer);
}

PageViewer::~PageViewer() = default;

void PageViewer::Form_Load()
{
    formlayout(*this);
    if (pagetotal == 1) {
        Label1->setVisible(false);
        label3[2]->setVisible(false);
        label3[3]->setVisible(false);
    }
    pagenum = 1;
    Label1->setCaption(ViewerParts::pageCaption(pagenum, pagetotal));
}

void PageViewer::label3_Click(int index)
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
        label3[3]->setEnabled(true);
        showPage();
        break;
    case 3:
        pagenum = pagenum - 1;
        label3[2]->setEnabled(true);
        showPage();
        break;
    default:
        break;
    }
}

void PageViewer::showPage()
{
    if (pagenum == pagetotal)
        label3[2]->setEnabled(false);
    if (pagenum == 1)
        label3[3]->setEnabled(false);
    if (pagenum >= 1 && pagenum <= int(std::size(pageLetters))) {
        const QString file = pageset + pageLetters[pagenum - 1] + QStringLiteral(".wmf");
        Image1->loadPicture(pagefolder + QStringLiteral("wmf\\") + file);
        Image2->loadPicture(pagefolder + QStringLiteral("wmf2\\") + file);
    }
    Label1->setCaption(ViewerParts::pageCaption(pagenum, pagetotal));
}

void PageViewer::Timer1_Timer()
{
    logoframe = logoframe + 1;
    if (logoframe == 20)
        logoframe = 0;
    Picture1->loadPicture(QStringLiteral("logo\\corv%1.gif").arg(logoframe, 4, 10, QChar(u'0')));
    Picture1->setVisible(true);
    Picture2->setVisible(true);
}
