#include "textfilewriter.h"

#include "folderaccess.h"
#include "groupshare.h"
#include "windows1252.h"
#include "worksheetfileerror.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

TextFileWriter::ReplaceHook g_beforeReplace;

} // namespace

QByteArray TextFileWriter::encode(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = Windows1252::encode(line);
        if (!encoded) {
            const QChar bad = line.at(Windows1252::firstUnencodable(line));
            throw WorksheetFileError(
                QStringLiteral("The character %1 cannot be stored in a worksheet file.").arg(bad));
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

void TextFileWriter::replace(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = encode(lines);
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FolderAccess::writeError(path, QStringLiteral("%1 cannot be written.").arg(name));
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw WorksheetFileError(QStringLiteral("%1 could not be written whole.").arg(name));
    GroupShare::adopt(file.handle(), QFileInfo(path).absolutePath());
    if (g_beforeReplace)
        g_beforeReplace(path);
    if (!file.commit())
        throw WorksheetFileError(QStringLiteral("%1 could not be replaced.").arg(name));
}

void TextFileWriter::setBeforeReplaceHook(ReplaceHook hook)
{
    g_beforeReplace = std::move(hook);
}
