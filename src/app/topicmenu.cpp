#include "topicmenu.h"

#include "activityscreen.h"
#include "mainmenu.h"
#include "module1.h"
#include "pageviewer.h"
#include "quizopener.h"
#include "screenparts.h"
#include "topics.h"

FormSlots<TopicMenu> &topicMenus()
{
    static FormSlots<TopicMenu> screens;
    return screens;
}

FormSlot<TopicMenu> &rivers1 = topicMenus()[QStringLiteral("rivers1")];
FormSlot<TopicMenu> &rivers2 = topicMenus()[QStringLiteral("rivers2")];

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
    pageset = set.name;
    pagefolder = set.folder;
    teacher->Image1->loadPicture(set.folder + QStringLiteral("wmf\\") + set.firstPage());
    teacher->Image2->loadPicture(set.folder + QStringLiteral("wmf2\\") + set.firstPage());
    teacher->show();
}

} // namespace

TopicMenu *TopicMenu::create(const QString &slotName)
{
    if (const TopicDef *def = Topics::find(slotName))
        return new TopicMenu(*def);
    TopicDef missing;
    missing.name = slotName;
    missing.title = slotName;
    return new TopicMenu(std::move(missing));
}

TopicMenu::TopicMenu(TopicDef content)
    : m_content(std::move(content))
{
    Label1 = new Label(this, QStringLiteral("Label1"));
    setupLabel(*Label1, m_content.title,
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
    // The ordering screen is loaded here, without being shown, with the topic's title.
    if (!m_content.worksheet.isEmpty())
        activityScreens()[m_content.ordering.screenName]->Label6->setCaption(
            m_content.activityTitle);
    Image1->loadPicture(m_content.picture);
    Image1->setLeft((12000 - Image1->width()) / 2);
}

void TopicMenu::label3_Click(int index)
{
    // A topic that could not be read has nothing to open but Exit.
    if (m_content.worksheet.isEmpty() && index != 2)
        return;
    switch (index) {
    case 0:
        // A missing or damaged worksheet is refused with a message and opens no quiz.
        QuizOpener::open(m_content.worksheet, m_content.quizPicture);
        break;
    case 1: {
        ActivityScreen *labelling = activityScreens()[m_content.labelling.screenName].get();
        // A labelling screen whose title the menu gives gets it only from here.
        if (m_content.labelling.titleSource == TitleSource::TopicMenu)
            labelling->Label6->setCaption(m_content.activityTitle);
        labelling->show();
        break;
    }
    case 2:
        intro0->show();
        unload();
        break;
    case 3: {
        ActivityScreen *ordering = activityScreens()[m_content.ordering.screenName].get();
        ordering->Label6->setCaption(m_content.activityTitle);
        ordering->show();
        break;
    }
    case 4:
        openPageSet(m_content.keyFacts);
        break;
    case 5:
        openPageSet(m_content.teachersNotes);
        break;
    default:
        break;
    }
    requestSound(clickSound);
}
