// Reads arbitrary bytes as a worksheet file. When it reads whole and its texts are ones the
// format keeps as they are, writing it again and reading that back gives the same worksheet.
#include "fieldreader.h"
#include "textfilewriter.h"
#include "worksheetfileerror.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"
#include "worksheettext.h"

#include <cstdlib>

namespace {

// Texts that read back as written: no surrounding spaces, no opening quote, one line.
bool keepsAsWritten(const QString &text)
{
    return WorksheetText::isStorable(text) && !text.startsWith(u' ') && !text.endsWith(u' ')
        && !text.startsWith(u'"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    worktitle.clear();
    for (auto *array : { &questions, &answera, &answerb, &answerc, &answerd, &correct })
        array->fill(QString());

    FieldReader reader;
    reader.openBytes(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    WorksheetDraft draft;
    try {
        WorksheetFiles::readworksheet(reader);
        draft = WorksheetFiles::draftFromMemory();
    } catch (const WorksheetFileError &) {
        return 0;
    }
    // A title that cannot name a file is never written; the texts still can be.
    if (!WorksheetText::isValidTitle(draft.title) || !keepsAsWritten(draft.title))
        draft.title = QStringLiteral("Fuzzed");
    bool keeps = true;
    for (const QString &text : draft.questions)
        keeps = keeps && keepsAsWritten(text);
    for (const QString &text : draft.answers)
        keeps = keeps && keepsAsWritten(text);
    if (!keeps)
        return 0;

    FieldReader again;
    again.openBytes(TextFileWriter::encode(WorksheetFiles::worksheetLines(draft)));
    WorksheetFiles::readworksheet(again);
    const WorksheetDraft reread = WorksheetFiles::draftFromMemory();
    if (reread.title != draft.title || reread.questions != draft.questions
        || reread.answers != draft.answers || reread.ticks != draft.ticks)
        std::abort();
    return 0;
}
