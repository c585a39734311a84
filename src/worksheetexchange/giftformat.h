#pragma once

#include "sourcequestion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// GIFT, the learning platform's text format for questions: one question per paragraph,
// "//" comment lines, "$CATEGORY:" lines, an optional "::name::", an optional text format
// ("[html]", "[moodle]", "[plain]", "[markdown]"), the answers in braces ("=" right, "~"
// wrong, "%50%" credits, "#" feedback), and a backslash before ~ = # { } : and \ to take
// them as text.
namespace GiftFormat {

// The text of a GIFT file's bytes: UTF-8 (with or without a byte order mark), UTF-16 with a
// byte order mark, else Windows-1252 as older Windows editors save.
QString decode(const QByteArray &bytes);

// Every question of the text in file order, with the category in force at each. Throws
// QuestionFileError naming the line of the first malformed question.
QList<SourceQuestion> read(const QString &text);

// The questions as a GIFT file in UTF-8 with CR LF line ends, each under a "$CATEGORY:" line
// when its category differs from the question before. Texts are written in their format's
// marker, special characters escaped.
QByteArray write(const QList<SourceQuestion> &questions, const QString &comment);

// A text with each of ~ = # { } : and \ preceded by a backslash.
QString escape(const QString &text);

} // namespace GiftFormat
