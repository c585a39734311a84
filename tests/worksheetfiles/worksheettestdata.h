#pragma once

// What every worksheet test shares: a throw-away media root, a sample worksheet and the
// bytes the file format gives it, catalogue files, and a snapshot to show nothing was written.

#include "worksheetdraft.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include "mediapath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

// A media root holding an empty "multiple" folder, one level below a temporary base folder so
// that a file escaping the media root still shows in a snapshot of base(). MediaPath points at
// it while the object lives.
class TempMediaRoot
{
public:
    TempMediaRoot()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(m_dir.path()).mkpath(QStringLiteral("media/multiple"));
        MediaPath::setRoot(root());
        MediaPath::setWorksheetsFolder(multiple());
    }
    ~TempMediaRoot()
    {
        MediaPath::setRoot(QString());
        MediaPath::setWorksheetsFolder(QString());
    }
    TempMediaRoot(const TempMediaRoot &) = delete;
    TempMediaRoot &operator=(const TempMediaRoot &) = delete;

    QString base() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + QStringLiteral("/media"); }
    QString multiple() const { return root() + QStringLiteral("/multiple"); }
    // The file on disk for a path below the media root, e.g. "multiple/track.txt".
    QString path(const QString &relative) const { return root() + u'/' + relative; }

    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray catalogueBytes() const { return read(QStringLiteral("multiple/track.txt")); }

private:
    QTemporaryDir m_dir;
};

inline QByteArray crlfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Catalogue file bytes: the count line, then one title per line.
inline QByteArray catalogueBytes(const QStringList &titles)
{
    return crlfLines(QStringList { QStringLiteral(" %1 ").arg(titles.size()) } + titles);
}

inline QStringList numberedTitles(int count)
{
    QStringList titles;
    for (int i = 1; i <= count; ++i)
        titles += QStringLiteral("Worksheet %1").arg(i);
    return titles;
}

// A whole worksheet with commas in its texts; question q's correct answer is A, B, C, D, A, ...
// so every tick box column is used.
inline WorksheetDraft sampleWorksheet(const QString &title = QStringLiteral("Our River Walk"),
                                      const QString &variant = {})
{
    WorksheetDraft draft;
    draft.title = title;
    for (int q = 1; q <= 10; ++q) {
        draft.questions[q - 1]
            = QStringLiteral("Where, on river walk %1, did we stop%2?").arg(q).arg(variant);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * (q - 1) + k]
                = QStringLiteral("Bridge %1, stop %2").arg(q).arg(QChar(u'A' + k));
        draft.ticks[4 * (q - 1) + (q - 1) % 4] = true;
    }
    return draft;
}

// The 72 lines of a worksheet file, commas written as "&".
inline QByteArray worksheetBytes(const WorksheetDraft &draft)
{
    auto escaped = [](QString text) { return text.replace(u',', u'&'); };
    QStringList lines { escaped(draft.title), QStringLiteral(" ") };
    for (int q = 0; q < 10; ++q) {
        lines += escaped(draft.questions[q]);
        QString digit;
        for (int k = 0; k < 4; ++k) {
            lines += escaped(draft.answers[4 * q + k]);
            if (draft.ticks[4 * q + k])
                digit += QString::number(k + 1);
        }
        lines += digit;
        lines += QStringLiteral(" ");
    }
    return crlfLines(lines);
}

inline QStringList catalogueInMemory()
{
    QStringList titles;
    for (int i = 1; i <= trackcount && i <= catalogueCapacity; ++i)
        titles += tracklist[i];
    return titles;
}

// Every file below folder with its contents.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return files;
}
