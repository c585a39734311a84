#pragma once

#include "sourcequestion.h"

#include <QString>

// Texts of question files reduced to what a worksheet holds: plain text on one line.
namespace PlainText {

// What a reader of the HTML sees: tags removed (those that break a line leave a space),
// comments, scripts and styles dropped, entities decoded, each run of white space one space,
// none at the ends, control characters gone. A non-breaking space stays a space of its own,
// so "a &nbsp;b" keeps both spaces.
QString fromHtml(const QString &html);

// Markdown without its markers: headings, quotes, list bullets, emphasis, code marks, and
// links and images reduced to their words; then as HTML, which Markdown may hold.
QString fromMarkdown(const QString &markdown);

// Plain text on one line: line breaks and tabs, with the white space around them, become one
// space; runs of plain spaces stay as they are, a non-breaking space is one of them; none at
// the ends; control characters gone.
QString fromPlain(const QString &text);

QString from(const QString &text, SourceQuestion::Format format);

// The text without spaces at its ends.
QString trimSpaces(QString text);

// Whether the HTML shows a picture (an <img> tag).
bool showsPicture(const QString &html);

// Plain text as HTML that shows it as it is and reads back the same through fromHtml: "&",
// "<" and ">" as entities, every space that follows another as &nbsp;, control characters
// dropped.
QString toHtml(const QString &text);

} // namespace PlainText
