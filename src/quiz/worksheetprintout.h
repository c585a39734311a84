#pragma once

#include <QString>

class Printer;

// The worksheet in memory as a paper exercise: a header line, the quiz heading and the
// worksheet title, then the ten questions, each with its four answers in two columns. The
// correct answers are not printed.
namespace WorksheetPrintout {

// "Ondel", 57 spaces, "Corvane Publishing Ltd".
QString header();

// Prints the worksheet in memory (questions, answera to answerd) under heading and title,
// and ends the document. Throws PrinterError from the step that fails; the printer then
// drops the document.
void print(Printer &printer, const QString &heading, const QString &title);

} // namespace WorksheetPrintout
