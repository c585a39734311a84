#include "metafilepaintengine.h"

#include "metafiledib.h"
#include "metafilerecords.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace MetafileRecords;

namespace {

// Images are kept at no more than this resolution on the page: enough for print copies.
constexpr double MaxImageDpi = 300.0;
// Point counts are 16-bit in polygon records.
constexpr int MaxPolygonPoints = 32767;

qint16 clamp16(double v)
{
    if (!std::isfinite(v))
        return 0;
    return qint16(std::clamp(std::lround(v), -32768L, 32767L));
}

void put16(QByteArray &out, int v)
{
    const quint16 le = qToLittleEndian(quint16(v));
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void put32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

void putColor(QByteArray &out, QRgb c)
{
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
    out.append('\0');
}

QColor meanColor(const QGradientStops &stops)
{
    if (stops.isEmpty())
        return Qt::black;
    if (stops.size() == 1)
        return stops.first().second;
    // Each interval between stops weighs by its length, with the mean of its two ends.
    double r = 0, g = 0, b = 0, a = 0, total = 0;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const double w = std::max(0.0, stops[i].first - stops[i - 1].first);
        const QColor c0 = stops[i - 1].second;
        const QColor c1 = stops[i].second;
        r += w * (c0.redF() + c1.redF()) / 2;
        g += w * (c0.greenF() + c1.greenF()) / 2;
        b += w * (c0.blueF() + c1.blueF()) / 2;
        a += w * (c0.alphaF() + c1.alphaF()) / 2;
        total += w;
    }
    if (total <= 0)
        return stops.first().second;
    return QColor::fromRgbF(float(r / total), float(g / total), float(b / total), float(a / total));
}

bool encodable(const QString &text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return unicodeToCp1252(c.unicode()) >= 0; });
}

QPolygonF withoutRepeats(const QPolygonF &polygon)
{
    QPolygonF out;
    out.reserve(polygon.size());
    QPoint last(INT_MIN, INT_MIN);
    for (const QPointF &p : polygon) {
        const QPoint q(clamp16(p.x()), clamp16(p.y()));
        if (q != last)
            out.append(q);
        last = q;
    }
    if (out.size() > MaxPolygonPoints) {
        const qsizetype step = (out.size() + MaxPolygonPoints - 1) / MaxPolygonPoints;
        QPolygonF thinned;
        for (qsizetype i = 0; i < out.size(); i += step)
            thinned.append(out[i]);
        out = thinned;
    }
    return out;
}

} // namespace

MetafilePaintEngine::MetafilePaintEngine(QSize sizeUnits, int unitsPerInch)
    : QPaintEngine(AllFeatures)
    , m_size(sizeUnits)
    , m_unitsPerInch(unitsPerInch)
{ }

bool MetafilePaintEngine::begin(QPaintDevice *)
{
    m_records.clear();
    m_maxRecordWords = 3;
    m_slots.clear();
    m_penSlot = m_brushSlot = m_fontSlot = -1;
    m_penValid = m_brushValid = m_fontValid = m_textColorValid = false;
    m_clipEnabled = m_clipEmitted = false;
    m_transform = QTransform();
    record(SetMapMode, { MmAnisotropic });
    record(SetWindowOrg, { 0, 0 });
    record(SetWindowExt, { m_size.height(), m_size.width() });
    record(SetBkMode, { Transparent });
    record(SetTextAlign, { TaBaseline });
    record(SetStretchBltMode, { 4 });
    record(SetPolyFillMode, { Alternate });
    m_fillMode = Alternate;
    setActive(true);
    return true;
}

bool MetafilePaintEngine::end()
{
    if (m_clipEmitted)
        record(RestoreDc, { -1 });
    m_clipEmitted = false;
    for (int *slot : { &m_penSlot, &m_brushSlot, &m_fontSlot }) {
        if (*slot >= 0)
            record(DeleteObject, { *slot });
        *slot = -1;
    }
    setActive(false);
    return true;
}

