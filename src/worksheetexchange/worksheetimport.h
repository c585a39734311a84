#pragma once

#include "importresult.h"
#include "questionformat.h"
#include "sourcequestion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Questions from the learning platform's files made into worksheets.
//
// A question is taken when it is multiple choice with exactly four answers, one of them worth
// full credit and the others nothing. Its texts are reduced to plain text and made storable
// in a worksheet file: a character Windows-1252 lacks becomes its nearest plain form ("ő"
// gives "o") or "?", with a warning; a text that begins with a straight double quote gets
// typographic quotes, which the worksheet file reads back as typed; an "&", which the file
// would read back as a comma, becomes "and", with a warning. A question longer than the
// wizard's 60 characters or an answer longer than 30 is skipped with its length, never cut.
// Every other question is skipped with its reason.
//
// The questions taken fill worksheets of ten in file order. They are titled from the category
// of the first question taken, else from the file's name, or from the title given; with more
// than one worksheet each title gets its number ("Rivers quiz 1", "Rivers quiz 2", ...). A
// title is made one that names a worksheet file and fits the wizard's 25 characters, cut
// between words, with a warning when it had to change.
namespace WorksheetImport {

// Reads the file at path in the format its name gives. A file that cannot be read, has
// another extension or is malformed gives a failed result.
ImportResult importFile(const QString &path, const QString &title = QString());

// Reads a file's bytes. fileTitle is the file's name without its extension.
ImportResult importBytes(const QByteArray &bytes, QuestionFormat format, const QString &fileTitle,
                         const QString &title = QString());

// The worksheets that questions read from a file make.
ImportResult fromQuestions(const QList<SourceQuestion> &questions, const QString &fileTitle,
                           const QString &title = QString());

// The title a category path names: its last part, without the context ("$course$") and
// "top" that begin it; empty when nothing else is left. "//" in a path is a slash.
QString categoryTitle(const QString &category);

} // namespace WorksheetImport
