#pragma once

#include <QString>

// Rules for the texts that go into worksheet files and the catalogue.
namespace WorksheetText {

// Commas become "&" on writing so each text stays one field; "&" becomes a comma on reading.
QString escape(const QString &text);
QString unescape(const QString &text);

// Whether text can be written as one line of a worksheet file: every character exists in
// Windows-1252 and there is no line break.
bool isStorable(const QString &text);

// Why title cannot name a worksheet file, or an empty string when it can. A title must be a
// file name on every system the worksheets folder may be shared with: no / \ : * ? " < > |,
// no control characters, not ending in a dot or a space, not a reserved device name, and
// not "track", whose file is the catalogue itself.
QString titleProblem(const QString &title);
inline bool isValidTitle(const QString &title)
{
    return titleProblem(title).isEmpty();
}

} // namespace WorksheetText
