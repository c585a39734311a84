#include "worksheettext.h"

#include "windows1252.h"

#include <QRegularExpression>

namespace WorksheetText {

QString escape(const QString &text)
{
    QString escaped = text;
    escaped.replace(u',', u'&');
    return escaped;
}

QString unescape(const QString &text)
{
    QString unescaped = text;
    unescaped.replace(u'&', u',');
    return unescaped;
}

bool isStorable(const QString &text)
{
    return Windows1252::canEncode(text) && !text.contains(u'\r') && !text.contains(u'\n');
}

QString titleProblem(const QString &title)
{
    if (title.isEmpty())
        return QStringLiteral("The worksheet has no title.");
    for (const QChar c : title) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A title cannot hold a control character.");
        if (QStringView(u"/\\:*?\"<>|").contains(c))
            return QStringLiteral("A title cannot hold the character %1.").arg(c);
    }
    const qsizetype unstorable = Windows1252::firstUnencodable(title);
    if (unstorable >= 0)
        return QStringLiteral("A title cannot hold the character %1.").arg(title.at(unstorable));
    if (title.endsWith(u'.') || title.endsWith(u' '))
        return QStringLiteral("A title cannot end with a dot or a space.");
    static const QRegularExpression reserved(
        QStringLiteral("^(track|con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(title).hasMatch())
        return QStringLiteral("The title %1 is reserved; please choose another.").arg(title);
    return {};
}

QString wordsWithin(const QString &text, int length)
{
    if (text.size() <= length)
        return text;
    QString words = text.first(qMax(text.lastIndexOf(u' ', length), qsizetype(0)));
    while (words.endsWith(u' '))
        words.chop(1);
    return words;
}

bool needsQuotes(const QString &title)
{
    return title.startsWith(u' ') || title.endsWith(u' ') || title.startsWith(u'"')
        || title.contains(u',') || title.contains(u'\r') || title.contains(u'\n');
}

} // namespace WorksheetText
