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

// The one rule for worksheet titles, which the wizard and every other writer ask: why title
// cannot be a worksheet's title, or an empty string when it can. A title must be a file name
// on every system the worksheets folder may be shared with: not empty, only characters of
// Windows-1252, no / \ : * ? " < > |, no control characters, not ending in a dot or a space,
// not a reserved device name, and not "track", whose file is the catalogue itself. Commas,
// "&" and leading spaces are allowed: the catalogue quotes such titles (needsQuotes), so
// they read back as typed.
QString titleProblem(const QString &title);
inline bool isValidTitle(const QString &title)
{
    return titleProblem(title).isEmpty();
}

// The words of text that fit in length characters: text itself when it fits, else text cut
// at the last space that leaves no more than length, without the spaces at its end; empty
// when even the first word is longer. Texts are cut so, never in the middle of a word.
QString wordsWithin(const QString &text, int length);

// Whether title goes between double quotes on its catalogue line: the field reader drops
// the spaces around a plain field and splits it at commas and line ends.
bool needsQuotes(const QString &title);

} // namespace WorksheetText
