#include "giftformat.h"

#include "questionfileerror.h"
#include "windows1252.h"

#include <QStringDecoder>

#include <iterator>

using namespace Qt::StringLiterals;

namespace GiftFormat {

namespace {

const QString specials = u"~=#{}:\\"_s;

struct FormatMarker
{
    QStringView marker;
    SourceQuestion::Format format;
};

constexpr FormatMarker formatMarkers[] = {
    { u"[html]", SourceQuestion::Format::Html },
    { u"[moodle]", SourceQuestion::Format::Html },
    { u"[plain]", SourceQuestion::Format::Plain },
    { u"[markdown]", SourceQuestion::Format::Markdown },
};

// The index in formatMarkers of the marker that text begins with; -1 for none.
qsizetype markerAt(QStringView text)
{
    for (qsizetype i = 0; i < qsizetype(std::size(formatMarkers)); ++i) {
        if (text.startsWith(formatMarkers[i].marker, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

// A "%" begins a credit only when a number follows it ("%50%", "%-25%"); "%run" is text.
bool isCredit(QStringView answer)
{
    const qsizetype digit = answer.startsWith(u"%-") ? 2 : 1;
    return answer.startsWith(u'%') && digit < answer.size() && answer[digit] >= u'0'
        && answer[digit] <= u'9';
}

// Where needle first occurs in text from position from on, outside escapes; -1 if nowhere.
qsizetype findPlain(QStringView text, QStringView needle, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text.sliced(i).startsWith(needle))
            return i;
    }
    return -1;
}

QString unescape(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            if (specials.contains(next))
                result += next;
            else if (next == u'n')
                result += u'\n';
            else
                result += u'\\' + QString(next);
        } else {
            result += text[i];
        }
    }
    return result;
}

// One paragraph of the file: its lines joined with "\n", comment lines left empty so that
// each character's line can be counted.
class Paragraph
{
public:
    Paragraph(const QString &text, int firstLine)
        : m_text(text)
        , m_firstLine(firstLine)
    { }

    const QString &text() const { return m_text; }
    int lineAt(qsizetype position) const
    {
        return m_firstLine + int(QStringView(m_text).first(position).count(u'\n'));
    }
    [[noreturn]] void fail(qsizetype position, const QString &message) const
    {
        throw QuestionFileError(message, lineAt(position));
    }

private:
    QString m_text;
    int m_firstLine = 0;
};

void readAnswers(const Paragraph &paragraph, qsizetype open, qsizetype close, SourceQuestion &q)
{
    const QStringView text(paragraph.text());
    QStringView body = text.sliced(open + 1, close - open - 1);
    const qsizetype generalFeedback = findPlain(body, u"####");
    if (generalFeedback >= 0)
        body = body.first(generalFeedback);
    const QStringView trimmed = body.trimmed();
    if (trimmed.isEmpty()) {
        q.kind = SourceQuestion::Kind::Essay;
        return;
    }
    if (trimmed.startsWith(u'#')) {
        q.kind = SourceQuestion::Kind::Numerical;
        return;
    }
    const qsizetype feedback = findPlain(trimmed, u"#");
    const QString word
        = trimmed.first(feedback < 0 ? trimmed.size() : feedback).trimmed().toString();
    if (QStringList { u"T"_s, u"TRUE"_s, u"F"_s, u"FALSE"_s }.contains(word, Qt::CaseInsensitive)) {
        q.kind = SourceQuestion::Kind::TrueFalse;
        return;
    }

    // Each answer begins at an "=" or "~" outside escapes.
    QList<qsizetype> starts;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == u'\\')
            ++i;
        else if (body[i] == u'=' || body[i] == u'~')
            starts += i;
    }
    // Answers with neither mark ("{5}") are the right answers of a short-answer question.
    if (starts.isEmpty()) {
        q.kind = SourceQuestion::Kind::ShortAnswer;
        return;
    }
    const qsizetype bodyStart = open + 1;
    if (!body.first(starts.first()).trimmed().isEmpty())
        paragraph.fail(bodyStart, u"Each answer in { } must begin with = (right) or ~ (wrong)."_s);

    bool anyWrong = false;
    for (qsizetype n = 0; n < starts.size(); ++n) {
        const qsizetype end = n + 1 < starts.size() ? starts[n + 1] : body.size();
        const bool right = body[starts[n]] == u'=';
        anyWrong = anyWrong || !right;
        QStringView answer = body.sliced(starts[n] + 1, end - starts[n] - 1).trimmed();
        SourceQuestion::Answer a;
        a.format = q.format;
        a.percent = right ? 100 : 0;
        if (isCredit(answer)) {
            const qsizetype percentEnd = answer.indexOf(u'%', 1);
            bool number = percentEnd > 0;
            if (number)
                a.percent = answer.sliced(1, percentEnd - 1).toDouble(&number);
            if (!number)
                paragraph.fail(bodyStart + starts[n],
                               u"An answer's credit must be a number between two % signs, "
                               u"such as %50%."_s);
            answer = answer.sliced(percentEnd + 1).trimmed();
        }
        const qsizetype marker = markerAt(answer);
        if (marker >= 0) {
            a.format = formatMarkers[marker].format;
            answer = answer.sliced(formatMarkers[marker].marker.size());
        }
        const qsizetype answerFeedback = findPlain(answer, u"#");
        if (answerFeedback >= 0)
            answer = answer.first(answerFeedback);
        a.text = unescape(answer.trimmed());
        q.answers += a;
    }
    if (!anyWrong)
        q.kind = body.contains(u"->") ? SourceQuestion::Kind::Matching
                                      : SourceQuestion::Kind::ShortAnswer;
}

