#include "importresult.h"

#include "worksheetglobals.h"

using namespace Qt::StringLiterals;

bool ImportedWorksheet::isComplete() const
{
    return questionCount == worksheetQuestionCount;
}

QString SkippedQuestion::toString() const
{
    return u"Line %1: \"%2\" skipped: %3."_s.arg(line).arg(question, reason);
}

QString ImportResult::errorText() const
{
    return errorLine > 0 ? u"Line %1: %2"_s.arg(errorLine).arg(error) : error;
}

int ImportResult::questionsTaken() const
{
    int count = 0;
    for (const ImportedWorksheet &worksheet : worksheets)
        count += worksheet.questionCount;
    return count;
}

const ImportedWorksheet *ImportResult::leftOver() const
{
    if (worksheets.isEmpty() || worksheets.last().isComplete())
        return nullptr;
    return &worksheets.last();
}

QStringList ImportResult::summary() const
{
    if (failed())
        return { errorText() };
    QStringList lines;
    for (const ImportedWorksheet &worksheet : worksheets) {
        QString line = u"\"%1\": %2 %3"_s.arg(worksheet.draft.title)
                           .arg(worksheet.questionCount)
                           .arg(worksheet.questionCount == 1 ? u"question"_s : u"questions"_s);
        if (!worksheet.isComplete())
            line += u", fewer than ten: left over"_s;
        lines += line + u'.';
    }
    for (const SkippedQuestion &question : skipped)
        lines += question.toString();
    return lines + warnings;
}
