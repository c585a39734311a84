#pragma once

#include "classsummary.h"

#include <QString>

class Printer;

// The class sheet: "Class Results", which results it shows, then each pupil's name and under
// it a line for each activity done: the latest and best score, the attempts, and the
// questions wrong in the latest attempt. Pages follow as the printer fills them.
namespace ClassSheetPrintout {

// The lines for one pupil's activity, as printed: the scores and attempts, and the questions
// wrong in the latest attempt (empty when none was).
QString activityLine(const ClassSummary &summary, int pupil, int column);
QString wrongLine(const ClassSummary &summary, int pupil, int column);

// Prints the sheet and ends the document. shown says which results these are ("Today,
// Tuesday 14 May 2024"). Throws PrinterError from the step that fails.
void print(Printer &printer, const ClassSummary &summary, const QString &shown);

} // namespace ClassSheetPrintout
