#pragma once

#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "frame.h"
#include "imagebox.h"
#include "label.h"
#include "optionbutton.h"
#include "timer.h"

// The main menu: the topics in two columns, the teachers' pages, the worksheet tools, the
// sound switch and Exit. It stays loaded beneath the screens it opens. Its entries light up
// under the pointer and go out only when the pointer crosses the bare form.
class MainMenu final : public Form
{
    Q_OBJECT

public:
    MainMenu();
    ~MainMenu() override;

    // Standard frame, picture, sound on, and the catalogue read queued for right after the
    // menu is on show.
    void Form_Load() override;

    // Lets the screens below the menus come back to the main menu (Navigation).
    static void installNavigation();

    void Label2_Click(int index);
    void Option1_Click();
    void Option2_Click();
    // The one-shot catalogue read; failures leave the globals with what was read.
    void Timer1_Timer();

    Label *Label1 = nullptr;
    ControlArray<Label> Label4 { QStringLiteral("Label4") };
    ControlArray<Label> Label2 { QStringLiteral("Label2") };
    Frame *Frame1 = nullptr;
    ImageBox *Image1 = nullptr;
    OptionButton *Option1 = nullptr;
    OptionButton *Option2 = nullptr;
    Timer *Timer1 = nullptr;
    Label *Label3 = nullptr;
};

extern FormSlot<MainMenu> intro0;
