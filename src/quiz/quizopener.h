#pragma once

#include <QString>

// Opening a worksheet file as a quiz, for the topic menus and the Worksheets Catalogue.
namespace QuizOpener {

// Reads the worksheet at worksheetPath ("multiple\Rivers 1.txt") into memory, then opens the
// quiz on it: loads the quiz, puts the picture at picturePath into its Picture1, sets its
// heading to "Ondel" and shows it. A worksheet that is missing, holds less than a whole
// worksheet or has a correct answer other than "1" to "4" is refused with "This worksheet
// seems to be corrupted.", or, when its folder cannot be reached, with what keeps it: the
// file is closed, the worksheet in memory is left as it was and no quiz opens. Returns
// whether the quiz opened.
bool open(const QString &worksheetPath, const QString &picturePath);

} // namespace QuizOpener
