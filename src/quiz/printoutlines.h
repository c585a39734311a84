#pragma once

#include <QString>

class Printer;

// The lines both print-outs are made of, placed as the printer's current position says.
namespace PrintoutLines {

// Prints text with the current position set to (page width - text width) / 2 just before.
void centred(Printer &printer, const QString &text);

// Prints count lines each holding a single space.
void blank(Printer &printer, int count = 1);

} // namespace PrintoutLines
