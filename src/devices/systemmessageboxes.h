#pragma once

#include "messageboxes.h"

// Real message boxes: a modal QMessageBox over the screen in front, which has the keyboard
// focus again when the box closes.
class SystemMessageBoxes final : public MessageBoxes
{
public:
    Result show(const QString &text, const QString &caption, Buttons buttons) override;
};
