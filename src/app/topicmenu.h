#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"

// A page set a topic menu opens in the page viewer: its base name, its number of pages and
// the file name of its first page (in both wmf and wmf2).
struct TopicPageSet
{
    const char16_t *name;
    int total;
    const char16_t *firstPage;
};

// What differs between the topic menus.
struct TopicContent
{
    const char16_t *title;
    const char16_t *picture;
    const char16_t *activityTitle;
    const char16_t *worksheetFile;
    const char16_t *quizPicture;
    TopicPageSet keyFacts;
    TopicPageSet teachersNotes;
};

// The topic menus: the topic's title and picture and six entries (Key Facts, Teacher's
// Notes, Multiple Choice, Labelling Activity, Ordering Activity, Exit). One design, two
// contents; the slots rivers1 and rivers2 each hold their own instance. Entries light up
// under the pointer and go out only when the pointer crosses the bare form.
class TopicMenu : public Form
{
    Q_OBJECT

public:
    // Index 0 is rivers1, index 1 rivers2.
    static constexpr TopicContent contents[] = {
        { u"Rivers 1",
          u"Images\\rivers1.jpg",
          u"Rivers 1: Drainage Basins",
          u"multiple\\Rivers 1.txt",
          u"images\\rivers1sm.jpg",
          { u"key rivers 1", 1, u"key rivers 1.wmf" },
          { u"rivers 1", 1, u"rivers 1.wmf" } },
        { u"Rivers 2",
          u"Images\\rivers2.jpg",
          u"Rivers 2: Landforms",
          u"multiple\\Rivers 2.txt",
          u"images\\rivers2sm.jpg",
          { u"key rivers 2", 2, u"key rivers 2a.wmf" },
          { u"rivers 2", 1, u"rivers 2.wmf" } },
    };

    ~TopicMenu() override;

    // Standard frame, then the topic picture, centred across the screen by its loaded width.
    void Form_Load() override;

    void label3_Click(int index);

    // 1 for rivers1, 2 for rivers2.
    int topic() const { return m_topic; }
    const TopicContent &content() const { return contents[m_topic - 1]; }

    Label *Label1 = nullptr;
    ImageBox *Image1 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };

protected:
    explicit TopicMenu(int topic);

private:
    int m_topic = 1;
};

// The instance of one topic, so that each slot creates its own content.
template<int Topic> class TopicMenuOf final : public TopicMenu
{
public:
    TopicMenuOf()
        : TopicMenu(Topic)
    { }
};

extern FormSlot<TopicMenuOf<1>> rivers1;
extern FormSlot<TopicMenuOf<2>> rivers2;
