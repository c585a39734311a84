#pragma once

#include <QPointer>
#include <QWidget>

// The mark of the keyboard focus: a black, white and black ring round the control that has the
// focus, above everything else on its screen. It lies just outside the control where there is
// room and moves inside the control's edge where other controls come close (the wizard's boxes
// and ticks), so it never covers another control. It shows only while the keyboard is in
// use, from a key press to the next press of a mouse button or touch of the screen, so a mouse
// user sees every screen exactly as designed. Only controls that Tab reaches carry it, never
// a control kept out of sight (the quiz's unseen option).
class FocusMark final : public QWidget
{
    Q_OBJECT

public:
    // Starts watching the keys, the pointer and the focus, once for the whole program. Every
    // screen calls it as it is made.
    static void watch();
    // Whether the keyboard is in use now.
    static bool keyboardInUse();
    // Shows the mark on control whenever it has the focus, the mouse in use too (a word
    // chosen by a click), until released again.
    static void keepOn(QWidget *control, bool kept);

    // The mark on a screen; watch() makes and places it as needed.
    explicit FocusMark(QWidget *window);

protected:
    void paintEvent(QPaintEvent *event) override;
};
