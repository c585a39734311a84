#include "worksheetexport.h"

#include "giftformat.h"
#include "moodlexmlformat.h"
#include "plaintext.h"
#include "worksheetfileerror.h"
#include "worksheetglobals.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace WorksheetExport {

QList<SourceQuestion> questionsOf(const WorksheetDraft &draft)
{
    QList<SourceQuestion> questions;
    for (int row = 0; row < worksheetQuestionCount; ++row) {
        if (draft.questions[row].isEmpty())
            continue;
        SourceQuestion q;
        q.category = u"$course$/top/"_s + draft.title;
        q.name = u"%1, question %2"_s.arg(draft.title).arg(row + 1);
        q.text = PlainText::toHtml(draft.questions[row]);
        int ticked = 0;
        for (int k = 0; k < 4; ++k) {
            const bool right = draft.ticks[4 * row + k];
            ticked += right;
            q.answers += { PlainText::toHtml(draft.answers[4 * row + k]),
                           SourceQuestion::Format::Html, right ? 100.0 : 0.0 };
        }
        if (ticked != 1)
            throw WorksheetFileError(
                u"Question %1 needs exactly one correct answer."_s.arg(row + 1));
        questions += q;
    }
    return questions;
}

QByteArray toBytes(const WorksheetDraft &draft, QuestionFormat format)
{
    const QList<SourceQuestion> questions = questionsOf(draft);
    if (format == QuestionFormat::MoodleXml)
        return MoodleXmlFormat::write(questions);
    return GiftFormat::write(questions, u"Ondel worksheet \"%1\""_s.arg(draft.title));
}

void write(const WorksheetDraft &draft, QuestionFormat format, const QString &path)
{
    const QByteArray bytes = toBytes(draft, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw WorksheetFileError(u"%1 could not be written: %2"_s.arg(path, file.errorString()));
}

QString fileName(const QString &title, QuestionFormat format)
{
    return title + u'.' + questionFormatSuffix(format);
}

} // namespace WorksheetExport
