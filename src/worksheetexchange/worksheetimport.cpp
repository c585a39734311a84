#include "worksheetimport.h"

#include "giftformat.h"
#include "moodlexmlformat.h"
#include "plaintext.h"
#include "questionfileerror.h"
#include "windows1252.h"
#include "worksheetglobals.h"
#include "worksheettext.h"

#include <QFile>
#include <QFileInfo>

#include <array>

using namespace Qt::StringLiterals;

namespace WorksheetImport {

namespace {

using Kind = SourceQuestion::Kind;

constexpr int answerCount = 4;

// Used when neither the file nor its category gives a title that can name a worksheet.
const QString fallbackTitle = u"Imported quiz"_s;

struct KindReason
{
    Kind kind;
    QStringView reason;
};

constexpr KindReason kindReasons[] = {
    { Kind::TrueFalse, u"a true/false question" },
    { Kind::ShortAnswer, u"a short-answer question" },
    { Kind::Matching, u"a matching question" },
    { Kind::Numerical, u"a numerical question" },
    { Kind::Essay, u"an essay question" },
    { Kind::Description, u"a description, not a question" },
};

// A question that fits a worksheet, with its texts made ready for the wizard's boxes.
struct Taken
{
    QString question;
    std::array<QString, answerCount> answers;
    int correct = 0;
    QString category;
};

QChar letter(int answer)
{
    return QChar(u'A' + answer);
}

QString shortened(const QString &text, int length)
{
    return text.size() <= length ? text : text.first(length - 3).trimmed() + u"..."_s;
}

// How the question names itself in messages: its name, else the start of its text.
QString labelOf(const SourceQuestion &q)
{
    if (!q.name.isEmpty())
        return shortened(q.name, 50);
    return shortened(PlainText::from(q.text, q.format), 50);
}

// Why the structure of the question keeps it out of a worksheet; empty when it fits.
QString structureReason(const SourceQuestion &q)
{
    for (const KindReason &kind : kindReasons) {
        if (q.kind == kind.kind)
            return kind.reason.toString();
    }
    if (q.kind == Kind::Other)
        return q.typeName.isEmpty() ? u"a question of unknown type"_s
                                    : u"a %1 question"_s.arg(q.typeName);
    if (!q.singleAnswer)
        return u"multiple credit: more than one answer may be chosen"_s;
    if (q.answers.size() != answerCount)
        return u"%1 %2, not four"_s.arg(q.answers.size())
            .arg(q.answers.size() == 1 ? u"answer"_s : u"answers"_s);
    int full = 0;
    for (const SourceQuestion::Answer &a : q.answers) {
        if (a.percent != 0 && a.percent != 100)
            return u"partial credit: an answer is worth %1%"_s.arg(a.percent);
        full += a.percent == 100;
    }
    if (full > 1)
        return u"multiple credit: %1 answers are fully correct"_s.arg(full);
    if (full == 0)
        return u"no answer is fully correct"_s;
    if (PlainText::showsPicture(q.text))
        return u"it shows a picture, which a worksheet cannot"_s;
    return QString();
}

// Characters a worksheet file cannot store become their nearest plain form ("ő" gives "o",
// "ﬁ" gives "fi") or "?"; each change is listed in replaced.
QString storable(const QString &text, QStringList &replaced)
{
    if (Windows1252::canEncode(text))
        return text;
    QString result;
    for (const char32_t code : text.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        if (Windows1252::canEncode(character)) {
            result += character;
            continue;
        }
        // Invisible formatting (zero-width spaces, marks of direction) is dropped unsaid.
        if (QChar::category(code) == QChar::Other_Format)
            continue;
        QString plain;
        for (const QChar c : character.normalized(QString::NormalizationForm_KD)) {
            if (c.category() != QChar::Mark_NonSpacing && Windows1252::canEncode(QString(c)))
                plain += c;
        }
        if (plain.isEmpty())
            plain = u"?"_s;
        replaced += u"\"%1\" by \"%2\""_s.arg(character, plain);
        result += plain;
    }
    return result;
}

// The worksheet file takes a text that begins with a straight double quote for a quoted
// field, so such a text gets typographic quotes instead.
QString withoutOpeningQuote(QString text)
{
    if (!text.startsWith(u'"'))
        return text;
    text[0] = QChar(0x201C);
    const qsizetype closing = text.indexOf(u'"');
    if (closing > 0)
        text[closing] = QChar(0x201D);
    return text;
}

// The worksheet file keeps commas as "&", so an "&" would read back as a comma: it is
// written as the word "and", spaced from the words beside it.
QString withoutAmpersands(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            result += text[i];
            continue;
        }
        if (!result.isEmpty() && !result.endsWith(u' '))
            result += u' ';
        result += u"and"_s;
        if (i + 1 < text.size() && text[i + 1] != u' ')
            result += u' ';
    }
    return result;
}

