#pragma once

#include "messageboxes.h"

// Real message boxes: a modal QMessageBox over the active window.
class SystemMessageBoxes final : public MessageBoxes
{
public:
    Result show(const QString &text, const QString &caption, Buttons buttons) override;
};
