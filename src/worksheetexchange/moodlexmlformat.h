#pragma once

#include "sourcequestion.h"

#include <QByteArray>
#include <QList>

// Moodle XML, the learning platform's XML format for questions: a <quiz> of <question>
// elements, each with its type; "category" questions set the category of those after them.
namespace MoodleXmlFormat {

// Every question of the file in order, with the category in force at each. Throws
// QuestionFileError naming the line where the XML is not well formed or not a question file.
QList<SourceQuestion> read(const QByteArray &bytes);

// The questions as a Moodle XML file in UTF-8: multiple-choice questions with one answer to
// choose, answers in their order with their credit as fraction, texts in CDATA sections in
// their format, a category question before each change of category.
QByteArray write(const QList<SourceQuestion> &questions);

} // namespace MoodleXmlFormat
