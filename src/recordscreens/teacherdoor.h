#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "textbox.h"
#include "timer.h"

#include <QPointer>

#include <functional>

// The door of the teachers' area. When a teacher password is set (TeacherPassword), the
// teachers' actions (the wizard's Save, the catalogue's Edit, Delete, Import and Export,
// Class Results) ask for it once per start through enter(); with none set they go ahead as
// before. The box is a small window over the screen, which takes no other input meanwhile. A
// wrong password is said so and the box is emptied; from the fifth wrong try on the box waits
// before it takes the next (PasswordTries), counting the seconds down.
class TeacherDoor final : public Form
{
    Q_OBJECT

public:
    TeacherDoor();
    ~TeacherDoor() override;

    // Runs then at once when no password is set or it has been given in this run; otherwise
    // asks for it and runs then once it is given. Nothing runs when the box is cancelled, or
    // when context has gone by then.
    static void enter(QObject *context, std::function<void()> then);
    // Whether the teachers' actions go ahead without asking.
    static bool isOpen();
    // Asks again at the next teachers' action and forgets the wrong tries, as at a fresh
    // start.
    static void lock();

    void Form_Load() override;
    // 0: OK; 1: Cancel.
    void label3_Click(int index);
    void Text1_KeyPress(int keyAscii);
    // While the box waits: counts down, and takes tries again once the wait is over.
    void Timer1_Timer();

    Label *Label1 = nullptr;
    TextBox *Text1 = nullptr;
    Label *Label2 = nullptr;
    ControlArray<Label> label3 { QStringLiteral("label3") };
    Timer *Timer1 = nullptr;

private:
    void tryPassword();
    // Shows the wait, or takes tries again when there is none.
    void showWait();

    QPointer<QObject> m_context;
    std::function<void()> m_then;
};

extern FormSlot<TeacherDoor> teacherdoor;