// Why a text of the question is longer than the wizard's box for it; empty when it fits.
QString tooLong(const QString &what, const QString &text, int length)
{
    if (text.size() <= length)
        return QString();
    return u"%1 is %2 characters long, and the wizard's box holds %3"_s.arg(what)
        .arg(text.size())
        .arg(length);
}

// The question's texts ready for the wizard, or its reason to be skipped. A text too long
// for its box is never cut: the question is skipped, so that pupils never see half a
// sentence, and the teacher can shorten it in the question bank.
QString take(const SourceQuestion &q, Taken &taken, QStringList &warnings)
{
    QStringList replaced;
    bool ampersand = false;
    const auto prepare = [&](const QString &text, SourceQuestion::Format format) {
        const QString plain = storable(PlainText::from(text, format), replaced);
        ampersand = ampersand || plain.contains(u'&');
        return withoutOpeningQuote(PlainText::trimSpaces(withoutAmpersands(plain)));
    };
    taken.question = prepare(q.text, q.format);
    if (taken.question.isEmpty())
        return u"it has no question text"_s;
    QString reason = tooLong(u"the question"_s, taken.question, WorksheetDraft::questionMaxLength);
    for (int k = 0; k < answerCount; ++k) {
        taken.answers[k] = prepare(q.answers[k].text, q.answers[k].format);
        if (taken.answers[k].isEmpty())
            return u"answer %1 is empty"_s.arg(letter(k));
        if (reason.isEmpty())
            reason = tooLong(u"answer %1"_s.arg(letter(k)), taken.answers[k],
                             WorksheetDraft::answerMaxLength);
        if (q.answers[k].percent == 100)
            taken.correct = k;
    }
    if (!reason.isEmpty())
        return reason;
    taken.category = q.category;

    const QString where = u"Line %1: "_s.arg(q.line);
    if (!replaced.isEmpty())
        warnings += where + u"characters a worksheet cannot store were replaced: "_s
            + replaced.join(u", "_s) + u'.';
    if (ampersand)
        warnings += where
            + u"\"&\" is written \"and\", because a worksheet reads \"&\" back as a comma."_s;
    return QString();
}

// Whether the file layer lets c stand inside a title.
bool allowedInTitle(QChar c)
{
    return WorksheetText::isValidTitle(u'a' + QString(c) + u'a');
}

// A base title that, with " n" added for each of count worksheets when there is more than
// one, names worksheet files and fits the wizard's title box.
QString worksheetTitle(const QString &wanted, int count, QStringList &warnings)
{
    QString title = wanted;
    for (QChar &c : title) {
        if (!allowedInTitle(c))
            c = u' ';
    }
    title = title.simplified();
    const QString number = count > 1 ? u" %1"_s.arg(count) : QString();
    const int room = WorksheetDraft::titleMaxLength - int(number.size());
    const auto tidy = [room](QString t) {
        t = WorksheetText::wordsWithin(t, room);
        while (t.endsWith(u' ') || t.endsWith(u'.'))
            t.chop(1);
        return t;
    };
    title = tidy(title);
    const auto titleFor = [&](int n) { return count > 1 ? u"%1 %2"_s.arg(title).arg(n) : title; };
    bool valid = !title.isEmpty();
    for (int n = 1; n <= count && valid; ++n)
        valid = WorksheetText::isValidTitle(titleFor(n));
    if (!valid)
        title = tidy(fallbackTitle);

    if (title == wanted)
        return title;
    if (wanted.startsWith(title) && valid)
        warnings += u"The title \"%1\" was cut to \"%2\" to fit the wizard's %3 characters."_s
                        .arg(wanted, title)
                        .arg(WorksheetDraft::titleMaxLength);
    else
        warnings
            += u"The title \"%1\" cannot name a worksheet, so \"%2\" is used."_s.arg(wanted, title);
    return title;
}

} // namespace

