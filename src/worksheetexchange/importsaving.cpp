#include "importsaving.h"

#include "mediapath.h"
#include "worksheetfileerror.h"
#include "worksheetglobals.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace ImportSaving {

namespace {

// Gives worksheets from..to-1 free titles, none equal to another of them.
void nameFreely(ImportResult &result, qsizetype from, qsizetype to, Outcome &outcome)
{
    QStringList chosen;
    for (qsizetype i = from; i < to; ++i) {
        QString &title = result.worksheets[i].draft.title;
        const QString free = WorksheetFiles::freetitle(title, chosen);
        if (free != title)
            outcome.renamed += { title, free };
        title = free;
        chosen += free;
    }
}

// Why this account cannot make files in folder, which exists; empty when it can. Trying is
// the one sure test: permissions, access lists and network shares all have their say.
QString writeProblem(const QString &folder)
{
    QTemporaryFile probe(folder + u"/.ondel-XXXXXX"_s);
    if (probe.open())
        return {};
    constexpr QFile::Permissions anyWrite
        = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (QStorageInfo(folder).isReadOnly() || !(QFileInfo(folder).permissions() & anyWrite))
        return u"The worksheets folder %1 is read-only, so nothing can be saved in it."_s.arg(
            folder);
    return u"This account may not save in the worksheets folder %1."_s.arg(folder);
}

} // namespace

QString roomProblem(int worksheets)
{
    const QString folder = QDir::toNativeSeparators(MediaPath::worksheetsFolder());
    if (!QFileInfo(folder).isDir())
        return u"The worksheets folder %1 is missing or cannot be reached: if it is on a "
               u"shared drive, the drive may not be connected."_s.arg(folder);
    if (QString problem = writeProblem(folder); !problem.isEmpty())
        return problem;
    try {
        WorksheetFiles::readcatalogue();
    } catch (const WorksheetFileError &error) {
        return u"The catalogue in %1 cannot be read: %2"_s.arg(folder, error.message());
    }
    if (trackcount + worksheets > catalogueCapacity)
        return u"The catalogue holds %1 of its %2 worksheets, and this import makes %3."_s
            .arg(trackcount)
            .arg(catalogueCapacity)
            .arg(worksheets);
    return {};
}

Outcome save(ImportResult &result, int count, const WorksheetFiles::LockWaitNotice &notice)
{
    Outcome outcome;
    outcome.error = roomProblem(int(result.worksheets.size()));
    if (!outcome.error.isEmpty())
        return outcome;
    try {
        for (; outcome.saved < count && outcome.saved < result.worksheets.size(); ++outcome.saved) {
            QString &title = result.worksheets[outcome.saved].draft.title;
            const QString used
                = WorksheetFiles::savenewworksheet(result.worksheets[outcome.saved].draft, notice);
            if (used != title)
                outcome.renamed += { title, used };
            title = used;
        }
        if (outcome.saved < result.worksheets.size())
            nameFreely(result, outcome.saved, outcome.saved + 1, outcome);
    } catch (const WorksheetFileError &error) {
        outcome.error = error.message();
    }
    return outcome;
}

Outcome plan(ImportResult &result)
{
    Outcome outcome;
    try {
        nameFreely(result, 0, result.worksheets.size(), outcome);
    } catch (const WorksheetFileError &error) {
        outcome.error = error.message();
    }
    return outcome;
}

} // namespace ImportSaving
