#pragma once

#include "worksheetdraft.h"

#include <functional>

// The Worksheets Catalogue's ways in and out of the learning platform's question files
// (GIFT and Moodle XML), each through a file dialog and ending in a message box.
namespace CatalogueExchange {

// Asks for a question file and makes worksheets of its questions. Ten or fewer open in the
// wizard for the teacher to complete; more are saved ten to a worksheet (never replacing one:
// see ImportSaving), catalogueChanged runs, and any left over open in the wizard. A box then
// says what was imported and what was skipped, and why; a malformed file's box names its
// line, and nothing is written.
void importQuestions(const std::function<void()> &catalogueChanged);

// Asks where to save the worksheet, as GIFT or as Moodle XML, and writes it there.
void exportWorksheet(const WorksheetDraft &draft);

} // namespace CatalogueExchange
