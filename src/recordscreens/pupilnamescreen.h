#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "imagebox.h"
#include "label.h"
#include "textbox.h"

class QCompleter;

// Asks the pupil's name once per start when the class record is on: the title screen's OK
// shows it instead of the main menu. OK (or Enter) keeps the name for this run
// (ClassRecord::setPupil), every result is kept under it and the certificate carries it;
// then the main menu shows. The names of the teacher's class list, pupils.txt in the
// worksheets folder, are offered as the pupil types.
class PupilNameScreen final : public Form
{
    Q_OBJECT

public:
    static constexpr int nameLength = 25;

    PupilNameScreen();
    ~PupilNameScreen() override;

    // Standard frame, the picture, the class list for the name box; the focus in the box.
    void Form_Load() override;
    // 0: OK.
    void label3_Click(int index);
    void Text1_KeyPress(int keyAscii);

    // The names in pupils.txt, one a line (UTF-8), without blank lines, surrounding spaces
    // and repeats; none when there is no class list.
    static QStringList classList();

    Label *Label1 = nullptr;
    ImageBox *Image1 = nullptr;
    TextBox *Text1 = nullptr;
    Label *Label2 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };

    QCompleter *completer() const { return m_completer; }

private:
    QCompleter *m_completer = nullptr;
};

extern FormSlot<PupilNameScreen> pupilname;
