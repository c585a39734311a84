#include "buttonhover.h"

#include "form.h"
#include "label.h"

#include <QEvent>

ButtonHover::ButtonHover(Form &screen, const ControlArray<Label> &buttons)
    : QObject(&screen)
    , m_buttons(buttons)
{ }

ButtonHover *ButtonHover::install(Form &screen, ControlArray<Label> &buttons, Rule rule)
{
    auto *hover = new ButtonHover(screen, buttons);
    // The moves the form itself receives are the ones over the bare form: every enabled
    // control keeps the moves over it.
    screen.installEventFilter(hover);
    if (rule == Rule::LightAndPutOut) {
        const auto light
            = [&buttons](int index) { buttons[index]->setBackStyle(BackStyle::Opaque); };
        buttons.connect(&Label::mouseMove, hover, light);
        buttons.connect(&Label::gotFocus, hover, light);
    }
    return hover;
}

void ButtonHover::lightAll()
{
    for (const auto &[index, button] : m_buttons)
        button->setBackStyle(BackStyle::Opaque);
}

void ButtonHover::putOutAll()
{
    for (const auto &[index, button] : m_buttons)
        button->setBackStyle(BackStyle::Transparent);
}

bool ButtonHover::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::MouseMove)
        putOutAll();
    return false;
}
