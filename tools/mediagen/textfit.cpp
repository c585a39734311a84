#include "textfit.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTransform>
#include <QXmlStreamReader>

namespace {

// What an element passes on to the text inside it.
struct Style
{
    QString family;
    qreal size = 12;
    bool bold = false;
    Qt::Alignment anchor = Qt::AlignLeft;
    QTransform transform;
};

// A piece of text as the renderer keeps it: the character data of the text element itself or
// of one tspan, or a tbreak.
struct Chunk
{
    QString text;
    Style style;
    bool tspan = false;
    bool lineBreak = false;
};

struct TextElement
{
    bool area = false;
    QPointF origin;
    QSizeF size; // of a textArea; zero for plain text
    Style style;
    QList<Chunk> chunks;
};

// Where the lines of a text went, in the drawing's units, relative to its origin.
struct Layout
{
    QRectF extent; // of the lines the renderer draws
    qreal neededHeight = 0; // of all the lines, had the area been tall enough
    QString leftOut; // the first text the renderer does not draw
};

constexpr qreal slack = 0.5;

QFont fontFor(const Style &style, qreal scale)
{
    QFont font;
    font.setFamilies({ style.family });
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    // The renderer lays text out at 100 pixels to the element's font size and scales the
    // painter down by as much; pixel sizes are whole numbers.
    font.setPixelSize(int(style.size * scale));
    return font;
}

// Lays the text out exactly as Qt's SVG renderer does: the same paragraphs, white space,
// fonts, wrapping, line spacing (1.1 lines) and the same test for a line that does not fit.
Layout layOut(const TextElement &text)
{
    const qreal scale = 100.0 / text.style.size;
    const QSizeF size = text.size * scale;
    QList<QString> paragraphs { QString() };
    QList<QList<QTextLayout::FormatRange>> formats(1);
    bool appendSpace = false;
    for (const Chunk &chunk : text.chunks) {
        if (chunk.lineBreak) {
            if (!text.area)
                continue;
            if (paragraphs.back().isEmpty()) {
                QTextLayout::FormatRange range { 0, 1, {} };
                range.format.setFont(fontFor(text.style, scale));
                formats.back().append(range);
                paragraphs.back().append(u' ');
            }
            appendSpace = false;
            paragraphs.append(QString());
            formats.append(QList<QTextLayout::FormatRange>());
            continue;
        }
        QString words = chunk.text;
        words.replace(u'\t', u' ').replace(u'\n', u' ');
        const bool prependSpace = !appendSpace && !chunk.tspan && !paragraphs.back().isEmpty()
            && words.startsWith(u' ');
        if (appendSpace || prependSpace)
            paragraphs.back().append(u' ');
        bool appendSpaceNext = !chunk.tspan && words.endsWith(u' ');
        words = words.simplified();
        if (words.isEmpty())
            appendSpaceNext = false;
        QTextLayout::FormatRange range { int(paragraphs.back().size()), int(words.size()), {} };
        range.format.setFont(fontFor(chunk.style, scale));
        if (appendSpace) {
            ++formats.back().back().length;
        } else if (prependSpace) {
            --range.start;
            ++range.length;
        }
        formats.back().append(range);
        appendSpace = appendSpaceNext;
        paragraphs.back() += words;
    }

    Layout result;
    qreal y = 0;
    bool initial = true;
    bool cut = false;
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        QTextLayout layout(paragraphs.at(p));
        QTextOption option = layout.textOption();
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.setFormats(formats.at(p));
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            if (size.width() != 0)
                line.setLineWidth(size.width());
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            qreal x = 0;
            if (text.style.anchor == Qt::AlignHCenter)
                x -= 0.5 * line.naturalTextWidth();
            else if (text.style.anchor == Qt::AlignRight)
                x -= line.naturalTextWidth();
            if (initial && !text.area)
                y -= line.ascent();
            initial = false;
            const bool fits = (size.width() == 0 || line.naturalTextWidth() <= size.width())
                && (size.height() == 0 || y + line.height() <= size.height());
            if (!fits && !cut) {
                cut = true;
                result.leftOut = paragraphs.at(p).mid(line.textStart());
            }
            if (!cut)
                result.extent |= QRectF(x, y, line.naturalTextWidth(), line.height());
            result.neededHeight = y + line.height();
            y += 1.1 * line.height();
        }
    }
    result.extent = QTransform::fromScale(1 / scale, 1 / scale).mapRect(result.extent);
    result.neededHeight /= scale;
    return result;
}

