#include "plaintext.h"

#include <QHash>
#include <QRegularExpression>

#include <array>

using namespace Qt::StringLiterals;

namespace PlainText {

namespace {

// The HTML names of the characters U+00A0 to U+00FF, in order.
constexpr std::array<const char16_t *, 96> latin1Names { {
    u"nbsp",   u"iexcl",  u"cent",   u"pound",  u"curren", u"yen",    u"brvbar", u"sect",
    u"uml",    u"copy",   u"ordf",   u"laquo",  u"not",    u"shy",    u"reg",    u"macr",
    u"deg",    u"plusmn", u"sup2",   u"sup3",   u"acute",  u"micro",  u"para",   u"middot",
    u"cedil",  u"sup1",   u"ordm",   u"raquo",  u"frac14", u"frac12", u"frac34", u"iquest",
    u"Agrave", u"Aacute", u"Acirc",  u"Atilde", u"Auml",   u"Aring",  u"AElig",  u"Ccedil",
    u"Egrave", u"Eacute", u"Ecirc",  u"Euml",   u"Igrave", u"Iacute", u"Icirc",  u"Iuml",
    u"ETH",    u"Ntilde", u"Ograve", u"Oacute", u"Ocirc",  u"Otilde", u"Ouml",   u"times",
    u"Oslash", u"Ugrave", u"Uacute", u"Ucirc",  u"Uuml",   u"Yacute", u"THORN",  u"szlig",
    u"agrave", u"aacute", u"acirc",  u"atilde", u"auml",   u"aring",  u"aelig",  u"ccedil",
    u"egrave", u"eacute", u"ecirc",  u"euml",   u"igrave", u"iacute", u"icirc",  u"iuml",
    u"eth",    u"ntilde", u"ograve", u"oacute", u"ocirc",  u"otilde", u"ouml",   u"divide",
    u"oslash", u"ugrave", u"uacute", u"ucirc",  u"uuml",   u"yacute", u"thorn",  u"yuml",
} };

struct NamedCharacter
{
    const char16_t *name;
    char32_t code;
};

// The other names that question files use for punctuation and common signs.
constexpr NamedCharacter otherNames[] = {
    { u"quot", 0x22 },     { u"amp", 0x26 },      { u"apos", 0x27 },     { u"lt", 0x3C },
    { u"gt", 0x3E },       { u"OElig", 0x152 },   { u"oelig", 0x153 },   { u"Scaron", 0x160 },
    { u"scaron", 0x161 },  { u"Yuml", 0x178 },    { u"fnof", 0x192 },    { u"circ", 0x2C6 },
    { u"tilde", 0x2DC },   { u"ensp", 0x2002 },   { u"emsp", 0x2003 },   { u"thinsp", 0x2009 },
    { u"ndash", 0x2013 },  { u"mdash", 0x2014 },  { u"lsquo", 0x2018 },  { u"rsquo", 0x2019 },
    { u"sbquo", 0x201A },  { u"ldquo", 0x201C },  { u"rdquo", 0x201D },  { u"bdquo", 0x201E },
    { u"dagger", 0x2020 }, { u"Dagger", 0x2021 }, { u"bull", 0x2022 },   { u"hellip", 0x2026 },
    { u"permil", 0x2030 }, { u"lsaquo", 0x2039 }, { u"rsaquo", 0x203A }, { u"euro", 0x20AC },
    { u"trade", 0x2122 },  { u"larr", 0x2190 },   { u"rarr", 0x2192 },   { u"minus", 0x2212 },
    { u"ne", 0x2260 },     { u"le", 0x2264 },     { u"ge", 0x2265 },
};

const QHash<QString, char32_t> &entities()
{
    static const QHash<QString, char32_t> table = [] {
        QHash<QString, char32_t> names;
        for (std::size_t i = 0; i < latin1Names.size(); ++i)
            names.insert(QString::fromUtf16(latin1Names[i]), char32_t(0xA0 + i));
        for (const NamedCharacter &named : otherNames)
            names.insert(QString::fromUtf16(named.name), named.code);
        return names;
    }();
    return table;
}

// Tags after which a browser starts a new line or cell: they leave a space behind.
bool breaksLine(QStringView tag)
{
    static const QRegularExpression breaking(
        u"^(p|div|br|li|ul|ol|tr|td|th|table|h[1-6]|blockquote|pre|hr|dd|dt|section|article)$"_s,
        QRegularExpression::CaseInsensitiveOption);
    return breaking.match(tag.toString()).hasMatch();
}

QString withoutTags(const QString &html)
{
    static const QRegularExpression dropped(u"<!--.*?(-->|$)|<(script|style)\\b.*?(</\\2\\s*>|$)"_s,
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(u"<(/?)([A-Za-z][A-Za-z0-9]*)\\b[^>]*>|<[!?/][^>]*>"_s);
    QString text = html;
    text.replace(dropped, QString());
    QString result;
    qsizetype from = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).sliced(from, match.capturedStart() - from);
        if (breaksLine(match.capturedView(2)))
            result += u' ';
        from = match.capturedEnd();
    }
    result += QStringView(text).sliced(from);
    return result;
}

QString decodeEntities(const QString &text)
{
    static const QRegularExpression entity(u"&(#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z0-9]+);"_s);
    QString result;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).sliced(from, match.capturedStart() - from);
        const QString name = match.captured(1);
        char32_t code = 0;
        if (name.startsWith(u"#x", Qt::CaseInsensitive))
            code = name.sliced(2).toUInt(nullptr, 16);
        else if (name.startsWith(u'#'))
            code = name.sliced(1).toUInt();
        else
            code = entities().value(name, 0);
        if (code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
            result += QString::fromUcs4(&code, 1);
        else
            result += match.capturedView();
        from = match.capturedEnd();
    }
    result += QStringView(text).sliced(from);
    return result;
}

