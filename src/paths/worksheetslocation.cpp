#include "worksheetslocation.h"

#include "groupshare.h"
#include "mediapath.h"

#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>

namespace {

const QString settingsName = QStringLiteral("ondel");
const QString settingsKey = QStringLiteral("worksheets");
const QString catalogueName = QStringLiteral("track.txt");

QString valueIn(QSettings::Scope scope, const QString &key)
{
    QSettings settings(QSettings::NativeFormat, scope, settingsName, settingsName);
    settings.setFallbacksEnabled(false);
    return settings.value(key).toString().trimmed();
}

QString fromSettings(QSettings::Scope scope)
{
    QString folder = valueIn(scope, settingsKey);
    if (folder.isEmpty())
        return {};
    if (folder == u'~' || folder.startsWith(QStringLiteral("~/")))
        folder = QDir::homePath() + folder.mid(1);
    return QDir::cleanPath(QDir::home().absoluteFilePath(folder));
}

// Hidden files do not count: a catalogue being written lies under a hidden name.
bool isEmptyFolder(const QString &folder)
{
    return !QDirIterator(folder, QDir::AllEntries | QDir::NoDotAndDotDot).hasNext();
}

// Writes the catalogue of no worksheets unless the folder has one: whole under a hidden name
// first, then renamed into place, never over a catalogue that another program made meanwhile.
// A program that finds the folder no longer empty thus always finds a catalogue it can read.
bool writeEmptyCatalogue(const QString &folder)
{
    const QString catalogue = folder + u'/' + catalogueName;
    QFile draft(
        folder
        + QStringLiteral("/.%1.%2").arg(catalogueName, QUuid::createUuid().toString(QUuid::Id128)));
    if (!draft.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo::exists(catalogue);
    const bool written = draft.write(" 0 \r\n") == 5 && draft.flush();
    GroupShare::adopt(draft.handle(), folder);
    draft.close();
    if (written && draft.rename(catalogue))
        return true;
    draft.remove();
    return QFileInfo::exists(catalogue);
}

// Writes an empty catalogue, then copies the shipped worksheets, each the group's in a folder
// that a group shares. Files that appear meanwhile (another machine seeding the same shared
// folder) are left as they are.
bool seed(const QString &folder)
{
    bool ok = writeEmptyCatalogue(folder);
    const QDir shipped(MediaPath::shippedWorksheetsFolder());
    const QStringList files = shipped.entryList({ QStringLiteral("*.txt") }, QDir::Files);
    for (const QString &file : files) {
        const QString target = folder + u'/' + file;
        if (file.compare(catalogueName, Qt::CaseInsensitive) == 0 || QFileInfo::exists(target))
            continue;
        if (QFile::copy(shipped.filePath(file), target))
            GroupShare::adopt(target);
        else
            ok = QFileInfo::exists(target) && ok;
    }
    return ok;
}

QString problem(const QString &folder, bool seeded)
{
    const QFileInfo info(folder);
    QString reason;
    if (!info.exists())
        reason = QStringLiteral("does not exist");
    else if (!info.isDir())
        reason = QStringLiteral("is not a folder");
    else if (!QDir(folder).isReadable())
        reason = QStringLiteral("cannot be read");
    else if (!info.isWritable() || !seeded)
        reason = QStringLiteral("cannot be written to");
    else
        return {};
    return QStringLiteral("the worksheets folder %1 %2, so worksheets cannot be saved or "
                          "deleted there")
        .arg(QDir::toNativeSeparators(folder), reason);
}

} // namespace

QCommandLineOption WorksheetsLocation::option()
{
    return QCommandLineOption(
        settingsKey,
        QStringLiteral("Keep the worksheets and their catalogue in <folder>, e.g. a folder "
                       "that every classroom machine shares."),
        QStringLiteral("folder"));
}

QString WorksheetsLocation::setting(const QString &key)
{
    const QString user = valueIn(QSettings::UserScope, key);
    return user.isEmpty() ? valueIn(QSettings::SystemScope, key) : user;
}

WorksheetsLocation::Choice WorksheetsLocation::choose(const QCommandLineParser &parser)
{
    if (parser.isSet(settingsKey) && !parser.value(settingsKey).isEmpty())
        return { QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(settingsKey))),
                 Source::Option };
    if (QString folder = fromSettings(QSettings::UserScope); !folder.isEmpty())
        return { folder, Source::UserSettings };
    if (QString folder = fromSettings(QSettings::SystemScope); !folder.isEmpty())
        return { folder, Source::SystemSettings };
    if (MediaPath::isBuildTree())
        return { MediaPath::shippedWorksheetsFolder(), Source::Default };
    return { QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                 + QStringLiteral("/ondel/multiple"),
             Source::Default };
}

QString WorksheetsLocation::use(const Choice &choice)
{
    const QString &folder = choice.folder;
    MediaPath::setWorksheetsFolder(folder);
    if (folder == MediaPath::shippedWorksheetsFolder())
        return problem(folder, true);
    if (choice.source == Source::Default)
        QDir().mkpath(folder);
    const QFileInfo info(folder);
    const bool seeded
        = !info.isDir() || !info.isWritable() || !isEmptyFolder(folder) || seed(folder);
    return problem(folder, seeded);
}
