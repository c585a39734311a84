#pragma once

#include "recordedresult.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <chrono>

// The class record: every scored quiz and activity, kept for the teacher in results.csv in
// the worksheets folder (ResultsCsv), so that a class sharing one folder shares one record.
// It is kept only when the setting classRecord is true (WorksheetsLocation::setting: the
// user's ondel.conf, then the system's); nothing is written otherwise.
//
// Every change reads the file, changes it and replaces it whole (a temporary file beside it,
// flushed, then renamed over it) while holding the lock file results.csv.lock: programs
// writing at once take turns and lose nothing, and a program killed at any moment leaves
// either the old record or the new one, never a damaged one. A change also drops the
// results older than keepResultsDays days. Rows that cannot be read as results (the file
// edited by hand) are kept as they are.
//
// Failures throw WorksheetFileError.
namespace ClassRecord {

inline constexpr int defaultKeepDays = 365;

// How long a change waits for another program to release the record's lock.
inline std::chrono::milliseconds lockWait { 20000 };

// Whether results are kept: the setting classRecord is true (or yes, on, 1).
bool isOn();
// The setting keepResultsDays when it is a whole number of at least 1, else 365.
int keepDays();

// results.csv in the worksheets folder.
QString path();

struct Contents
{
    QList<RecordedResult> results; // in the order they were kept
    int unreadableRows = 0;
};
// The results in the record; none when there is no record yet. Throws when the file is
// there but cannot be read.
Contents read();

// Adds result to the record and drops the results older than keepDays() before now.
void keep(const RecordedResult &result, const QDateTime &now);
// Removes every result of pupil (the name exactly as stored) and drops the old results.
// Returns how many rows were removed.
int forget(const QString &pupil, const QDateTime &now);

// Writes results to target (a path on disk) in the record's own format, replacing it.
void exportResults(const QList<RecordedResult> &results, const QString &target);

// The name the pupil gave at this start; empty until then.
QString pupil();
void setPupil(const QString &name);

} // namespace ClassRecord
