#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"
#include "topicdef.h"

// The topic menus: the topic's title and picture and six entries (Key Facts, Teacher's
// Notes, Multiple Choice, Labelling Activity, Ordering Activity, Exit). One design; each
// topic's content comes from its topic files, and each topic has a slot of its own, named
// after its folder. Entries light up under the pointer and go out only when the pointer
// crosses the bare form.
class TopicMenu final : public Form
{
    Q_OBJECT

public:
    explicit TopicMenu(TopicDef content);
    ~TopicMenu() override;

    // The menu of the topic whose folder is named slotName; a topic that could not be read
    // gives a menu with its name as title and nothing else to open (the main menu offers no
    // way to it).
    static TopicMenu *create(const QString &slotName);

    // Standard frame, then the topic picture, centred across the screen by its loaded width.
    void Form_Load() override;

    void label3_Click(int index);

    const TopicDef &content() const { return m_content; }

    Label *Label1 = nullptr;
    ImageBox *Image1 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };

private:
    const TopicDef m_content;
};

// The topic menus of every topic, one slot each, named by the topic's folder ("flooding").
FormSlots<TopicMenu> &topicMenus();

// The two river topics' menus, by their design names.
extern FormSlot<TopicMenu> &rivers1;
extern FormSlot<TopicMenu> &rivers2;
