#pragma once

// What both question-file fuzzers check of an import: a failed one keeps nothing; every
// worksheet it makes fits the wizard and the worksheet file, and exported in the same format
// and imported again gives back exactly that worksheet.
#include "worksheetexport.h"
#include "worksheetimport.h"
#include "worksheettext.h"

#include <cstdlib>

inline bool fitsWorksheet(const WorksheetDraft &draft)
{
    const auto storable = [](const QString &text, int length) {
        return text.size() <= length && WorksheetText::isStorable(text) && !text.startsWith(u'"')
            && !text.startsWith(u' ') && !text.endsWith(u' ');
    };
    bool fits = WorksheetText::isValidTitle(draft.title)
        && storable(draft.title, WorksheetDraft::titleMaxLength);
    // Questions and answers never hold "&", which the file would read back as a comma.
    for (const QString &text : draft.questions)
        fits = fits && storable(text, WorksheetDraft::questionMaxLength) && !text.contains(u'&');
    for (const QString &text : draft.answers)
        fits = fits && storable(text, WorksheetDraft::answerMaxLength) && !text.contains(u'&');
    return fits;
}

inline int checkImport(const uint8_t *data, size_t size, QuestionFormat format)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ImportResult result = WorksheetImport::importBytes(bytes, format, QStringLiteral("Fuzz"));
    if (result.failed()) {
        if (!result.worksheets.isEmpty() || !result.skipped.isEmpty())
            std::abort();
        return 0;
    }
    for (const ImportedWorksheet &worksheet : result.worksheets) {
        if (!fitsWorksheet(worksheet.draft))
            std::abort();
        const ImportResult again = WorksheetImport::importBytes(
            WorksheetExport::toBytes(worksheet.draft, format), format, QStringLiteral("Again"));
        if (again.failed() || again.worksheets.size() != 1 || !again.skipped.isEmpty()
            || !again.warnings.isEmpty() || again.worksheets[0].draft != worksheet.draft)
            std::abort();
    }
    return 0;
}
