#include "scriptedfiledialogs.h"

ScriptedFileDialogs::ScriptedFileDialogs()
{
    install(this);
}

ScriptedFileDialogs::~ScriptedFileDialogs() = default;

QString ScriptedFileDialogs::openFile(const QString &caption, const QString &folder,
                                      const QStringList &filters)
{
    return answer(caption, folder, filters);
}

QString ScriptedFileDialogs::saveFile(const QString &caption, const QString &suggestedPath,
                                      const QStringList &filters, int *filter)
{
    if (filter)
        *filter = m_filter;
    return answer(caption, suggestedPath, filters);
}

QString ScriptedFileDialogs::answer(const QString &caption, const QString &path,
                                    const QStringList &filters)
{
    m_asked.append({ caption, path, filters });
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}