QByteArray MetafilePaintEngine::fileData() const
{
    QByteArray out;
    const quint32 totalWords = 9 + quint32(m_records.size() / 2) + 3;
    put32(out, PlaceableKey);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, m_size.width());
    put16(out, m_size.height());
    put16(out, m_unitsPerInch);
    put32(out, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(out.constData() + 2 * i);
    put16(out, checksum);

    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, totalWords);
    put16(out, int(std::max<size_t>(m_slots.size(), 1)));
    put32(out, m_maxRecordWords);
    put16(out, 0);

    out.append(m_records);
    put32(out, 3);
    put16(out, Eof);
    return out;
}

void MetafilePaintEngine::record(quint16 function, const QByteArray &params)
{
    QByteArray padded = params;
    if (padded.size() % 2)
        padded.append('\0');
    const quint32 words = 3 + quint32(padded.size() / 2);
    put32(m_records, words);
    put16(m_records, function);
    m_records.append(padded);
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void MetafilePaintEngine::record(quint16 function, std::initializer_list<int> params)
{
    QByteArray bytes;
    for (int p : params)
        put16(bytes, p);
    record(function, bytes);
}

int MetafilePaintEngine::createObject(quint16 function, const QByteArray &params)
{
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    const int slot = int(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.push_back(true);
    else
        *free = true;
    record(function, params);
    return slot;
}

void MetafilePaintEngine::replaceObject(int *slot, quint16 function, const QByteArray &params)
{
    const int created = createObject(function, params);
    record(SelectObject, { created });
    if (*slot >= 0) {
        record(DeleteObject, { *slot });
        m_slots[size_t(*slot)] = false;
    }
    *slot = created;
}

void MetafilePaintEngine::selectPen(const PenKey &pen)
{
    if (m_penValid && m_pen == pen)
        return;
    QByteArray params;
    put16(params, pen.style);
    put16(params, pen.width);
    put16(params, 0);
    putColor(params, pen.color);
    replaceObject(&m_penSlot, CreatePenIndirect, params);
    m_pen = pen;
    m_penValid = true;
}

void MetafilePaintEngine::selectBrush(const BrushKey &brush)
{
    if (m_brushValid && m_brush == brush)
        return;
    QByteArray params;
    put16(params, brush.style);
    putColor(params, brush.color);
    put16(params, brush.hatch);
    replaceObject(&m_brushSlot, CreateBrushIndirect, params);
    m_brush = brush;
    m_brushValid = true;
}

void MetafilePaintEngine::selectFont(const FontKey &font)
{
    if (m_fontValid && m_font == font)
        return;
    QByteArray params;
    put16(params, font.height);
    put16(params, 0);
    put16(params, font.escapement);
    put16(params, font.escapement);
    put16(params, font.weight);
    params.append(char(font.italic));
    params.append(char(font.underline));
    params.append(char(font.strikeOut));
    params.append('\0'); // ANSI character set
    params.append('\0');
    params.append('\0');
    params.append('\4'); // antialiased quality
    params.append('\0');
    QByteArray face = font.face.left(FontFaceBytes - 1);
    face.append(QByteArray(FontFaceBytes - face.size(), '\0'));
    params.append(face);
    replaceObject(&m_fontSlot, CreateFontIndirect, params);
    m_font = font;
    m_fontValid = true;
}

void MetafilePaintEngine::setFillMode(Qt::FillRule rule)
{
    const int mode = rule == Qt::WindingFill ? Winding : Alternate;
    if (mode != m_fillMode) {
        record(SetPolyFillMode, { mode });
        m_fillMode = mode;
    }
}

void MetafilePaintEngine::setTextColor(QRgb color)
{
    if (m_textColorValid && m_textColor == color)
        return;
    QByteArray params;
    putColor(params, color);
    record(MetafileRecords::SetTextColor, params);
    m_textColor = color;
    m_textColorValid = true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState &state)
{
    const QPaintEngine::DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyPen)
        m_painterPen = state.pen();
    if (flags & DirtyBrush)
        m_painterBrush = state.brush();
    if (flags & DirtyFont)
        m_painterFont = state.font();
    if (flags & DirtyOpacity)
        m_opacity = state.opacity();
    if (flags & (DirtyClipPath | DirtyClipRegion)) {
        QRectF area;
        if (flags & DirtyClipPath)
            area = m_transform.map(state.clipPath()).boundingRect();
        else
            area = m_transform.mapRect(QRectF(state.clipRegion().boundingRect()));
        switch (state.clipOperation()) {
        case Qt::NoClip:
            m_clipEnabled = false;
            break;
        case Qt::ReplaceClip:
            m_clipEnabled = true;
            m_clip = area;
            break;
        case Qt::IntersectClip:
            m_clip = m_clipEnabled ? m_clip.intersected(area) : area;
            m_clipEnabled = true;
            break;
        }
    } else if (flags & DirtyClipEnabled) {
        m_clipEnabled = state.isClipEnabled() && !m_clip.isNull();
    }
}

void MetafilePaintEngine::syncClip()
{
    const QRectF page(QPointF(0, 0), QSizeF(m_size));
    const bool wanted = m_clipEnabled && !m_clip.contains(page);
    if (wanted == m_clipEmitted && (!wanted || m_clip == m_emittedClip))
        return;
    if (m_clipEmitted) {
        // Restoring the saved state also brings back the objects and colours of that time.
        record(RestoreDc, { -1 });
        for (int slot : { m_penSlot, m_brushSlot, m_fontSlot }) {
            if (slot >= 0)
                record(SelectObject, { slot });
        }
        record(SetPolyFillMode, { m_fillMode });
        if (m_textColorValid) {
            QByteArray params;
            putColor(params, m_textColor);
            record(MetafileRecords::SetTextColor, params);
        }
    }
    m_clipEmitted = wanted;
    if (wanted) {
        record(SaveDc, {});
        const QRectF r = m_clip.isEmpty() ? QRectF() : m_clip;
        record(IntersectClipRect,
               { clamp16(r.bottom()), clamp16(r.right()), clamp16(r.top()), clamp16(r.left()) });
        m_emittedClip = m_clip;
    }
}

QColor MetafilePaintEngine::effectiveColor(const QBrush &brush) const
{
    QColor color;
    switch (brush.style()) {
    case Qt::NoBrush:
        return QColor(Qt::transparent);
    case Qt::LinearGradientPattern:
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        color = brush.gradient() ? meanColor(brush.gradient()->stops()) : brush.color();
        break;
    case Qt::TexturePattern: {
        const QImage texture = brush.textureImage();
        color = texture.isNull()
            ? brush.color()
            : texture.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .pixelColor(0, 0);
        break;
    }
    default:
        color = brush.color();
        break;
    }
    color.setAlphaF(float(color.alphaF() * m_opacity));
    return color;
}

bool MetafilePaintEngine::penFor(PenKey *key) const
{
    if (m_painterPen.style() == Qt::NoPen)
        return false;
    const QColor color = effectiveColor(m_painterPen.brush());
    if (color.alpha() < 8)
        return false;
    int style = PsSolid;
    switch (m_painterPen.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine:
        style = PsDash;
        break;
    case Qt::DotLine:
        style = PsDot;
        break;
    case Qt::DashDotLine:
        style = PsDashDot;
        break;
    case Qt::DashDotDotLine:
        style = PsDashDotDot;
        break;
    default:
        break;
    }
    switch (m_painterPen.capStyle()) {
    case Qt::SquareCap:
        style |= PsEndCapSquare;
        break;
    case Qt::FlatCap:
        style |= PsEndCapFlat;
        break;
    default:
        break;
    }
    switch (m_painterPen.joinStyle()) {
    case Qt::BevelJoin:
        style |= PsJoinBevel;
        break;
    case Qt::MiterJoin:
    case Qt::SvgMiterJoin:
        style |= PsJoinMiter;
        break;
    default:
        break;
    }
    double width = m_painterPen.widthF();
    if (m_painterPen.isCosmetic())
        width = width <= 1.0 ? 0.0 : width * m_unitsPerInch / 96.0;
    else
        width *= std::sqrt(std::abs(m_transform.determinant()));
    key->style = style;
    key->width = std::clamp(int(std::lround(width)), 0, 32767);
    key->color = color.rgb();
    return true;
}

bool MetafilePaintEngine::brushFor(BrushKey *key) const
{
    const QColor color = effectiveColor(m_painterBrush);
    if (m_painterBrush.style() == Qt::NoBrush || color.alpha() < 8)
        return false;
    key->style = BsSolid;
    key->color = color.rgb();
    key->hatch = 0;
    switch (m_painterBrush.style()) {
    case Qt::HorPattern:
        key->style = BsHatched;
        key->hatch = HsHorizontal;
        break;
    case Qt::VerPattern:
        key->style = BsHatched;
        key->hatch = HsVertical;
        break;
    case Qt::CrossPattern:
        key->style = BsHatched;
        key->hatch = HsCross;
        break;
    case Qt::BDiagPattern:
        key->style = BsHatched;
        key->hatch = HsBDiagonal;
        break;
    case Qt::FDiagPattern:
        key->style = BsHatched;
        key->hatch = HsFDiagonal;
        break;
    case Qt::DiagCrossPattern:
        key->style = BsHatched;
        key->hatch = HsDiagCross;
        break;
    default:
        break;
    }
    return true;
}

void MetafilePaintEngine::emitPolyline(const QPolygonF &polygon)
{
    QPolygonF points = withoutRepeats(polygon);
    if (points.isEmpty())
        return;
    // A single point still shows as a dot with round caps, like the painter's own stroke.
    if (points.size() == 1)
        points.append(points.first());
    QByteArray params;
    put16(params, int(points.size()));
    for (const QPointF &p : points) {
        put16(params, int(p.x()));
        put16(params, int(p.y()));
    }
    record(Polyline, params);
}

void MetafilePaintEngine::emitPolygon(const QList<QPolygonF> &polygons)
{
    QList<QPolygonF> cleaned;
    for (const QPolygonF &polygon : polygons) {
        QPolygonF points = withoutRepeats(polygon);
        if (points.size() > 1 && points.first() == points.last())
            points.removeLast();
        if (points.size() >= 2)
            cleaned.append(points);
    }
    if (cleaned.isEmpty())
        return;
    QByteArray params;
    if (cleaned.size() == 1) {
        put16(params, int(cleaned[0].size()));
        for (const QPointF &p : cleaned[0]) {
            put16(params, int(p.x()));
            put16(params, int(p.y()));
        }
        record(Polygon, params);
        return;
    }
    put16(params, int(cleaned.size()));
    for (const QPolygonF &polygon : cleaned)
        put16(params, int(polygon.size()));
    for (const QPolygonF &polygon : cleaned) {
        for (const QPointF &p : polygon) {
            put16(params, int(p.x()));
            put16(params, int(p.y()));
        }
    }
    record(PolyPolygon, params);
}

void MetafilePaintEngine::emitPolygons(const QList<QPolygonF> &polygons, Qt::FillRule rule,
                                       bool fill, bool stroke)
{
    PenKey pen;
    BrushKey brush;
    stroke = stroke && penFor(&pen);
    fill = fill && brushFor(&brush);
    if (!stroke && !fill)
        return;
    syncClip();
    const bool allClosed = std::all_of(polygons.begin(), polygons.end(), [](const QPolygonF &p) {
        return p.size() > 2 && p.isClosed();
    });
    if (fill) {
        setFillMode(rule);
        selectBrush(brush);
        PenKey none;
        none.style = PsNull;
        selectPen(stroke && allClosed ? pen : none);
        emitPolygon(polygons);
        if (!stroke || allClosed)
            return;
    }
    // Outlines only: closed outlines as unfilled polygons so their corners join, open ones
    // as polylines.
    selectPen(pen);
    BrushKey hollow;
    hollow.style = BsNull;
    for (const QPolygonF &polygon : polygons) {
        if (polygon.size() > 2 && polygon.isClosed()) {
            selectBrush(hollow);
            emitPolygon({ polygon });
        } else {
            emitPolyline(polygon);
        }
    }
}

void MetafilePaintEngine::drawPath(const QPainterPath &path)
{
    if (path.isEmpty() || drawPathAsText(path))
        return;
    emitPolygons(path.toSubpathPolygons(m_transform), path.fillRule(), true, true);
}

void MetafilePaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount <= 0)
        return;
    QPolygonF polygon;
    polygon.reserve(pointCount + 1);
    for (int i = 0; i < pointCount; ++i)
        polygon.append(m_transform.map(points[i]));
    if (mode == PolylineMode) {
        emitPolygons({ polygon }, Qt::OddEvenFill, false, true);
        return;
    }
    if (!polygon.isClosed())
        polygon.append(polygon.first());
    emitPolygons({ polygon }, mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill, true, true);
}

void MetafilePaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        QPainterPath path;
        path.addRect(rects[i]);
        drawPath(path);
    }
}

void MetafilePaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    for (int i = 0; i < lineCount; ++i) {
        const QPolygonF line { m_transform.map(lines[i].p1()), m_transform.map(lines[i].p2()) };
        emitPolygons({ line }, Qt::OddEvenFill, false, true);
    }
}

void MetafilePaintEngine::drawEllipse(const QRectF &rect)
{
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
}

bool MetafilePaintEngine::textFits(const QString &text) const
{
    const QTransform &t = m_transform;
    const double det = t.determinant();
    const double scale = std::sqrt(std::abs(det));
    // Text records rotate but never mirror, shear or stretch: such text goes as curves.
    const bool similar = det > 0 && std::abs(t.m11() - t.m22()) <= 1e-6 * scale
        && std::abs(t.m12() + t.m21()) <= 1e-6 * scale;
    return !text.isEmpty() && text.size() <= 8000 && encodable(text) && similar;
}

void MetafilePaintEngine::emitText(const QPointF &origin, const QString &text, const QFont &font,
                                   const QList<qreal> &offsets, const QColor &color, bool underline,
                                   bool strikeOut)
{
    const QTransform &t = m_transform;
    const double scale = std::sqrt(std::abs(t.determinant()));
    double em = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_unitsPerInch / 72.0;
    em *= scale;
    const double angle = std::atan2(t.m12(), t.m11()) * 180.0 / std::numbers::pi;

    FontKey key;
    key.height = -std::clamp(int(std::lround(em)), 1, 32767);
    key.escapement = int(std::lround(-angle * 10.0)) % 3600;
    key.weight = std::clamp(int(font.weight()), 1, 1000);
    key.italic = font.italic() || font.style() == QFont::StyleOblique;
    key.underline = underline;
    key.strikeOut = strikeOut;
    for (QChar c : font.family()) {
        const int byte = unicodeToCp1252(c.unicode());
        key.face.append(char(byte >= 0 ? byte : '?'));
    }

    QByteArray params;
    const QPointF at = t.map(origin);
    put16(params, clamp16(at.y()));
    put16(params, clamp16(at.x()));
    put16(params, int(text.size()));
    put16(params, 0);
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(unicodeToCp1252(c.unicode())));
    if (bytes.size() % 2)
        bytes.append('\0');
    params.append(bytes);
    // Each character's advance, rounded so that the rounding never accumulates.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const long from = std::lround(offsets.value(i) * scale);
        const long to = std::lround(offsets.value(i + 1) * scale);
        put16(params, int(std::clamp(to - from, -32768L, 32767L)));
    }

    syncClip();
    setTextColor(color.rgb());
    selectFont(key);
    record(ExtTextOut, params);
}

void MetafilePaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    const QString text = textItem.text();
    if (!textFits(text)) {
        QPaintEngine::drawTextItem(p, textItem);
        return;
    }
    if (m_painterPen.style() == Qt::NoPen)
        return;
    const QColor color = effectiveColor(m_painterPen.brush());
    if (color.alpha() < 8)
        return;
    const QFont font = textItem.font();
    const QFontMetricsF metrics(font, paintDevice());
    // Offsets of each character, scaled so the line is as wide as the painter laid it out.
    const double natural = metrics.horizontalAdvance(text);
    const double fit = natural > 0 && textItem.width() > 0 ? textItem.width() / natural : 1.0;
    QList<qreal> offsets { 0.0 };
    for (qsizetype i = 0; i < text.size(); ++i)
        offsets.append(metrics.horizontalAdvance(text.left(i + 1)) * fit);
    emitText(p, text, font, offsets, color,
             font.underline() || (textItem.renderFlags() & QTextItem::Underline),
             font.strikeOut() || (textItem.renderFlags() & QTextItem::StrikeOut));
}

const MetafilePaintEngine::GlyphShapes &MetafilePaintEngine::glyphShapes(const QFont &font)
{
    const QString key = font.key();
    auto found = m_glyphShapes.find(key);
    if (found != m_glyphShapes.end())
        return found->second;
    GlyphShapes &shapes = m_glyphShapes[key];
    shapes.font = QRawFont::fromFont(font);
    if (!shapes.font.isValid())
        return shapes;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const QChar c(cp1252ToUnicode(quint8(byte)));
        if (byte >= 0x7F && byte <= 0xA0 && c.unicode() == byte)
            continue;
        const QList<quint32> glyphs = shapes.font.glyphIndexesForString(QString(c));
        if (glyphs.size() != 1 || glyphs[0] == 0)
            continue;
        const QList<QPointF> advance = shapes.font.advancesForGlyphIndexes(glyphs);
        GlyphShape shape { c, shapes.font.pathForGlyph(glyphs[0]), advance.value(0).x() };
        if (c == QLatin1Char(' '))
            shapes.spaceAdvance = shape.advance;
        if (!shape.outline.isEmpty())
            shapes.glyphs.push_back(std::move(shape));
    }
    return shapes;
}

