#include "classrecord.h"

#include "folderlock.h"
#include "mediapath.h"
#include "resultscsv.h"
#include "worksheetfileerror.h"
#include "worksheetslocation.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <functional>

namespace ClassRecord {

namespace {

const QString fileName = QStringLiteral("results.csv");

QString g_pupil;

QList<QStringList> readRows()
{
    QFile file(path());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw WorksheetFileError(
            QStringLiteral("%1 cannot be read: %2").arg(fileName, file.errorString()));
    QList<QStringList> rows = ResultsCsv::rows(file.readAll());
    if (!rows.isEmpty() && rows.front() == ResultsCsv::header())
        rows.removeFirst();
    return rows;
}

void replaceFile(const QString &target, const QByteArray &bytes)
{
    const QString name = QFileInfo(target).fileName();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw WorksheetFileError(
            QStringLiteral("%1 cannot be written: %2").arg(name, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw WorksheetFileError(QStringLiteral("%1 could not be written whole.").arg(name));
}

// Reads the record under its lock, lets change have its rows, drops the old results and
// writes the record again.
void rewrite(const QDateTime &now, const std::function<void(QList<QStringList> &rows)> &change)
{
    if (!QFileInfo(MediaPath::worksheetsFolder()).isDir())
        throw WorksheetFileError(QStringLiteral("The worksheets folder %1 is not there.")
                                     .arg(MediaPath::worksheetsFolder()));
    const FolderLock lock(path() + QStringLiteral(".lock"), lockWait,
                          QStringLiteral("The class record is in use."));
    QList<QStringList> rows = readRows();
    change(rows);
    const QDateTime oldest = now.addDays(-keepDays());
    rows.removeIf([&oldest](const QStringList &row) {
        const auto result = ResultsCsv::result(row);
        return result && result->when < oldest;
    });
    replaceFile(path(), ResultsCsv::file(rows));
}

} // namespace

bool isOn()
{
    const QString value = WorksheetsLocation::setting(QStringLiteral("classRecord")).toLower();
    return value == u"true" || value == u"yes" || value == u"on" || value == u"1";
}

int keepDays()
{
    bool ok = false;
    const int days = WorksheetsLocation::setting(QStringLiteral("keepResultsDays")).toInt(&ok);
    return ok && days >= 1 ? days : defaultKeepDays;
}

QString path()
{
    return MediaPath::worksheetsFolder() + u'/' + fileName;
}

Contents read()
{
    Contents contents;
    for (const QStringList &row : readRows()) {
        if (const auto result = ResultsCsv::result(row))
            contents.results += *result;
        else
            ++contents.unreadableRows;
    }
    return contents;
}

void keep(const RecordedResult &result, const QDateTime &now)
{
    rewrite(now, [&result](QList<QStringList> &rows) { rows += ResultsCsv::fields(result); });
}

int forget(const QString &pupil, const QDateTime &now)
{
    int removed = 0;
    rewrite(now, [&](QList<QStringList> &rows) {
        removed = rows.removeIf([&pupil](const QStringList &row) {
            // A row that cannot be read as a result still goes when it begins with the name.
            const auto result = ResultsCsv::result(row);
            return result
                ? result->pupil == pupil
                : !row.isEmpty() && (row.front() == pupil || row.front() == u'\'' + pupil);
        });
    });
    return removed;
}

void exportResults(const QList<RecordedResult> &results, const QString &target)
{
    replaceFile(target, ResultsCsv::file(results));
}

QString pupil()
{
    return g_pupil;
}

void setPupil(const QString &name)
{
    g_pupil = name;
}

} // namespace ClassRecord
