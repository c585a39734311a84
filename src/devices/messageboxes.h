#pragma once

#include "installeddevice.h"

#include <QString>

// The program's message boxes: a text, a caption and OK or OK/Cancel.
class MessageBoxes : public InstalledDevice<MessageBoxes>
{
public:
    enum class Buttons { Ok, OkCancel };
    enum class Result { Ok, Cancel };

    // Shows the box modally over the screen in front and returns the button pressed. Closing the
    // box any other way counts as Cancel for OK/Cancel and as Ok for a plain OK box.
    virtual Result show(const QString &text, const QString &caption, Buttons buttons) = 0;

    // The boxes in use: the installed ones, else real dialogs.
    static MessageBoxes &current();
};
