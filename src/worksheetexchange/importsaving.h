#pragma once

#include "importresult.h"
#include "worksheetfiles.h"

#include <QList>
#include <QString>

#include <utility>

// Imported worksheets into the worksheets folder and its catalogue. An import never replaces
// a worksheet: a title that the catalogue, a teacher's file or a built-in worksheet already
// has is changed to the first free "title (2)", "title (3)", ... (WorksheetFiles::freetitle).
namespace ImportSaving {

struct Outcome
{
    // Each title that was already a worksheet, with the one given instead.
    QList<std::pair<QString, QString>> renamed;
    // How many worksheets were written and catalogued.
    int saved = 0;
    // Why saving stopped, empty when it did not; the worksheets saved before it stay.
    QString error;
};

// Why the worksheets folder cannot take the worksheets of an import now, in one sentence:
// the folder is missing or cannot be reached, is read-only or may not be written by this
// account, the catalogue cannot be read, or it has no room for that many more; empty when
// it can.
QString roomProblem(int worksheets);

// Saves the first count worksheets of result in order, each written and catalogued under the
// catalogue's lock, and gives the worksheet after them, which the wizard is to complete, a
// title that no worksheet has now. Each draft takes the title it got. Nothing is written
// when roomProblem finds no room for every worksheet of result; a worksheet whose catalogue
// entry cannot be written is not left on disk.
Outcome save(ImportResult &result, int count, const WorksheetFiles::LockWaitNotice &notice = {});

// The titles a save of every worksheet would give now, put into the drafts; writes nothing.
Outcome plan(ImportResult &result);

} // namespace ImportSaving
