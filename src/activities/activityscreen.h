#pragma once

#include "activitydef.h"
#include "controlarray.h"
#include "dragactivity.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"
#include "line.h"
#include "wordmover.h"

// A drag-and-drop activity screen, built from its ActivityDef: the pictures, the title, the
// instruction and further texts, leader lines, the boxes (Label1), the start slots (Label4),
// the buttons label3 (0 Exit, 1 Start Again, 2 Check Score) and the words (Label2). The
// pictures lie lowest and the words above everything else. The rules live in DragActivity;
// the words are drawn where it says, so its exact twips are never re-derived from pixels.
//
// Words move by a mouse or finger drag, or without dragging (WordMover): by the keyboard, by
// a click or tap on the word and then on a box, or by assistive technology's press actions.
// Every move with the left button held moves the word, and every release drops it: a click
// on a word snaps it where it lies, with a thud, and also chooses it for the next click. To
// assistive technology the words are push buttons named "word: tributary", the boxes and start
// slots push buttons named by what they hold ("box 2 of 4, empty", "box 2 of 4, holding
// tributary").
class ActivityScreen : public Form
{
    Q_OBJECT

public:
    explicit ActivityScreen(ActivityDef content);
    ~ActivityScreen() override;

    // The screen of the slot named slotName: the labelling ("...lab") or ordering ("...ord")
    // activity of the topic whose name it starts with. A topic that could not be read gives
    // a screen without words, pictures or texts, whose Exit still works.
    static ActivityScreen *create(const QString &slotName);

    // Standard frame, outof, the pictures, the words from the box captions, empty (and, but
    // for opaque-box activities, transparent) boxes, start slots under the words, then the
    // title where the screen's own load sets it.
    void Form_Load() override;

    void Label2_MouseDown(int index, int button, int shift, double x, double y);
    void Label2_MouseMove(int index, int button, int shift, double x, double y);
    void Label2_MouseUp(int index, int button, int shift, double x, double y);
    void label3_Click(int index);

    const ActivityDef &definition() const { return m_definition; }
    const DragActivity &activity() const { return m_activity; }

    // Puts word index's corner at (left, top) and shows it there, without a drop.
    void carryWord(int index, float left, float top);
    // The drop of word index where it lies: snap, thud for every snap, Check Score once all
    // are placed.
    void dropWord(int index);
    // Names the words, boxes and start slots for assistive technology by where they lie.
    void describe();

    ControlArray<ImageBox> Image1 { QStringLiteral("Image1") };
    Label *Label6 = nullptr;
    Label *Label9 = nullptr;
    ControlArray<Label> Label1 { QStringLiteral("Label1") };
    ControlArray<Label> Label4 { QStringLiteral("Label4") };
    ControlArray<Label> label3 { QStringLiteral("label3") };
    ControlArray<Label> Label2 { QStringLiteral("Label2") };

private:
    void showWord(int index);
    // The name of a target (its index in scan order) by the words on it, but for except.
    QString targetName(int scanIndex, int except) const;
    // Where a point of word index (x, y in twips from its corner) lies on the screen.
    QPointF screenPoint(int index, double x, double y) const;

    const ActivityDef m_definition;
    DragActivity m_activity;
    // The words in reading order, left to right along their start row.
    std::vector<int> m_readingOrder;
    WordMover *m_mover = nullptr;
    // The word the left button went down on, where, and whether the pointer has moved since.
    int m_pressed = -1;
    QPointF m_pressAt;
    bool m_moved = false;
};

// The activity screens of every topic, one slot each, named by the topic's folder and "lab"
// or "ord" ("rivers1lab", "watercycleord").
FormSlots<ActivityScreen> &activityScreens();

// The four screens of the two river topics, by their design names.
extern FormSlot<ActivityScreen> &rivers1lab;
extern FormSlot<ActivityScreen> &rivers2lab;
extern FormSlot<ActivityScreen> &rivers1ord;
extern FormSlot<ActivityScreen> &rivers2ord;
