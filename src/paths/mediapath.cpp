#include "mediapath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString g_root;
QString g_worksheets;

const QString worksheetsName = QStringLiteral("multiple");

// The entry of dir whose name equals name ignoring case; name itself when none does.
QString matchEntry(const QDir &dir, const QString &name)
{
    if (dir.exists(name))
        return name;
    const QStringList entries
        = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

bool isWritableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// Copies the shipped worksheets and catalogue into a fresh per-user folder.
void seedFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    const QStringList files = source.entryList(QDir::Files);
    for (const QString &file : files) {
        const QString target = to + u'/' + file;
        if (!QFile::exists(target))
            QFile::copy(source.filePath(file), target);
    }
}

} // namespace

QString MediaPath::root()
{
    if (g_root.isEmpty()) {
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/media");
        if (QFileInfo(beside).isDir()) {
            g_root = beside;
        } else {
            const QString shared
                = QStandardPaths::locate(QStandardPaths::AppDataLocation, QStringLiteral("media"),
                                         QStandardPaths::LocateDirectory);
            g_root = shared.isEmpty() ? beside : shared;
        }
    }
    return g_root;
}

void MediaPath::setRoot(const QString &path)
{
    g_root = path;
    g_worksheets.clear();
}

void MediaPath::setWorksheetsFolder(const QString &path)
{
    g_worksheets = path;
}

QString MediaPath::worksheetsFolder()
{
    if (g_worksheets.isEmpty()) {
        const QDir rootDir(root());
        const QString shipped = rootDir.filePath(matchEntry(rootDir, worksheetsName));
        if (isWritableFolder(shipped)) {
            g_worksheets = shipped;
        } else {
            const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                + u'/' + worksheetsName;
            seedFolder(shipped, own);
            g_worksheets = own;
        }
    }
    return g_worksheets;
}

QString MediaPath::resolve(const QString &relativePath)
{
    QString path = relativePath;
    path.replace(u'\\', u'/');
    if (QDir::isAbsolutePath(path))
        return {};
    QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (parts.contains(QStringLiteral("..")))
        return {};
    parts.removeAll(QStringLiteral("."));
    if (parts.isEmpty())
        return {};

    QString current = root();
    if (parts.first().compare(worksheetsName, Qt::CaseInsensitive) == 0) {
        current = worksheetsFolder();
        parts.removeFirst();
    }
    for (const QString &part : std::as_const(parts))
        current = current + u'/' + matchEntry(QDir(current), part);
    return current;
}
