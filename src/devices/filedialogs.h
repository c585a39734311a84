#pragma once

#include "installeddevice.h"

#include <QString>
#include <QStringList>

// The program's file dialogs: a file to open, a file to save to. Filters are in the dialogs'
// usual form, "GIFT (*.gift *.txt)", the first one chosen when the dialog opens.
class FileDialogs : public InstalledDevice<FileDialogs>
{
public:
    // Asks for an existing file, starting in folder. Returns its path, empty when cancelled.
    virtual QString openFile(const QString &caption, const QString &folder,
                             const QStringList &filters)
        = 0;

    // Asks where to save, proposing suggestedPath (its folder and name). A name given without
    // a suffix gets the first suffix of the filter chosen; replacing an existing file is
    // confirmed first. Returns the path, with the index of the filter chosen in *filter, or
    // an empty path when cancelled.
    virtual QString saveFile(const QString &caption, const QString &suggestedPath,
                             const QStringList &filters, int *filter)
        = 0;

    // The dialogs in use: the installed ones, else real dialogs.
    static FileDialogs &current();
};