void readQuestion(const Paragraph &paragraph, const QString &category,
                  QList<SourceQuestion> &questions)
{
    const QStringView text(paragraph.text());
    SourceQuestion q;
    q.category = category;
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    q.line = paragraph.lineAt(pos);
    if (text.sliced(pos).startsWith(u"::")) {
        const qsizetype end = findPlain(text, u"::", pos + 2);
        if (end < 0)
            paragraph.fail(pos, u"The question name that begins with :: is not closed with ::."_s);
        q.name = unescape(text.sliced(pos + 2, end - pos - 2)).simplified();
        pos = end + 2;
    }
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (const qsizetype marker = markerAt(text.sliced(pos)); marker >= 0) {
        q.format = formatMarkers[marker].format;
        pos += formatMarkers[marker].marker.size();
    }

    const qsizetype open = findPlain(text, u"{", pos);
    const qsizetype firstClose = findPlain(text, u"}", pos);
    if (firstClose >= 0 && (open < 0 || firstClose < open))
        paragraph.fail(firstClose,
                       u"A } closes answers that were never opened with {. "
                       u"Write \\} for a brace in a text."_s);
    if (open < 0) {
        q.kind = SourceQuestion::Kind::Description;
        q.text = unescape(text.sliced(pos));
        questions += q;
        return;
    }
    const qsizetype close = findPlain(text, u"}", open + 1);
    if (close < 0)
        paragraph.fail(open,
                       u"The answers opened here with { are not closed with }. "
                       u"(A blank line ends a question.)"_s);
    const qsizetype nested = findPlain(text, u"{", open + 1);
    if (nested >= 0 && nested < close)
        paragraph.fail(nested,
                       u"A { opens answers inside answers. Write \\{ for a brace in a text."_s);
    const qsizetype secondOpen = findPlain(text, u"{", close + 1);
    const qsizetype secondClose = findPlain(text, u"}", close + 1);
    if (secondOpen >= 0 || secondClose >= 0)
        paragraph.fail(secondOpen >= 0 ? secondOpen : secondClose,
                       u"A question can have only one set of answers in { }."_s);

    // Answers in the middle of the sentence leave a gap to fill: "Grant is _____ in ...".
    const QStringView tail = text.sliced(close + 1).trimmed();
    q.text = unescape(text.sliced(pos, open - pos));
    if (!tail.isEmpty())
        q.text += u" _____ "_s + unescape(tail);
    readAnswers(paragraph, open, close, q);
    questions += q;
}

void addQuestionLine(QString &out, const QString &line)
{
    out += line + u"\r\n"_s;
}

QString formatMarker(SourceQuestion::Format format)
{
    for (const FormatMarker &marker : formatMarkers) {
        if (marker.format == format)
            return marker.marker.toString();
    }
    return QString();
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        return QString(utf16(bytes.sliced(2)));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return Windows1252::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QList<SourceQuestion> read(const QString &input)
{
    QString text = input;
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n');

    QList<SourceQuestion> questions;
    QString category;
    QString paragraph;
    int paragraphLine = 0; // 0 while no paragraph is open
    const auto endParagraph = [&] {
        if (paragraphLine > 0)
            readQuestion(Paragraph(paragraph, paragraphLine), category, questions);
        paragraph.clear();
        paragraphLine = 0;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty()) {
            endParagraph();
        } else if (trimmed.startsWith(u"//")) {
            if (paragraphLine > 0)
                paragraph += u'\n';
        } else if (trimmed.startsWith(u"$CATEGORY:")) {
            endParagraph();
            category = trimmed.sliced(10).trimmed();
        } else if (paragraphLine == 0) {
            paragraph = lines[i];
            paragraphLine = i + 1;
        } else {
            paragraph += u'\n' + lines[i];
        }
    }
    endParagraph();
    return questions;
}

QString escape(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (specials.contains(c))
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QByteArray write(const QList<SourceQuestion> &questions, const QString &comment)
{
    QString out;
    addQuestionLine(out, u"// "_s + comment);
    addQuestionLine(out, QString());
    QString category;
    for (const SourceQuestion &q : questions) {
        if (q.category != category) {
            category = q.category;
            addQuestionLine(out, u"$CATEGORY: "_s + category);
            addQuestionLine(out, QString());
        }
        addQuestionLine(out,
                        u"::"_s + escape(q.name) + u"::"_s + formatMarker(q.format) + escape(q.text)
                            + u'{');
        for (const SourceQuestion::Answer &a : q.answers) {
            const bool right = a.percent == 100;
            QString answer = escape(a.text);
            // A text that begins like a format marker keeps it by being given one.
            if (markerAt(answer) >= 0)
                answer.prepend(formatMarker(a.format));
            // A text that begins with % would read as a credit, so its credit is spelt out.
            if ((!right && a.percent != 0) || answer.startsWith(u'%'))
                answer.prepend(u'%' + QString::number(a.percent) + u'%');
            addQuestionLine(out, u'\t' + QString(right ? u'=' : u'~') + answer);
        }
        addQuestionLine(out, u"}"_s);
        addQuestionLine(out, QString());
    }
    return out.toUtf8();
}

} // namespace GiftFormat
