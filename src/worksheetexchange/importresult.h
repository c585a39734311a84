#pragma once

#include "worksheetdraft.h"

#include <QList>
#include <QString>
#include <QStringList>

// A worksheet made from imported questions: a complete one holds ten, the last of an import
// may hold fewer, with its remaining rows empty and unticked.
struct ImportedWorksheet
{
    WorksheetDraft draft;
    int questionCount = 0;

    bool isComplete() const;
};

// A question of the file that no worksheet can hold, and why, in one line.
struct SkippedQuestion
{
    int line = 0;
    QString question; // its name, or the beginning of its text
    QString reason; // "a true/false question"

    // Line 7: "Grant is buried in Grant's tomb." skipped: a true/false question.
    QString toString() const;
};

// What an import of a question file gives: the worksheets taken, the questions skipped with
// their reasons, warnings about texts that were changed to fit, or, for a file that cannot be
// read, the error and its line and nothing else.
struct ImportResult
{
    QList<ImportedWorksheet> worksheets;
    QList<SkippedQuestion> skipped;
    QStringList warnings;
    QString error;
    int errorLine = 0; // 0 when the error is not tied to a line

    bool failed() const { return !error.isEmpty(); }
    // "Line 14: The answers opened here with { are not closed with }."
    QString errorText() const;
    int questionsTaken() const;
    // The last worksheet when it holds fewer than ten questions; null otherwise.
    const ImportedWorksheet *leftOver() const;

    // Everything in plain lines, for a summary box or a terminal: each worksheet with its
    // number of questions (the one left over said as such), then each skipped question, then
    // each warning; or the error alone.
    QStringList summary() const;
};