bool MetafilePaintEngine::drawPathAsText(const QPainterPath &path)
{
    // Laid-out text with an outline pen arrives as glyph outlines (SVG text does, as its
    // default stroke is a pen without a brush). When the outlines are this font's glyphs
    // side by side on one baseline, write them back as text.
    if (m_painterPen.style() == Qt::NoPen || m_painterPen.brush().style() != Qt::NoBrush
        || m_painterBrush.style() != Qt::SolidPattern || path.elementCount() < 2)
        return false;
    // Runs in bold or italic inside plain text (and the reverse) use the painter's family.
    QFont bold = m_painterFont;
    bold.setBold(!m_painterFont.bold());
    QFont italic = m_painterFont;
    italic.setItalic(!m_painterFont.italic());
    for (const QFont &font : { m_painterFont, bold, italic }) {
        const GlyphShapes &shapes = glyphShapes(font);
        if (!shapes.font.isValid() || shapes.glyphs.empty())
            continue;
        // Layouts draw at their own font size (SVG text at 100 pixels, scaled by the
        // painter): try that and the font's own size.
        const double rawSize = shapes.font.pixelSize();
        for (const double size : { 100.0, rawSize }) {
            std::vector<FoundGlyph> found;
            if (matchGlyphs(path, shapes, size / rawSize, &found))
                return emitRecoveredText(found, shapes, font, size);
        }
    }
    return false;
}

