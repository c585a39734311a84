#include "resultscsv.h"

namespace ResultsCsv {

namespace {

const QString wrongSeparator = QStringLiteral(", ");

bool startsLikeAFormula(const QString &text)
{
    return !text.isEmpty() && QStringLiteral("=+-@\t\r'").contains(text.front());
}

QString guarded(const QString &text)
{
    return startsLikeAFormula(text) ? u'\'' + text : text;
}

QString unguarded(const QString &text)
{
    return text.startsWith(u'\'') ? text.mid(1) : text;
}

// "yyyy-MM-dd HH:mm:ss" read by hand: QDateTime::fromString with a format takes longer than
// the rest of a row's reading together, and a class's record has thousands of rows.
QDateTime dateTime(const QString &text)
{
    static const QString shape = QStringLiteral("0000-00-00 00:00:00");
    if (text.size() != shape.size())
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (shape[i] == u'0' ? !text[i].isDigit() || text[i].unicode() > '9' : text[i] != shape[i])
            return {};
    }
    const auto at
        = [&text](int from, int length) { return QStringView(text).mid(from, length).toInt(); };
    const QDate date(at(0, 4), at(5, 2), at(8, 2));
    const QTime time(at(11, 2), at(14, 2), at(17, 2));
    return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
}

std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

} // namespace

QStringList header()
{
    return { QStringLiteral("Pupil"),          QStringLiteral("Title"),
             QStringLiteral("Activity"),       QStringLiteral("Score"),
             QStringLiteral("Out of"),         QStringLiteral("Date and time"),
             QStringLiteral("Wrong questions") };
}

QString dateFormat()
{
    return QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QStringList fields(const RecordedResult &result)
{
    QStringList wrong;
    for (int question : result.wrong)
        wrong += QString::number(question);
    return { guarded(result.pupil),         guarded(result.title),
             guarded(result.activity),      QString::number(result.score),
             QString::number(result.outof), result.when.toString(dateFormat()),
             wrong.join(wrongSeparator) };
}

std::optional<RecordedResult> result(const QStringList &fields)
{
    if (fields.size() != header().size())
        return std::nullopt;
    RecordedResult result;
    result.pupil = unguarded(fields[0]);
    result.title = unguarded(fields[1]);
    result.activity = unguarded(fields[2]);
    const auto score = number(fields[3]);
    const auto outof = number(fields[4]);
    result.when = dateTime(fields[5]);
    if (!score || !outof || *score > *outof || !result.when.isValid())
        return std::nullopt;
    result.score = *score;
    result.outof = *outof;
    for (const QString &question : fields[6].split(u',', Qt::SkipEmptyParts)) {
        const auto n = number(question.trimmed());
        if (!n)
            return std::nullopt;
        result.wrong += *n;
    }
    return result;
}

QString line(const QStringList &fields)
{
    // A lone empty field is quoted, or its line would read as no line at all.
    if (fields.size() == 1 && fields.front().isEmpty())
        return QStringLiteral("\"\"");
    QStringList quoted;
    for (const QString &field : fields) {
        const bool needsQuotes = field.contains(u',') || field.contains(u'"')
            || field.contains(u'\n') || field.contains(u'\r');
        quoted += needsQuotes ? u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"'
                              : field;
    }
    return quoted.join(u',');
}

QList<QStringList> rows(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool rowStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == u'"') {
            quoted = true;
            rowStarted = true;
        } else if (c == u',') {
            row += field;
            field.clear();
            rowStarted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (rowStarted || !field.isEmpty())
                rows += row << field;
            row.clear();
            field.clear();
            rowStarted = false;
        } else {
            field += c;
            rowStarted = true;
        }
    }
    if (rowStarted || !field.isEmpty())
        rows += row << field;
    return rows;
}

QByteArray file(const QList<QStringList> &rows, bool byteOrderMark)
{
    QString text = (byteOrderMark ? QString(QChar(0xFEFF)) : QString()) + line(header())
        + QStringLiteral("\r\n");
    for (const QStringList &row : rows)
        text += line(row) + QStringLiteral("\r\n");
    return text.toUtf8();
}

QByteArray file(const QList<RecordedResult> &results, bool byteOrderMark)
{
    QList<QStringList> rows;
    rows.reserve(results.size());
    for (const RecordedResult &result : results)
        rows += fields(result);
    return file(rows, byteOrderMark);
}

} // namespace ResultsCsv
