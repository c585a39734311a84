#include "folderaccess.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace FolderAccess {

namespace {

using Cause = WorksheetFileError::Cause;

QString shown(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}

std::optional<WorksheetFileError> unreachable(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return WorksheetFileError(
            QStringLiteral("The worksheets folder %1 cannot be found. If it is on a shared "
                           "drive, the drive may not be connected.")
                .arg(shown(folder)),
            Cause::Unreachable);
    if (!info.isReadable() || !info.isExecutable())
        return WorksheetFileError(
            QStringLiteral("This account may not open the worksheets folder %1.")
                .arg(shown(folder)),
            Cause::Unreachable);
    return std::nullopt;
}

} // namespace

WorksheetFileError readError(const QString &path, const QString &otherwise)
{
    return unreachable(QFileInfo(path).absolutePath()).value_or(WorksheetFileError(otherwise));
}

WorksheetFileError writeError(const QString &path, const QString &otherwise)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (std::optional<WorksheetFileError> error = unreachable(folder))
        return *error;
    if (!QFileInfo(folder).isWritable())
        return WorksheetFileError(
            QStringLiteral("This account may not change the worksheets folder %1.")
                .arg(shown(folder)),
            Cause::NotWritable);
    if (file.exists() && !file.isWritable())
        return WorksheetFileError(QStringLiteral("This account may not change the file %1 in the "
                                                 "worksheets folder %2.")
                                      .arg(file.fileName(), shown(folder)),
                                  Cause::NotWritable);
    return WorksheetFileError(otherwise);
}

} // namespace FolderAccess
