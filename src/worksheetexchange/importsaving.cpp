#include "importsaving.h"

#include "worksheetfileerror.h"

#include <QStringList>

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

} // namespace

Outcome save(ImportResult &result, int count, const WorksheetFiles::LockWaitNotice &notice)
{
    Outcome outcome;
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