QString withoutControls(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            result += c;
    }
    return result;
}

} // namespace

QString trimSpaces(QString text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.sliced(start, end - start);
}

QString fromHtml(const QString &html)
{
    static const QRegularExpression whiteSpace(u"[ \\t\\n\\r\\f\\v]+"_s);
    QString text = decodeEntities(withoutTags(html));
    text.replace(whiteSpace, u" "_s);
    text.replace(QChar(0xA0), u' ');
    return trimSpaces(withoutControls(text));
}

QString fromMarkdown(const QString &markdown)
{
    struct Rule
    {
        QRegularExpression pattern;
        QString replacement;
    };
    static const Rule rules[] = {
        { QRegularExpression(u"!?\\[([^\\]]*)\\]\\([^)]*\\)"_s), u"\\1"_s },
        { QRegularExpression(u"^[ \\t]{0,3}(#{1,6}|>|[-*+]|[0-9]+[.)])[ \\t]+"_s,
                             QRegularExpression::MultilineOption),
          QString() },
        { QRegularExpression(u"(\\*\\*|__)(?=\\S)(.+?)(?<=\\S)\\1"_s), u"\\2"_s },
        { QRegularExpression(u"(?<![\\w*])\\*(?=\\S)(.+?)(?<=\\S)\\*(?![\\w*])"_s), u"\\1"_s },
        { QRegularExpression(u"(?<!\\w)_(?=\\S)(.+?)(?<=\\S)_(?!\\w)"_s), u"\\1"_s },
        { QRegularExpression(u"`+([^`]*)`+"_s), u"\\1"_s },
        { QRegularExpression(u"\\\\([\\\\`*_{}\\[\\]()#+\\-.!>])"_s), u"\\1"_s },
    };
    QString text = markdown;
    for (const Rule &rule : rules)
        text.replace(rule.pattern, rule.replacement);
    return fromHtml(text);
}

QString fromPlain(const QString &text)
{
    static const QRegularExpression lineBreaks(u"[ ]*[\\t\\n\\r\\f\\v][ \\t\\n\\r\\f\\v]*"_s);
    QString result = text;
    result.replace(lineBreaks, u" "_s);
    result.replace(QChar(0xA0), u' ');
    return trimSpaces(withoutControls(result));
}

QString from(const QString &text, SourceQuestion::Format format)
{
    switch (format) {
    case SourceQuestion::Format::Plain:
        return fromPlain(text);
    case SourceQuestion::Format::Markdown:
        return fromMarkdown(text);
    case SourceQuestion::Format::Html:
        break;
    }
    return fromHtml(text);
}

bool showsPicture(const QString &html)
{
    static const QRegularExpression picture(u"<img\\b"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    return html.contains(picture);
}

QString toHtml(const QString &text)
{
    QString html;
    html.reserve(text.size());
    QChar previous;
    for (const QChar c : text) {
        if (c == u'&')
            html += u"&amp;"_s;
        else if (c == u'<')
            html += u"&lt;"_s;
        else if (c == u'>')
            html += u"&gt;"_s;
        else if (c == u' ' && previous == u' ')
            html += u"&nbsp;"_s;
        else if (c.category() != QChar::Other_Control)
            html += c;
        else
            continue;
        previous = c;
    }
    return html;
}

} // namespace PlainText
