#pragma once

#include "questionformat.h"
#include "sourcequestion.h"
#include "worksheetdraft.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A worksheet written for the learning platform's question bank: each question that has a
// text becomes a multiple-choice question with one answer to choose, the ticked answer at
// 100% and the others at 0%, in the category named after the worksheet's title. Importing the
// file again gives back the same worksheet.
namespace WorksheetExport {

// The worksheet's questions as the formats write them, texts as HTML. Throws
// WorksheetFileError when a question with a text does not have exactly one ticked answer.
QList<SourceQuestion> questionsOf(const WorksheetDraft &draft);

// The file's bytes: GIFT or Moodle XML, in UTF-8.
QByteArray toBytes(const WorksheetDraft &draft, QuestionFormat format);

// Writes the file at path through a save file, so a failure leaves any file there as it was.
// Throws WorksheetFileError.
void write(const WorksheetDraft &draft, QuestionFormat format, const QString &path);

// The file name an export suggests: "Rivers 1.gift" or "Rivers 1.xml".
QString fileName(const QString &title, QuestionFormat format);

} // namespace WorksheetExport
