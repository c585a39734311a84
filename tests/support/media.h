#pragma once

// A media root of the test's own, in use while the object lives.

#include "mediapath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

// The media root is "media" one level below a temporary folder, so a file escaping it still
// shows in snapshot(base()). With Built::Media the root is the build's media instead (read
// only) and just the worksheets folder is the test's own, seeded with the built worksheets.
class TemporaryMedia
{
public:
    enum class Built { None, Media };
    explicit TemporaryMedia(Built built = Built::None)
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(m_dir.path()).mkpath(QStringLiteral("media/multiple"));
        MediaPath::setRoot(built == Built::Media ? builtMedia() : root());
        MediaPath::setWorksheetsFolder(multiple());
        if (built == Built::Media) {
            const QDir worksheets(builtMedia() + QStringLiteral("/multiple"));
            for (const QString &file : worksheets.entryList(QDir::Files))
                QFile::copy(worksheets.filePath(file), multiple() + u'/' + file);
        }
    }
    ~TemporaryMedia()
    {
        MediaPath::setRoot(QString());
        MediaPath::setWorksheetsFolder(QString());
    }
    TemporaryMedia(const TemporaryMedia &) = delete;
    TemporaryMedia &operator=(const TemporaryMedia &) = delete;

    static QString builtMedia() { return QStringLiteral(ONDEL_BUILT_MEDIA_DIR); }
    QString base() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + QStringLiteral("/media"); }
    QString multiple() const { return root() + QStringLiteral("/multiple"); }
    // The file on disk for a path below the root, "/" separated: "multiple/track.txt".
    QString path(const QString &relative) const { return root() + u'/' + relative; }

    bool write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray catalogue() const { return read(QStringLiteral("multiple/track.txt")); }
    QStringList worksheetFiles() const
    {
        return QDir(multiple()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};

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
