#include "mediapath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace {

QString g_root;
QString g_worksheets;
QHash<QString, QString> g_topicFolders;
int g_revision = 0;

const QString worksheetsName = QStringLiteral("multiple");
const QString catalogueName = QStringLiteral("track.txt");
const QString topicsName = QStringLiteral("topics");

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

// A relative data path split into its names; nothing for a path that would leave the root.
std::optional<QStringList> split(const QString &relativePath)
{
    QString path = relativePath;
    path.replace(u'\\', u'/');
    if (QDir::isAbsolutePath(path))
        return std::nullopt;
    QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (parts.contains(QStringLiteral("..")))
        return std::nullopt;
    parts.removeAll(QStringLiteral("."));
    if (parts.isEmpty())
        return std::nullopt;
    return parts;
}

bool isWorksheetsPath(const QStringList &parts)
{
    return parts.first().compare(worksheetsName, Qt::CaseInsensitive) == 0;
}

QString join(QString folder, const QStringList &parts)
{
    for (const QString &part : parts)
        folder = folder + u'/' + matchEntry(QDir(folder), part);
    return folder;
}

} // namespace

QString MediaPath::root()
{
    if (g_root.isEmpty()) {
        const QString dir = QCoreApplication::applicationDirPath();
        const QString beside = dir + QStringLiteral("/media");
        const QString installed = QDir::cleanPath(dir + QStringLiteral("/../share/ondel/media"));
        g_root = QFileInfo(beside).isDir() || !QFileInfo(installed).isDir() ? beside : installed;
    }
    return g_root;
}

bool MediaPath::isBuildTree()
{
    return root() == QCoreApplication::applicationDirPath() + QStringLiteral("/media");
}

void MediaPath::setRoot(const QString &path)
{
    g_root = path;
    g_worksheets.clear();
    g_topicFolders.clear();
    ++g_revision;
}

int MediaPath::revision()
{
    return g_revision;
}

void MediaPath::setWorksheetsFolder(const QString &path)
{
    g_worksheets = path;
}

QString MediaPath::shippedWorksheetsFolder()
{
    const QDir rootDir(root());
    return rootDir.filePath(matchEntry(rootDir, worksheetsName));
}

QString MediaPath::worksheetsFolder()
{
    return g_worksheets.isEmpty() ? shippedWorksheetsFolder() : g_worksheets;
}

QString MediaPath::topicFolder(const QString &name)
{
    if (const auto found = g_topicFolders.constFind(name); found != g_topicFolders.cend())
        return *found;
    QString folder = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                            QStringLiteral("ondel/topics/") + name,
                                            QStandardPaths::LocateDirectory);
    if (folder.isEmpty())
        folder = root() + u'/' + topicsName + u'/' + name;
    g_topicFolders.insert(name, folder);
    return folder;
}

QString MediaPath::resolve(const QString &relativePath)
{
    const std::optional<QStringList> parts = split(relativePath);
    if (!parts)
        return {};
    if (parts->size() > 2 && parts->first().compare(topicsName, Qt::CaseInsensitive) == 0)
        return join(topicFolder(parts->at(1).toLower()), parts->mid(2));
    if (!isWorksheetsPath(*parts))
        return join(root(), *parts);
    const QStringList inside = parts->mid(1);
    const QString own = join(worksheetsFolder(), inside);
    if (QFileInfo::exists(own)
        || (inside.size() == 1 && inside.first().compare(catalogueName, Qt::CaseInsensitive) == 0))
        return own;
    const QString shipped = join(shippedWorksheetsFolder(), inside);
    return QFileInfo::exists(shipped) ? shipped : own;
}

QString MediaPath::resolveForWriting(const QString &relativePath)
{
    const std::optional<QStringList> parts = split(relativePath);
    if (!parts)
        return {};
    if (parts->size() > 2 && parts->first().compare(topicsName, Qt::CaseInsensitive) == 0)
        return join(topicFolder(parts->at(1).toLower()), parts->mid(2));
    if (!isWorksheetsPath(*parts))
        return join(root(), *parts);
    return join(worksheetsFolder(), parts->mid(1));
}
