#pragma once

#include "worksheetdraft.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include "mediapath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away media root holding an empty "multiple" worksheets folder, one level below a
// temporary base folder so that tests can see a file escaping the media root. MediaPath
// points at it while the object lives; nothing of the user's or the build's is touched.
class TempMediaRoot final
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

    // Writes or reads a file below the media root, e.g. "multiple/track.txt".
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QFile file(root() + u'/' + relative);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(root() + u'/' + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

// A complete worksheet as the wizard would hand it over: question q has its tick on answer
// (q-1) mod 4.
inline WorksheetDraft sampleDraft(const QString &title, const QString &variant = {})
{
    WorksheetDraft draft;
    draft.title = title;
    for (int q = 0; q < 10; ++q) {
        draft.questions[q] = QStringLiteral("Question %1 about rivers%2?").arg(q + 1).arg(variant);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * q + k]
                = QStringLiteral("Answer %1%2").arg(q + 1).arg(QChar(u'A' + k));
        draft.ticks[4 * q + q % 4] = true;
    }
    return draft;
}

// Catalogue file bytes: the count line, then one title per line.
inline QByteArray catalogueBytes(const QStringList &titles)
{
    QByteArray bytes = " " + QByteArray::number(titles.size()) + " \r\n";
    for (const QString &title : titles)
        bytes += title.toLatin1() + "\r\n";
    return bytes;
}

inline QStringList catalogueInMemory()
{
    QStringList titles;
    for (int i = 1; i <= trackcount && i <= catalogueCapacity; ++i)
        titles += tracklist[i];
    return titles;
}

// Every file below folder with its contents, to show that nothing was written.
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
