#pragma once

#include "filedialogs.h"

#include <QList>

// File dialogs for tests: shows nothing, remembers every dialog asked for and answers from a
// script. Installs itself while it lives.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    struct Asked
    {
        QString caption;
        QString path; // the folder to open in, or the path proposed for saving
        QStringList filters;
    };

    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;

    QString openFile(const QString &caption, const QString &folder,
                     const QStringList &filters) override;
    QString saveFile(const QString &caption, const QString &suggestedPath,
                     const QStringList &filters, int *filter) override;

    // The paths the coming dialogs return, in order (an empty one cancels); with the filter
    // that a save dialog reports as chosen. When the script is used up, dialogs are cancelled.
    void setAnswers(const QStringList &paths, int filter = 0)
    {
        m_answers = paths;
        m_filter = filter;
    }

    const QList<Asked> &asked() const { return m_asked; }

private:
    QString answer(const QString &caption, const QString &path, const QStringList &filters);

    QList<Asked> m_asked;
    QStringList m_answers;
    int m_filter = 0;
};
