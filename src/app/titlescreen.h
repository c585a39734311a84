#pragma once

#include "commandbutton.h"
#include "form.h"
#include "formslot.h"
#include "frame.h"
#include "label.h"
#include "picturebox.h"

// The title and credits screen: the first screen of the program and its way out. OK (or
// Cancel, when the main menu opened it) goes to the main menu; Exit ends the program.
class TitleScreen final : public Form
{
    Q_OBJECT

public:
    TitleScreen();
    ~TitleScreen() override;

    // Centres the screen, puts the backdrop behind everything and loads the picture. When a
    // step fails the screen takes the standard frame of the content screens instead.
    void Form_Load() override;

    void Command1_Click();
    void Command2_Click();

    Frame *Frame1 = new Frame(this, QStringLiteral("Frame1"));
    Label *Label4 = new Label(Frame1, QStringLiteral("Label4"));
    PictureBox *Picture1 = new PictureBox(Frame1, QStringLiteral("Picture1"));
    Label *Label1 = new Label(Frame1, QStringLiteral("Label1"));
    Label *Label5 = new Label(Frame1, QStringLiteral("Label5"));
    Label *Label3 = new Label(Frame1, QStringLiteral("Label3"));
    CommandButton *Command1 = new CommandButton(Frame1, QStringLiteral("Command1"));
    CommandButton *Command2 = new CommandButton(Frame1, QStringLiteral("Command2"));
    Label *Label2 = new Label(Frame1, QStringLiteral("Label2"));

private:
    bool loadSteps();
};

extern FormSlot<TitleScreen> Titlefrm;