bool MetafilePaintEngine::matchGlyphs(const QPainterPath &path, const GlyphShapes &shapes,
                                      double scale, std::vector<FoundGlyph> *found) const
{
    const double tolerance = shapes.font.pixelSize() * scale * 4e-3;
    int at = 0;
    const int count = path.elementCount();
    while (at < count) {
        const GlyphShape *best = nullptr;
        QPointF bestOrigin;
        for (const GlyphShape &shape : shapes.glyphs) {
            const int n = shape.outline.elementCount();
            if (n > count - at || (best && n <= best->outline.elementCount()))
                continue;
            const QPointF origin
                = QPointF(path.elementAt(at)) - QPointF(shape.outline.elementAt(0)) * scale;
            bool same = true;
            for (int i = 0; i < n && same; ++i) {
                const QPainterPath::Element a = path.elementAt(at + i);
                const QPainterPath::Element b = shape.outline.elementAt(i);
                same = a.type == b.type && std::abs(a.x - b.x * scale - origin.x()) <= tolerance
                    && std::abs(a.y - b.y * scale - origin.y()) <= tolerance;
            }
            if (same) {
                best = &shape;
                bestOrigin = origin;
            }
        }
        if (!best)
            return false;
        if (!found->empty() && std::abs(bestOrigin.y() - found->front().origin.y()) > tolerance)
            return false;
        found->push_back({ best->character, bestOrigin, best->advance * scale });
        at += best->outline.elementCount();
    }
    return !found->empty();
}

