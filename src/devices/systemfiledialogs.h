#pragma once

#include "filedialogs.h"

// Real file dialogs: a modal QFileDialog over the screen in front, which has the keyboard
// focus again when the dialog closes.
class SystemFileDialogs final : public FileDialogs
{
public:
    QString openFile(const QString &caption, const QString &folder,
                     const QStringList &filters) override;
    QString saveFile(const QString &caption, const QString &suggestedPath,
                     const QStringList &filters, int *filter) override;
};