QString categoryTitle(const QString &category)
{
    QStringList parts;
    QString part;
    for (qsizetype i = 0; i < category.size(); ++i) {
        if (category[i] != u'/') {
            part += category[i];
        } else if (i + 1 < category.size() && category[i + 1] == u'/') {
            part += u'/';
            ++i;
        } else {
            parts += part.trimmed();
            part.clear();
        }
    }
    parts += part.trimmed();
    if (!parts.isEmpty() && parts.first().startsWith(u'$') && parts.first().endsWith(u'$'))
        parts.removeFirst();
    if (!parts.isEmpty() && parts.first() == u"top")
        parts.removeFirst();
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts.isEmpty() ? QString() : parts.last();
}

ImportResult fromQuestions(const QList<SourceQuestion> &questions, const QString &fileTitle,
                           const QString &title)
{
    ImportResult result;
    QList<Taken> taken;
    for (const SourceQuestion &q : questions) {
        Taken t;
        QStringList warnings;
        QString reason = structureReason(q);
        if (reason.isEmpty())
            reason = take(q, t, warnings);
        if (!reason.isEmpty()) {
            result.skipped += SkippedQuestion { q.line, labelOf(q), reason };
            continue;
        }
        taken += t;
        result.warnings += warnings;
    }
    if (taken.isEmpty())
        return result;

    QString wanted = title.simplified();
    if (wanted.isEmpty())
        wanted = categoryTitle(taken.first().category).simplified();
    if (wanted.isEmpty())
        wanted = fileTitle.simplified();
    const int count = int((taken.size() + worksheetQuestionCount - 1) / worksheetQuestionCount);
    QStringList titleWarnings;
    const QString base = worksheetTitle(wanted, count, titleWarnings);
    result.warnings = titleWarnings + result.warnings;

    for (qsizetype first = 0; first < taken.size(); first += worksheetQuestionCount) {
        ImportedWorksheet worksheet;
        worksheet.draft.title
            = count > 1 ? u"%1 %2"_s.arg(base).arg(result.worksheets.size() + 1) : base;
        for (int row = 0; row < worksheetQuestionCount && first + row < taken.size(); ++row) {
            const Taken &t = taken[first + row];
            worksheet.draft.questions[row] = t.question;
            for (int k = 0; k < answerCount; ++k)
                worksheet.draft.answers[answerCount * row + k] = t.answers[k];
            worksheet.draft.ticks[answerCount * row + t.correct] = true;
            ++worksheet.questionCount;
        }
        result.worksheets += worksheet;
    }
    return result;
}

ImportResult importBytes(const QByteArray &bytes, QuestionFormat format, const QString &fileTitle,
                         const QString &title)
{
    try {
        const QList<SourceQuestion> questions = format == QuestionFormat::Gift
            ? GiftFormat::read(GiftFormat::decode(bytes))
            : MoodleXmlFormat::read(bytes);
        return fromQuestions(questions, fileTitle, title);
    } catch (const QuestionFileError &error) {
        ImportResult failed;
        failed.error = error.message();
        failed.errorLine = error.line();
        return failed;
    }
}

ImportResult importFile(const QString &path, const QString &title)
{
    ImportResult failed;
    const std::optional<QuestionFormat> format = questionFormatOf(path);
    QFile file(path);
    if (!format)
        failed.error = u"Only GIFT (.gift, .txt) and Moodle XML (.xml) files can be imported."_s;
    else if (!file.open(QIODevice::ReadOnly))
        failed.error = u"The file cannot be read: %1"_s.arg(file.errorString());
    if (failed.failed())
        return failed;
    return importBytes(file.readAll(), *format, QFileInfo(path).completeBaseName(), title);
}

} // namespace WorksheetImport
