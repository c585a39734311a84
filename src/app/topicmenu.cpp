#include "topicmenu.h"

#include "activityscreen.h"
#include "mainmenu.h"
#include "module1.h"
#include "pageviewer.h"
#include "quizopener.h"
#include "screenparts.h"

FormSlot<TopicMenuOf<1>> rivers1("rivers1");
FormSlot<TopicMenuOf<2>> rivers2("rivers2");

using namespace ScreenParts;

namespace {

// In design order, which is also the Tab order.
constexpr ButtonDesign entries[] = {
    { 4, u"Key Facts", { 6360, 120, 1995, 495 } },
    { 5, u"Teacher's Notes", { 8640, 120, 3195, 495 } },
    { 0, u"Multiple Choice", { 120, 7920, 3195, 495 } },
    { 1, u"Labelling Activity", { 3600, 7920, 3195, 495 } },
    { 3, u"Ordering Activity", { 7080, 7920, 3195, 495 } },
    { 2, u"Exit", { 10560, 7920, 1245, 495 } },
};

// The page viewer's opening contract: the globals its load reads first, then both copies of
// the first page, then on show.
void openPageSet(const TopicPageSet &set)
{
    pagetotal = set.total;
    pageset = QString::fromUtf16(set.name);
    const QString firstPage = QString::fromUtf16(set.firstPage);
    teacher->Image1->loadPicture(QStringLiteral("wmf\\") + firstPage);
    teacher->Image2->loadPicture(QStringLiteral("wmf2\\") + firstPage);
    teacher->show();
}

// The topic's activity screens, loaded on first touch.
ActivityScreen *labellingScreen(int topic)
{
    return topic == 1 ? static_cast<ActivityScreen *>(rivers1lab.get()) : rivers2lab.get();
}

ActivityScreen *orderingScreen(int topic)
{
    return topic == 1 ? static_cast<ActivityScreen *>(rivers1ord.get()) : rivers2ord.get();
}

} // namespace

TopicMenu::TopicMenu(int topic)
    : m_topic(topic)
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, QString::fromUtf16(content().title),
               { serif, 27.75, true, yellow, flushLeft, { 240, 0, 6240, 900 } });

    Image1 = new ImageBox(this, QStringLiteral("Image1"));
    Image1->move(2640, 1080, 4800, 3600);

    for (const ButtonDesign &entry : entries)
        createButton(label3, entry, this);

    label3.connect(&Label::clicked, this, &TopicMenu::label3_Click);
    ButtonHover::install(*this, label3);
    exitOnEscape(*this, label3[2]);
}

TopicMenu::~TopicMenu() = default;

void TopicMenu::Form_Load()
{
    formlayout(*this);
    if (topic() == 1)
        rivers1ord->Label6->setCaption(QString::fromUtf16(content().activityTitle));
    Image1->loadPicture(QString::fromUtf16(content().picture));
    Image1->setLeft((12000 - Image1->width()) / 2);
}

void TopicMenu::label3_Click(int index)
{
    switch (index) {
    case 0:
        // A missing or damaged worksheet is refused with a message and opens no quiz.
        QuizOpener::open(QString::fromUtf16(content().worksheetFile),
                         QString::fromUtf16(content().quizPicture));
        break;
    case 1: {
        ActivityScreen *labelling = labellingScreen(topic());
        // rivers1lab carries its title in its design; rivers2lab gets it only from here.
        if (topic() == 2)
            labelling->Label6->setCaption(QString::fromUtf16(content().activityTitle));
        labelling->show();
        break;
    }
    case 2:
        intro0->show();
        unload();
        break;
    case 3: {
        ActivityScreen *ordering = orderingScreen(topic());
        ordering->Label6->setCaption(QString::fromUtf16(content().activityTitle));
        ordering->show();
        break;
    }
    case 4:
        openPageSet(content().keyFacts);
        break;
    case 5:
        openPageSet(content().teachersNotes);
        break;
    default:
        break;
    }
    requestSound(clickSound);
}