QTransform parseTransform(const QString &text)
{
    static const QRegularExpression item(QStringLiteral(R"((\w+)\s*\(([^)]*)\))"));
    static const QRegularExpression separator(QStringLiteral(R"([\s,]+)"));
    QTransform result;
    for (const QRegularExpressionMatch &m : item.globalMatch(text)) {
        QList<qreal> v;
        for (const QString &number : m.captured(2).split(separator, Qt::SkipEmptyParts))
            v.append(number.toDouble());
        if (v.isEmpty())
            continue;
        const QString name = m.captured(1);
        QTransform t;
        if (name == u"translate") {
            t.translate(v.at(0), v.value(1));
        } else if (name == u"scale") {
            t.scale(v.at(0), v.size() > 1 ? v.at(1) : v.at(0));
        } else if (name == u"rotate") {
            t.translate(v.value(1), v.value(2));
            t.rotate(v.at(0));
            t.translate(-v.value(1), -v.value(2));
        } else if (name == u"matrix" && v.size() == 6) {
            t = QTransform(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5));
        }
        // The rightmost transform of a list applies first.
        result = t * result;
    }
    return result;
}

qreal toNumber(QString value)
{
    value = value.trimmed();
    if (value.endsWith(u"px"))
        value.chop(2);
    return value.toDouble();
}

qreal number(const QXmlStreamAttributes &attributes, const char *name)
{
    return toNumber(attributes.value(QLatin1StringView(name)).toString());
}

Style inherit(Style style, const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &a : attributes) {
        const QString value = a.value().toString().trimmed();
        if (a.name() == u"font-family") {
            style.family = value.section(u',', 0, 0).remove(u'\'').remove(u'"').trimmed();
        } else if (a.name() == u"font-size") {
            style.size = toNumber(value);
        } else if (a.name() == u"font-weight") {
            style.bold = value == u"bold" || value == u"bolder" || value.toInt() >= 600;
        } else if (a.name() == u"text-anchor") {
            style.anchor = value == u"middle" ? Qt::AlignHCenter
                : value == u"end"             ? Qt::AlignRight
                                              : Qt::AlignLeft;
        } else if (a.name() == u"transform") {
            style.transform = parseTransform(value) * style.transform;
        }
    }
    return style;
}

bool axisAligned(const QTransform &t)
{
    return qFuzzyIsNull(t.m12()) && qFuzzyIsNull(t.m21());
}

QString describe(const QRectF &r)
{
    return QStringLiteral("%1,%2 %3 x %4")
        .arg(r.x(), 0, 'f', 0)
        .arg(r.y(), 0, 'f', 0)
        .arg(r.width(), 0, 'f', 0)
        .arg(r.height(), 0, 'f', 0);
}

QString quoted(QString text)
{
    text = text.simplified();
    if (text.size() > 48)
        text = text.left(45) + QStringLiteral("...");
    return u'"' + text + u'"';
}

// How far the extent runs outside the box, side by side, or empty when it lies inside.
QString overrun(const QRectF &extent, const QRectF &box)
{
    QStringList sides;
    const auto side = [&](qreal by, const char *name) {
        if (by > slack)
            sides.append(QStringLiteral("%1 by %2").arg(QLatin1String(name)).arg(by, 0, 'f', 1));
    };
    side(box.left() - extent.left(), "left");
    side(extent.right() - box.right(), "right");
    side(box.top() - extent.top(), "top");
    side(extent.bottom() - box.bottom(), "bottom");
    return sides.join(QStringLiteral(", "));
}

