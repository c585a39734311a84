#pragma once

#include "worksheetdraft.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class FieldReader;

// Reading and writing worksheet files and the catalogue track.txt, through the globals of
// worksheetglobals.h. Every failure throws WorksheetFileError; globals keep whatever was
// read before it.
namespace WorksheetFiles {

// The data path of the worksheet saved under title: "multiple/" + title + ".txt".
QString worksheetPath(const QString &title);

// How long a catalogue update waits for another program to release the catalogue's lock
// before it fails.
inline std::chrono::milliseconds catalogueLockWait { 20000 };

// Told true when a catalogue update starts to wait for the lock, and false when the wait is
// over, however it ends; never told anything when the lock is free at once. A screen shows
// the busy pointer with it.
using LockWaitNotice = std::function<void(bool waiting)>;

// Reads a worksheet from an open file into worktitle, questions, answera to answerd and
// correct, field by field in file order. The caller opens and closes the file.
void readworksheet(FieldReader &file);
// Opens the worksheet at relativePath, reads it and closes it again.
void readworksheetfile(const QString &relativePath);

// Reads the catalogue from an open file: the count into trackcount (a decimal number, else
// a failure), then that many titles into tracklist. A count above 1000 reads 1000 titles
// and then fails; a file with fewer titles than its count fails at its end.
void readcatalogue(FieldReader &file);
// Opens "multiple\track.txt", reads it and closes it again.
void readcatalogue();

// Checks the draft and writes its 72-line file, replacing any worksheet of the same title.
// Nothing is written when the title is refused, a text cannot be stored or a question does
// not have exactly one tick.
void writeworksheet(const WorksheetDraft &draft);
// writeworksheet, then trackworksheets with the draft's title.
void saveworksheet(const WorksheetDraft &draft, const LockWaitNotice &notice = {});

// Adds title at the end of the catalogue unless an entry is exactly equal to it; a 1001st
// entry is a failure. trackcount keeps the count that was read. The read and the rewrite
// hold the catalogue's lock file, so programs sharing the folder lose no entry.
void trackworksheets(const QString &title, const LockWaitNotice &notice = {});

// The title itself when no worksheet has it, else the first of "title (2)", "title (3)", ...
// that none has, cut to the wizard's 25 characters. A title is taken when the catalogue lists
// it or a worksheet file of that name exists in the worksheets folder or among the built-in
// worksheets, letter case aside (the file names are matched so), or when alsoTaken holds it.
// Reads the catalogue into trackcount and tracklist. Throws when it cannot be read.
QString freetitle(const QString &title, const QStringList &alsoTaken = {});

// Saves the draft as a new worksheet: under freetitle's choice for its title, written and
// catalogued while the catalogue's lock is held, so that programs saving into one folder at
// once never choose the same title and never replace a worksheet. Returns the title used.
QString savenewworksheet(WorksheetDraft draft, const LockWaitNotice &notice = {});

// Removes the last entry equal to delname from the catalogue, under the lock, and lowers
// trackcount. Returns false, changing nothing, when no entry is equal to delname. The
// worksheet file itself stays, and its title goes into the record of kept worksheets.
bool delworksheet(const QString &delname, const LockWaitNotice &notice = {});

// The titles that delworksheet took out of the catalogue while keeping their files, as
// recorded in "multiple/track.deleted" (written as the catalogue is). A file outside the
// catalogue whose title is here was kept by Delete; any other was never catalogued. Empty
// when there is no record; a damaged one gives the titles before the damage.
QStringList keptworksheets();

// The stored form of a worksheet and of a catalogue, as written to disk.
QStringList worksheetLines(const WorksheetDraft &draft);
QStringList catalogueLines(const QStringList &titles);

// The correct answer of question q (1 to 10) in memory as the number of the answer, 1 to 4
// for A to D; 0 when its field is anything but "1" to "4".
int correctAnswer(int q);

// The draft the worksheet in memory makes, for editing it in the wizard. Throws when a
// correct answer is not "1" to "4".
WorksheetDraft draftFromMemory();

// The draft a worksheet file's bytes make, read as readworksheet reads; the worksheet in
// memory is left as it was. Throws when the worksheet is not whole or a correct answer is not
// "1" to "4".
WorksheetDraft readDraft(const QByteArray &bytes);

} // namespace WorksheetFiles
