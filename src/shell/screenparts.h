#pragma once

#include "buttonhover.h"
#include "control.h"
#include "controlarray.h"
#include "twipsrect.h"

#include <QColor>
#include <QString>
#include <QStringView>

class Form;
class Label;

// What the screens share: the colours, the label-button look, caption labels, the click
// sound, the message box, and (buttonhover.h) the hover highlight. Positions are twips.
namespace ScreenParts {

inline constexpr QColor yellow = QColor(255, 255, 0);
inline constexpr QColor black = QColor(0, 0, 0);
inline constexpr QColor white = QColor(255, 255, 255);
inline constexpr QColor blue = QColor(0, 0, 255);
inline constexpr QColor navy = QColor(0, 0, 128);
inline constexpr QColor red = QColor(255, 0, 0);
inline constexpr QColor green = QColor(0, 255, 0);
// The standard frame's background, which option buttons, tick boxes and frames repeat.
inline constexpr QColor layoutBlue = QColor(0, 78, 152);
// The background of the picture boxes on a screen in the standard frame.
inline constexpr QColor pictureBlue = QColor(49, 135, 214);

inline constexpr QStringView tahoma = u"Tahoma";
inline constexpr QStringView serif = u"Times New Roman";
inline constexpr Alignment centre = Alignment::Center;
inline constexpr Alignment flushLeft = Alignment::Left;

// What every button click plays (through requestSound).
inline const QString clickSound = QStringLiteral("wav\\click.wav");

// A label button as designed: yellow bold Tahoma (15.75 pt unless a screen says otherwise),
// centred, on an opaque black box with a single-line border; it takes the focus and answers
// Enter and Space.
struct ButtonDesign
{
    int index = 0;
    QStringView caption;
    TwipsRect rect;
    double points = 15.75;
};

void setupButton(Label &label, const QString &caption, const TwipsRect &rect,
                 double points = 15.75);
// Creates element design.index of buttons on parent, with the button look.
Label *createButton(ControlArray<Label> &buttons, const ButtonDesign &design, QWidget *parent);

// A caption label with a transparent background.
struct LabelDesign
{
    QStringView font;
    double points = 0;
    bool bold = false;
    QColor colour;
    Alignment alignment = Alignment::Left;
    TwipsRect rect;
};

void setupLabel(Label &label, const QString &caption, const LabelDesign &design);

// Puts a control at its designed rectangle.
template<class C> void place(C &control, const TwipsRect &rect)
{
    control.move(rect.left, rect.top, rect.width, rect.height);
}

// Escape on the screen presses its Exit button, when that is on show. Not for the title
// screen, whose Exit ends the program, nor the wizard, whose Exit drops what was typed.
void exitOnEscape(Form &screen, Label *exitButton);

// Shows text in a message box with an OK button and the program's title as caption.
void message(const QString &text);
// Asks with OK and Cancel under the program's title; true for OK.
bool confirm(const QString &question);

// The busy pointer while a catalogue update waits for another program to release the
// catalogue (the notice WorksheetFiles takes), the normal pointer again after.
void showBusyWhileWaiting(bool waiting);

} // namespace ScreenParts
