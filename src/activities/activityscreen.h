#pragma once

#include "activitydef.h"
#include "controlarray.h"
#include "dragactivity.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"
#include "line.h"

// A drag-and-drop activity screen, built from its ActivityDef: the pictures, the title, the
// instruction and further texts, leader lines, the boxes (Label1), the start slots (Label4),
// the buttons label3 (0 Exit, 1 Start Again, 2 Check Score) and the words (Label2). The
// pictures lie lowest and the words above everything else. The rules live in DragActivity;
// the words are drawn where it says, so its exact twips are never re-derived from pixels.
class ActivityScreen : public Form
{
    Q_OBJECT

public:
    explicit ActivityScreen(const ActivityDef &definition);
    ~ActivityScreen() override;

    // Standard frame, outof, the pictures, the words from the box captions, empty (and, but
    // for opaque-box activities, transparent) boxes, start slots under the words, then the
    // title where the screen's own load sets it.
    void Form_Load() override;

    void Label2_MouseMove(int index, int button, int shift, double x, double y);
    void Label2_MouseUp(int index, int button, int shift, double x, double y);
    void label3_Click(int index);

    const ActivityDef &definition() const { return m_definition; }
    const DragActivity &activity() const { return m_activity; }

    ControlArray<ImageBox> Image1 { QStringLiteral("Image1") };
    Label *Label6 = nullptr;
    Label *Label9 = nullptr;
    ControlArray<Label> Label1 { QStringLiteral("Label1") };
    ControlArray<Label> Label4 { QStringLiteral("Label4") };
    ControlArray<Label> label3 { QStringLiteral("label3") };
    ControlArray<Label> Label2 { QStringLiteral("Label2") };

private:
    void showWord(int index);

    const ActivityDef &m_definition;
    DragActivity m_activity;
};

// The screen of one activity, so that each slot creates its own.
template<const ActivityDef &Definition> class ActivityScreenOf final : public ActivityScreen
{
public:
    ActivityScreenOf()
        : ActivityScreen(Definition)
    { }
};

extern FormSlot<ActivityScreenOf<rivers1labDef>> rivers1lab;
extern FormSlot<ActivityScreenOf<rivers2labDef>> rivers2lab;
extern FormSlot<ActivityScreenOf<rivers1ordDef>> rivers1ord;
extern FormSlot<ActivityScreenOf<rivers2ordDef>> rivers2ord;
