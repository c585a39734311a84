#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Writes the program's text files: Windows-1252, every line ending in CR LF, replacing the
// old file atomically. The new contents go to a temporary file beside the target, are
// flushed to disk and only then renamed over it, so a crash or a full disk leaves either the
// old file or the new one whole. In a folder that a group shares, the file is the group's too
// (GroupShare).
class TextFileWriter final
{
public:
    // The bytes of lines as they are stored. Throws WorksheetFileError naming the first
    // character that Windows-1252 cannot store.
    static QByteArray encode(const QStringList &lines);

    // Creates or replaces the file at path (a path on disk). Throws WorksheetFileError,
    // before anything is written when a character cannot be stored.
    static void replace(const QString &path, const QStringList &lines);

    // Tests simulate a crash or a failure between writing and replacing: the hook runs with
    // the target path once the temporary file is complete, and may throw or end the process.
    using ReplaceHook = std::function<void(const QString &path)>;
    static void setBeforeReplaceHook(ReplaceHook hook);
};