class Checker
{
public:
    QStringList run(const QString &svg, QString *error)
    {
        QXmlStreamReader xml(svg);
        QList<Style> styles { Style {} };
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                styles.removeLast();
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            const Style style = inherit(styles.last(), attributes);
            const QStringView name = xml.name();
            if (name == u"svg" && styles.size() == 1)
                m_page = pageRect(attributes);
            else if (name == u"rect")
                addBox(style, attributes);
            if (name == u"text" || name == u"textArea") {
                TextElement text { name == u"textArea",
                                   { number(attributes, "x"), number(attributes, "y") },
                                   { number(attributes, "width"), number(attributes, "height") },
                                   style,
                                   {} };
                readText(xml, style, &text);
                checkText(text);
                continue; // readText consumed the end of the element
            }
            styles.append(style);
        }
        if (xml.hasError()) {
            *error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
            return {};
        }
        return m_problems;
    }

private:
    static QRectF pageRect(const QXmlStreamAttributes &attributes)
    {
        const QList<QStringView> box
            = attributes.value(QLatin1StringView("viewBox")).split(u' ', Qt::SkipEmptyParts);
        if (box.size() == 4)
            return { box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble() };
        return { 0, 0, number(attributes, "width"), number(attributes, "height") };
    }

    void addBox(const Style &style, const QXmlStreamAttributes &attributes)
    {
        if (!axisAligned(style.transform))
            return;
        const QRectF r(number(attributes, "x"), number(attributes, "y"),
                       number(attributes, "width"), number(attributes, "height"));
        if (!r.isEmpty())
            m_boxes.append(style.transform.mapRect(r));
    }

    // Reads the character data, tspans and tbreaks up to the end of the text element.
    static void readText(QXmlStreamReader &xml, const Style &style, TextElement *text)
    {
        QList<Style> styles { style };
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::Characters) {
                text->chunks.append({ xml.text().toString(), styles.last(), styles.size() > 1 });
            } else if (token == QXmlStreamReader::StartElement) {
                if (xml.name() == u"tbreak")
                    text->chunks.append({ {}, styles.last(), false, true });
                styles.append(inherit(styles.last(), xml.attributes()));
            } else if (token == QXmlStreamReader::EndElement) {
                styles.removeLast();
                if (styles.isEmpty())
                    return;
            }
        }
    }

    void checkText(const TextElement &text)
    {
        if (text.style.size <= 0)
            return;
        const Layout layout = layOut(text);
        QString where = QStringLiteral("%1 at %2,%3")
                            .arg(text.area ? QStringLiteral("textArea") : QStringLiteral("text"))
                            .arg(text.origin.x())
                            .arg(text.origin.y());
        if (!layout.leftOut.isEmpty()) {
            m_problems.append(QStringLiteral("%1: needs %2 units of height and has %3, so %4 is "
                                             "not drawn")
                                  .arg(where)
                                  .arg(layout.neededHeight, 0, 'f', 1)
                                  .arg(text.size.height())
                                  .arg(quoted(layout.leftOut)));
        }
        if (layout.extent.isEmpty() || !axisAligned(text.style.transform))
            return;
        QPointF start = text.origin;
        if (text.area && text.style.anchor == Qt::AlignHCenter)
            start.rx() += text.size.width() / 2;
        else if (text.area && text.style.anchor == Qt::AlignRight)
            start.rx() += text.size.width();
        const QRectF extent = text.style.transform.mapRect(layout.extent.translated(start));
        const QPointF anchor = text.style.transform.map(text.origin);
        where += u' ' + quoted(firstWords(text));
        for (auto box = m_boxes.crbegin(); box != m_boxes.crend(); ++box) {
            if (box->contains(anchor)) {
                const QString by = overrun(extent, *box);
                if (!by.isEmpty())
                    m_problems.append(QStringLiteral("%1 runs outside its box %2 (%3)")
                                          .arg(where, describe(*box), by));
                break;
            }
        }
        const QString offPage = overrun(extent, m_page);
        if (!offPage.isEmpty())
            m_problems.append(QStringLiteral("%1 runs off the picture (%2)").arg(where, offPage));
    }

    static QString firstWords(const TextElement &text)
    {
        QString words;
        for (const Chunk &chunk : text.chunks)
            words += chunk.lineBreak ? QStringLiteral(" ") : chunk.text;
        return words;
    }

    QRectF m_page;
    QList<QRectF> m_boxes;
    QStringList m_problems;
};

} // namespace

QStringList TextFit::check(const QString &svg, QString *error)
{
    return Checker().run(svg, error);
}
