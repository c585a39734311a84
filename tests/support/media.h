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

// A media root one level down, so an escaping file shows in snapshot(base()).
class TemporaryMedia
{
public:
    enum class Built { None, Media };
    explicit TemporaryMedia(Built built = Built::None)
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(m_dir.path()).mkpath(QStringLiteral("media/multiple"));
        if (built == Built::Media) {
            const QDir media(builtMedia());
            for (const QString &entry : media.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
                if (entry != u"multiple")
                    QFile::link(media.filePath(entry), path(entry));
            }
            const auto shipped = shippedWorksheets();
            for (auto it = shipped.cbegin(); it != shipped.cend(); ++it)
                QFile::copy(it.value(), multiple() + u'/' + it.key());
        }
        MediaPath::setRoot(root());
        MediaPath::setWorksheetsFolder(multiple());
    }
    ~TemporaryMedia()
    {
        MediaPath::setRoot(QString());
        MediaPath::setWorksheetsFolder(QString());
    }
    TemporaryMedia(const TemporaryMedia &) = delete;
    TemporaryMedia &operator=(const TemporaryMedia &) = delete;

    static QString builtMedia() { return QStringLiteral(ONDEL_BUILT_MEDIA_DIR); }
    // The shipped worksheets folder's files, each with its source.
    static QMap<QString, QString> shippedWorksheets()
    {
        QMap<QString, QString> files;
        for (const QString &pair : QStringLiteral(ONDEL_SHIPPED_WORKSHEETS).split(u','))
            files.insert(pair.section(u'|', 1),
                         QStringLiteral(ONDEL_MEDIA_SOURCES "/") + pair.section(u'|', 0, 0));
        return files;
    }
    QString base() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + QStringLiteral("/media"); }
    QString multiple() const { return root() + QStringLiteral("/multiple"); }
    // The file on disk for a path below the root, "/" separated: "multiple/track.txt".
    QString path(const QString &relative) const { return root() + u'/' + relative; }

    // Writes below the root, never through a link into the build's media.
    bool write(const QString &relative, const QByteArray &bytes) const
    {
        const QString folder = QFileInfo(path(relative)).absolutePath();
        QDir().mkpath(folder);
        if (!QFileInfo(folder).canonicalFilePath().startsWith(QDir(base()).canonicalPath()))
            return false;
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