bool MetafilePaintEngine::emitRecoveredText(const std::vector<FoundGlyph> &found,
                                            const GlyphShapes &shapes, const QFont &shapeFont,
                                            double pixelSize)
{
    const double space = shapes.spaceAdvance * pixelSize / shapes.font.pixelSize();
    QString text;
    QList<qreal> offsets;
    const QPointF origin = found.front().origin;
    for (size_t i = 0; i < found.size(); ++i) {
        if (i > 0 && space > 0) {
            // Spaces have no outline: the gap between glyphs tells how many there were.
            const double gap = found[i].origin.x() - found[i - 1].origin.x() - found[i - 1].advance;
            const int spaces = int(std::lround(gap / space));
            for (int s = 0; s < spaces; ++s) {
                text.append(QLatin1Char(' '));
                offsets.append(found[i - 1].origin.x() - origin.x() + found[i - 1].advance
                               + s * gap / spaces);
            }
        }
        text.append(found[i].character);
        offsets.append(found[i].origin.x() - origin.x());
    }
    offsets.append(found.back().origin.x() - origin.x() + found.back().advance);
    if (!textFits(text))
        return false;
    const QColor color = effectiveColor(m_painterBrush);
    if (color.alpha() < 8)
        return true;
    QFont font = shapeFont;
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    emitText(origin, text, font, offsets, color, false, false);
    return true;
}

void MetafilePaintEngine::drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr)
{
    drawImage(r, pm.toImage(), sr);
}

void MetafilePaintEngine::drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
                                    Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty())
        return;
    const QRect source = sr.toAlignedRect().intersected(image.rect());
    if (source.isEmpty())
        return;
    QImage picture = image.copy(source);
    if (m_opacity < 1.0) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]),
                                int(qAlpha(line[x]) * m_opacity));
        }
    }
    QRectF dest = m_transform.mapRect(r);
    const bool axisAligned = m_transform.m12() == 0 && m_transform.m21() == 0;
    if (axisAligned) {
        picture = picture.mirrored(m_transform.m11() < 0, m_transform.m22() < 0);
    } else {
        // Rotated or sheared: draw the transformed picture into its bounding box.
        const QTransform shape
            = QTransform::fromScale(r.width() / picture.width(), r.height() / picture.height())
            * QTransform(m_transform.m11(), m_transform.m12(), m_transform.m21(), m_transform.m22(),
                         0, 0);
        const double factor = MaxImageDpi / m_unitsPerInch;
        picture = picture.convertToFormat(QImage::Format_ARGB32)
                      .transformed(shape * QTransform::fromScale(factor, factor),
                                   Qt::SmoothTransformation);
    }
    const double maxWidth = std::max(1.0, dest.width() * MaxImageDpi / m_unitsPerInch);
    const double maxHeight = std::max(1.0, dest.height() * MaxImageDpi / m_unitsPerInch);
    if (picture.width() > maxWidth * 1.05 || picture.height() > maxHeight * 1.05)
        picture = picture.scaled(int(std::ceil(std::min<double>(picture.width(), maxWidth))),
                                 int(std::ceil(std::min<double>(picture.height(), maxHeight))),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QByteArray dib = MetafileDib::encode(picture);
    if (dib.isEmpty())
        return;

    syncClip();
    QByteArray params;
    put32(params, SrcCopy);
    put16(params, DibRgbColors);
    put16(params, picture.height());
    put16(params, picture.width());
    put16(params, 0);
    put16(params, 0);
    put16(params, clamp16(dest.bottom()) - clamp16(dest.top()));
    put16(params, clamp16(dest.right()) - clamp16(dest.left()));
    put16(params, clamp16(dest.top()));
    put16(params, clamp16(dest.left()));
    params.append(dib);
    record(StretchDib, params);
}
