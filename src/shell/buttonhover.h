#pragma once

#include "controlarray.h"

#include <QObject>

class Form;
class Label;

// The hover highlight of a screen's label buttons. The pointer over a button, or the keyboard
// focus on it, makes its background opaque (lit); the pointer over the bare form makes every
// button of the array transparent. Nothing else puts a button out, so a button stays lit when
// the pointer goes from it onto a picture or a caption. The buttons are opaque as designed,
// so a screen first shows them all lit.
class ButtonHover final : public QObject
{
public:
    enum class Rule {
        // The pointer and the focus light a button; the bare form puts them all out.
        LightAndPutOut,
        // Only the bare form does anything: it puts them out, and nothing lights them again.
        PutOutOnly,
    };

    // Gives the buttons of screen (every element the array has by now) the highlight. The
    // highlight belongs to the screen and goes with it.
    static ButtonHover *install(Form &screen, ControlArray<Label> &buttons,
                                Rule rule = Rule::LightAndPutOut);

    // Every button lit, or every button out.
    void lightAll();
    void putOutAll();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ButtonHover(Form &screen, const ControlArray<Label> &buttons);

    const ControlArray<Label> &m_buttons;
};
