#include "metafileplayer.h"

#include "metafiledib.h"
#include "metafilerecords.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

using namespace MetafileRecords;

namespace {

constexpr int MaxSavedStates = 1024;
// Clip paths grow with every excluded rectangle; beyond this many elements further
// rectangles are ignored rather than slowing the page down.
constexpr int MaxClipElements = 1024;
// Device pixels.
constexpr double MaxDashedExtent = 20000;
constexpr double MinReach = 4096;

QRectF rectFromLtrb(double left, double top, double right, double bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

QString decodeText(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.append(QChar(cp1252ToUnicode(quint8(c))));
    return text;
}

QImage keyedOut(const QImage &image, QRgb key)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (key & 0x00FFFFFFu))
                line[x] = 0;
        }
    }
    return out;
}

} // namespace

// Bounds-checked access to one record's parameters: reads past the record give 0.
class MetafilePlayer::Params
{
public:
    Params(const QByteArray &bytes, const MetafileRecord &record)
        : m_data(bytes.constData() + record.offset)
        , m_words(record.words)
    { }

    qint64 words() const { return m_words; }
    qint16 s(qint64 i) const
    {
        return i >= 0 && i < m_words ? qFromLittleEndian<qint16>(m_data + 2 * i) : 0;
    }
    quint16 u(qint64 i) const { return quint16(s(i)); }
    quint32 u32(qint64 i) const { return quint32(u(i)) | (quint32(u(i + 1)) << 16); }
    QRgb color(qint64 i) const
    {
        const quint32 v = u32(i);
        return qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    // count bytes from byte offset, or an empty view when they are not all in the record.
    QByteArrayView bytes(qint64 offset, qint64 count) const
    {
        if (offset < 0 || count < 0 || offset + count > 2 * m_words)
            return {};
        return QByteArrayView(m_data + offset, count);
    }
    quint8 byte(qint64 offset) const
    {
        return offset >= 0 && offset < 2 * m_words ? quint8(m_data[offset]) : 0;
    }

private:
    const char *m_data;
    qint64 m_words;
};

MetafilePlayer::MetafilePlayer(const MetafileData &data, QPainter &painter, const QRectF &target)
    : m_data(data)
    , m_painter(painter)
    , m_target(target)
{
    m_slotLimit = std::clamp(data.objectCount, 16, 65535);
    m_dc.windowOrg = data.frame.topLeft();
    m_dc.windowExt = data.frame.size();
    m_dc.pen.kind = MetafileObject::Pen;
    m_dc.brush.kind = MetafileObject::Brush;
    m_dc.brush.color = qRgb(255, 255, 255);
    m_dc.font.kind = MetafileObject::Font;
}

bool MetafilePlayer::bitmapLocation(const QByteArray &bytes, const MetafileRecord &record,
                                    qint64 *offset, int *colorUsage, int *maxRows)
{
    const Params p(bytes, record);
    qint64 at = -1;
    *colorUsage = DibRgbColors;
    *maxRows = 0;
    switch (record.function) {
    case StretchDib:
        at = 22;
        *colorUsage = p.u(2);
        break;
    case DibStretchBlt:
        if (record.words > (DibStretchBlt >> 8))
            at = 20;
        break;
    case DibBitBlt:
        if (record.words > (DibBitBlt >> 8))
            at = 16;
        break;
    case SetDibToDev:
        at = 18;
        *colorUsage = p.u(0);
        *maxRows = p.u(1);
        break;
    case DibCreatePatternBrush:
        at = 4;
        *colorUsage = p.u(1);
        break;
    default:
        return false;
    }
    if (at < 0 || at >= 2 * record.words)
        return false;
    *offset = record.offset + at;
    return true;
}

void MetafilePlayer::play()
{
    if (m_target.isEmpty() || m_data.frame.isEmpty())
        return;
    m_base = m_painter.transform();
    m_painter.save();
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_painter.setClipRect(m_target, Qt::IntersectClip);
    // The state the metafile's own clipping is applied on top of.
    m_painter.save();
    updateMapping();
    for (size_t i = 0; i < m_data.records.size(); ++i)
        playRecord(int(i), m_data.records[i]);
    m_painter.restore();
    m_painter.restore();
}

// The window (or, in the fixed map modes, the picture's box) fills the target. Of the
// viewport only the sign of its extent counts, to mirror the picture: its origin and size are
// those of the target, wherever the file puts them.
void MetafilePlayer::updateMapping()
{
    const bool scalable = m_dc.mapMode == MmIsotropic || m_dc.mapMode == MmAnisotropic;
    QSizeF ext = m_dc.windowExt;
    if (!scalable) {
        ext = m_data.frame.size();
        if (m_dc.mapMode >= MmLoMetric && m_dc.mapMode <= MmTwips)
            ext.setHeight(-ext.height());
    }
    if (ext.width() == 0 || ext.height() == 0)
        ext = m_data.frame.size();
    double sx = m_target.width() / ext.width();
    double sy = m_target.height() / ext.height();
    if (m_dc.mapMode == MmIsotropic) {
        const double s = std::min(std::abs(sx), std::abs(sy));
        sx = std::copysign(s, sx);
        sy = std::copysign(s, sy);
    }
    double anchorX = m_target.left();
    double anchorY = m_target.top();
    if (scalable && m_dc.viewportExt.width() < 0) {
        sx = -sx;
        anchorX = m_target.right();
    }
    if (scalable && m_dc.viewportExt.height() < 0) {
        sy = -sy;
        anchorY = m_target.bottom();
    }
    m_mapping = QTransform(sx, 0, 0, sy, anchorX - m_dc.windowOrg.x() * sx,
                           anchorY - m_dc.windowOrg.y() * sy);
}

void MetafilePlayer::applyClip()
{
    m_painter.restore();
    m_painter.save();
    if (m_dc.clipped) {
        m_painter.setTransform(m_base);
        m_painter.setClipPath(m_dc.clip, Qt::IntersectClip);
    }
}

void MetafilePlayer::setDrawingTransform()
{
    m_painter.setTransform(m_mapping * m_base);
}

bool MetafilePlayer::preparePen(const QRectF &bounds)
{
    const MetafileObject &pen = m_dc.pen;
    const int style = pen.style & PsStyleMask;
    if (style == PsNull || m_dc.rop2 == R2Nop) {
        m_painter.setPen(Qt::NoPen);
        return false;
    }
    QColor color = QColor::fromRgb(pen.color);
    if (m_dc.rop2 == R2Black)
        color = Qt::black;
    else if (m_dc.rop2 == R2White)
        color = Qt::white;
    QPen qpen(color);
    const QTransform full = m_mapping * m_base;
    const double scale = std::sqrt(std::abs(full.determinant()));
    const double width = std::abs(pen.width);
    qpen.setWidthF(width * scale < 1.0 ? 0.0 : width);
    // Dashes and dots belong to thin pens only, as in GDI; and a pattern repeated along
    // shapes far larger than any page would take seconds to draw.
    const QRectF device = full.mapRect(bounds);
    const bool dashed = width * scale <= 1.0 && device.width() + device.height() < MaxDashedExtent;
    switch (dashed ? style : int(PsSolid)) {
    case PsDash:
        qpen.setStyle(Qt::DashLine);
        break;
    case PsDot:
        qpen.setStyle(Qt::DotLine);
        break;
    case PsDashDot:
        qpen.setStyle(Qt::DashDotLine);
        break;
    case PsDashDotDot:
        qpen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        qpen.setStyle(Qt::SolidLine);
        break;
    }
    switch (pen.style & PsEndCapMask) {
    case PsEndCapSquare:
        qpen.setCapStyle(Qt::SquareCap);
        break;
    case PsEndCapFlat:
        qpen.setCapStyle(Qt::FlatCap);
        break;
    default:
        qpen.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (pen.style & PsJoinMask) {
    case PsJoinBevel:
        qpen.setJoinStyle(Qt::BevelJoin);
        break;
    case PsJoinMiter:
        qpen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        qpen.setJoinStyle(Qt::RoundJoin);
        break;
    }
    m_painter.setPen(qpen);
    return true;
}

bool MetafilePlayer::prepareBrush()
{
    const MetafileObject &brush = m_dc.brush;
    m_painter.setBackgroundMode(m_dc.bkMode == Opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(QColor::fromRgb(m_dc.bkColor));
    if (m_dc.rop2 == R2Nop) {
        m_painter.setBrush(Qt::NoBrush);
        return false;
    }
    QColor color = QColor::fromRgb(brush.color);
    if (m_dc.rop2 == R2Black)
        color = Qt::black;
    else if (m_dc.rop2 == R2White)
        color = Qt::white;
    switch (brush.style) {
    case BsSolid:
        m_painter.setBrush(color);
        return true;
    case BsHatched: {
        static constexpr Qt::BrushStyle hatches[]
            = { Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern };
        const int hatch = brush.hatch >= 0 && brush.hatch < 6 ? brush.hatch : 0;
        m_painter.setBrush(QBrush(color, hatches[hatch]));
        return true;
    }
    case BsPattern:
    case BsDibPattern:
    case BsDibPatternPt:
        if (!brush.pattern.isNull()) {
            // Patterns repeat in device pixels, whatever the mapping.
            QBrush textured(brush.pattern);
            const QTransform full = m_mapping * m_base;
            if (full.m11() != 0 && full.m22() != 0)
                textured.setTransform(
                    QTransform::fromScale(1.0 / std::abs(full.m11()), 1.0 / std::abs(full.m22())));
            m_painter.setBrush(textured);
            return true;
        }
        break;
    default:
        break;
    }
    m_painter.setBrush(Qt::NoBrush);
    return false;
}

bool MetafilePlayer::withinReach(const QRectF &logical) const
{
    // Shapes reaching far beyond the picture cost time in proportion to their size (curve
    // flattening, wide pens); no real picture draws them, so they are left out.
    const QRectF device = m_base.mapRect(m_target);
    const double margin = std::max(MinReach, 8 * std::max(device.width(), device.height()));
    const double penWidth = std::abs(m_dc.pen.width) * std::abs(m_mapping.m11())
        * std::sqrt(std::abs(m_base.determinant()));
    const QRectF reach = device.adjusted(-margin, -margin, margin, margin);
    const QRectF shape
        = (m_mapping * m_base).mapRect(logical).adjusted(-penWidth, -penWidth, penWidth, penWidth);
    // Compared edge by edge: QRectF::contains() refuses an empty rectangle, which would
    // drop every horizontal or vertical hairline.
    return shape.left() >= reach.left() && shape.right() <= reach.right()
        && shape.top() >= reach.top() && shape.bottom() <= reach.bottom();
}

void MetafilePlayer::drawShape(const QPainterPath &path, bool fill)
{
    if (!withinReach(path.controlPointRect()))
        return;
    setDrawingTransform();
    const bool pen = preparePen(path.controlPointRect());
    const bool brush = fill && prepareBrush();
    if (!fill)
        m_painter.setBrush(Qt::NoBrush);
    if (pen || brush)
        m_painter.drawPath(path);
}

int MetafilePlayer::addObject(MetafileObject object)
{
    int slot = -1;
    if (!m_freeSlots.empty()) {
        std::pop_heap(m_freeSlots.begin(), m_freeSlots.end(), std::greater<>());
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else if (m_nextSlot < m_slotLimit) {
        slot = m_nextSlot++;
        m_objects.resize(size_t(m_nextSlot));
    } else {
        return -1;
    }
    m_objects[size_t(slot)] = std::move(object);
    return slot;
}

void MetafilePlayer::selectObject(int index)
{
    if (index < 0 || size_t(index) >= m_objects.size())
        return;
    const MetafileObject &object = m_objects[size_t(index)];
    switch (object.kind) {
    case MetafileObject::Pen:
        m_dc.pen = object;
        break;
    case MetafileObject::Brush:
        m_dc.brush = object;
        break;
    case MetafileObject::Font:
        m_dc.font = object;
        break;
    case MetafileObject::Palette:
        m_dc.palette = object.palette;
        break;
    case MetafileObject::Region:
        m_dc.clip = m_mapping.map(object.region);
        m_dc.clipped = true;
        applyClip();
        break;
    case MetafileObject::Empty:
        break;
    }
}

void MetafilePlayer::deleteObject(int index)
{
    if (index < 0 || size_t(index) >= m_objects.size()
        || m_objects[size_t(index)].kind == MetafileObject::Empty)
        return;
    m_objects[size_t(index)] = MetafileObject();
    m_freeSlots.push_back(index);
    std::push_heap(m_freeSlots.begin(), m_freeSlots.end(), std::greater<>());
}

void MetafilePlayer::intersectClip(const QRectF &logical, bool exclude)
{
    QPainterPath rect;
    rect.addRect(m_mapping.mapRect(logical));
    if (!m_dc.clipped) {
        if (exclude) {
            QPainterPath everything;
            everything.addRect(m_mapping.mapRect(m_data.frame).united(m_target));
            m_dc.clip = everything.subtracted(rect);
        } else {
            m_dc.clip = rect;
        }
        m_dc.clipped = true;
    } else {
        if (m_dc.clip.elementCount() > MaxClipElements)
            return;
        m_dc.clip = exclude ? m_dc.clip.subtracted(rect) : m_dc.clip.intersected(rect);
    }
    applyClip();
}

QImage MetafilePlayer::bitmapFor(int index, qint64 dibOffset, int colorUsage, int maxRows) const
{
    if (colorUsage != DibPalColors)
        return m_data.bitmaps.value(index);
    if (dibOffset < 0 || dibOffset > m_data.bytes.size())
        return {};
    const qint64 end
        = m_data.records[size_t(index)].offset + 2 * m_data.records[size_t(index)].words;
    return MetafileDib::decode(QByteArrayView(m_data.bytes).sliced(dibOffset, end - dibOffset),
                               colorUsage, m_dc.palette, maxRows);
}

void MetafilePlayer::fillRect(const QRectF &logical, quint32 rop)
{
    if (logical.isEmpty())
        return;
    setDrawingTransform();
    const bool rasterOps = m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    switch (rop) {
    case Blackness:
        m_painter.fillRect(logical, Qt::black);
        break;
    case Whiteness:
        m_painter.fillRect(logical, Qt::white);
        break;
    case DstInvert:
        if (rasterOps) {
            m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            m_painter.fillRect(logical, Qt::black);
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        break;
    case PatInvert:
        if (rasterOps && prepareBrush()) {
            m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            m_painter.fillRect(logical, m_painter.brush());
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        break;
    default:
        if (prepareBrush())
            m_painter.fillRect(logical, m_painter.brush());
        break;
    }
}

void MetafilePlayer::drawBitmap(const QImage &bitmap, const QRectF &source, const QRectF &dest,
                                quint32 rop)
{
    if (bitmap.isNull() || dest.width() == 0 || dest.height() == 0)
        return;
    QRectF src = source.normalized().intersected(QRectF(bitmap.rect()));
    if (src.isEmpty())
        return;
    // A mapping that only scales is applied here, mirroring included, and the bitmap drawn
    // into its rectangle on the device with no transform: Qt's raster engine can read past
    // the end of an image that it scales through a mirroring transform.
    const QTransform full = m_mapping * m_base;
    const bool scaleOnly = full.type() <= QTransform::TxScale;
    const bool flipX = (dest.width() < 0) != (scaleOnly && full.m11() < 0);
    const bool flipY = (dest.height() < 0) != (scaleOnly && full.m22() < 0);
    QImage image = bitmap;
    if (flipX || flipY) {
        image = bitmap.mirrored(flipX, flipY);
        if (flipX)
            src.moveLeft(bitmap.width() - src.right());
        if (flipY)
            src.moveTop(bitmap.height() - src.bottom());
    }
    const QRectF target = scaleOnly ? full.mapRect(dest.normalized()) : dest.normalized();
    const bool rasterOps = m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
    case NotSrcCopy:
        image = image.convertToFormat(QImage::Format_RGB32);
        image.invertPixels();
        break;
    case SrcAnd:
        if (rasterOps)
            mode = QPainter::RasterOp_SourceAndDestination;
        else
            image = keyedOut(image, qRgb(255, 255, 255));
        break;
    case SrcPaint:
        if (rasterOps)
            mode = QPainter::RasterOp_SourceOrDestination;
        else
            image = keyedOut(image, qRgb(0, 0, 0));
        break;
    case SrcInvert:
        if (rasterOps)
            mode = QPainter::RasterOp_SourceXorDestination;
        else
            image = keyedOut(image, qRgb(0, 0, 0));
        break;
    case Blackness:
    case Whiteness:
    case PatCopy:
    case PatInvert:
    case DstInvert:
        fillRect(dest.normalized(), rop);
        return;
    default:
        break;
    }
    // Raster operations combine colours, not coverage: they need opaque source pixels.
    if (mode != QPainter::CompositionMode_SourceOver && image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_RGB32);
    m_painter.setTransform(scaleOnly ? QTransform() : full);
    // Halftone stretching smooths; the other modes pick whole pixels.
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, m_dc.stretchMode == 4);
    m_painter.setCompositionMode(mode);
    m_painter.drawImage(target, image, src);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QRawFont MetafilePlayer::rawFont(const MetafileObject &font) const
{
    // Callers pass the wanted pixel size in font.height.
    const QString key = font.face + QLatin1Char('/') + QString::number(font.height)
        + QLatin1Char('/') + QString::number(font.weight) + QLatin1Char('/')
        + QString::number(int(font.italic));
    auto found = m_data.fonts.constFind(key);
    if (found != m_data.fonts.constEnd())
        return *found;
    QFont qfont(font.face.isEmpty() ? QStringLiteral("Arial") : font.face);
    qfont.setPixelSize(font.height);
    qfont.setWeight(QFont::Weight(std::clamp(font.weight <= 0 ? 400 : font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(qfont);
    if (m_data.fonts.size() > 256)
        m_data.fonts.clear();
    m_data.fonts.insert(key, raw);
    return raw;
}

void MetafilePlayer::textOut(const QPointF &reference, const QByteArray &bytes, int options,
                             const QRectF &rect, const QList<int> &dx)
{
    const QString text = decodeText(bytes);
    const MetafileObject &font = m_dc.font;
    const QTransform full = m_mapping * m_base;
    const double sx = std::abs(m_mapping.m11());
    const double sy = std::abs(m_mapping.m22());
    const double deviceScale = std::sqrt(std::abs(m_base.determinant()));
    if (sx == 0 || sy == 0 || deviceScale == 0)
        return;

    // The font's em height in logical units: negative heights give it, positive ones give
    // the cell height (ascent plus descent), zero means a 12 point default.
    double em = std::abs(font.height);
    MetafileObject request = font;
    auto fontAt = [&](double emLogical) {
        request.height = std::clamp(int(std::lround(emLogical * sy * deviceScale)), 2, 2000);
        return rawFont(request);
    };
    if (font.height == 0)
        em = m_data.unitsPerInch * 12.0 / 72.0;
    QRawFont raw = fontAt(em);
    if (font.height > 0 && raw.isValid() && raw.ascent() + raw.descent() > 0) {
        em = font.height * raw.pixelSize() / (raw.ascent() + raw.descent());
        raw = fontAt(em);
    }
    if (!raw.isValid())
        return;
    // Target units per font pixel.
    const double k = em * sy / raw.pixelSize();
    double stretch = 1.0;
    if (font.width != 0 && raw.averageCharWidth() > 0)
        stretch = std::abs(font.width) * sx / (raw.averageCharWidth() * k);
    stretch = std::clamp(stretch, 0.05, 20.0);

    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const qsizetype n = glyphs.size();
    QList<double> advances(n);
    if (dx.size() >= n) {
        for (qsizetype i = 0; i < n; ++i)
            advances[i] = dx.at(i) * sx;
    } else {
        const QList<QPointF> natural = raw.advancesForGlyphIndexes(glyphs);
        for (qsizetype i = 0; i < n; ++i)
            advances[i] = (i < natural.size() ? natural.at(i).x() : 0.0) * k * stretch
                + m_dc.textCharExtra * sx;
    }
    double width = 0;
    for (double a : advances)
        width += a;

    const bool updateCp = m_dc.textAlign & TaUpdateCp;
    const QPointF logicalRef = updateCp ? m_dc.position : reference;
    const QPointF deviceRef = m_mapping.map(logicalRef);
    double x0 = 0;
    switch (m_dc.textAlign & TaHorizontalMask) {
    case TaRight:
        x0 = -width;
        break;
    case TaCenter:
        x0 = -width / 2;
        break;
    default:
        break;
    }
    const double ascent = raw.ascent() * k;
    const double descent = raw.descent() * k;
    double baseline = ascent;
    if ((m_dc.textAlign & TaVerticalMask) == TaBaseline)
        baseline = 0;
    else if ((m_dc.textAlign & TaVerticalMask) == TaBottom)
        baseline = -descent;

    if (updateCp) {
        double advance = width;
        if ((m_dc.textAlign & TaHorizontalMask) == TaRight)
            advance = -width;
        else if ((m_dc.textAlign & TaHorizontalMask) == TaCenter)
            advance = 0;
        m_dc.position.rx() += advance / m_mapping.m11();
    }

    m_painter.save();
    m_painter.setTransform(full);
    if ((options & EtoOpaque) && !rect.isEmpty())
        m_painter.fillRect(rect, QColor::fromRgb(m_dc.bkColor));
    if ((options & EtoClipped) && !rect.isEmpty())
        m_painter.setClipRect(rect, Qt::IntersectClip);

    const QTransform local = QTransform().rotate(-font.escapement / 10.0)
        * QTransform::fromTranslate(deviceRef.x(), deviceRef.y()) * m_base;
    if (m_dc.bkMode == Opaque && !(options & EtoOpaque)) {
        m_painter.setTransform(local);
        m_painter.fillRect(QRectF(x0, baseline - ascent, width, ascent + descent),
                           QColor::fromRgb(m_dc.bkColor));
    }
    const double fx = k * stretch;
    m_painter.setTransform(QTransform::fromScale(fx, k) * local);
    QList<QPointF> positions(n);
    double x = x0;
    for (qsizetype i = 0; i < n; ++i) {
        positions[i] = QPointF(x / fx, baseline / k);
        x += advances[i];
    }
    const QColor color = QColor::fromRgb(m_dc.textColor);
    if (font.escapement % 3600 == 0) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        m_painter.setPen(color);
        m_painter.drawGlyphRun(QPointF(0, 0), run);
    } else {
        // Rotated glyph runs are not reliably placed by the raster engine: fill outlines.
        QPainterPath outlines;
        outlines.setFillRule(Qt::WindingFill);
        for (qsizetype i = 0; i < n; ++i)
            outlines.addPath(raw.pathForGlyph(glyphs[i]).translated(positions[i]));
        m_painter.fillPath(outlines, color);
    }
    const double thickness = std::max(raw.lineThickness(), 1.0 / (k * deviceScale));
    if (font.underline)
        m_painter.fillRect(
            QRectF(x0 / fx, baseline / k + raw.underlinePosition(), width / fx, thickness), color);
    if (font.strikeOut)
        m_painter.fillRect(QRectF(x0 / fx, baseline / k - raw.xHeight() / 2, width / fx, thickness),
                           color);
    m_painter.restore();
}

void MetafilePlayer::playRecord(int index, const MetafileRecord &record)
{
    const Params p(m_data.bytes, record);
    const qint64 words = p.words();
    auto rectAt = [&](int i) { // bottom, right, top, left
        return rectFromLtrb(p.s(i + 3), p.s(i + 2), p.s(i + 1), p.s(i));
    };

    switch (record.function) {
    case SetWindowOrg:
        m_dc.windowOrg = QPointF(p.s(1), p.s(0));
        updateMapping();
        break;
    case SetWindowExt:
        if (p.s(0) != 0 && p.s(1) != 0) {
            m_dc.windowExt = QSizeF(p.s(1), p.s(0));
            updateMapping();
        }
        break;
    case OffsetWindowOrg:
        m_dc.windowOrg += QPointF(p.s(1), p.s(0));
        updateMapping();
        break;
    case ScaleWindowExt:
        if (p.s(0) != 0 && p.s(2) != 0 && p.s(1) != 0 && p.s(3) != 0) {
            m_dc.windowExt = QSizeF(m_dc.windowExt.width() * p.s(3) / p.s(2),
                                    m_dc.windowExt.height() * p.s(1) / p.s(0));
            updateMapping();
        }
        break;
    case SetViewportExt:
        if (p.s(0) != 0 && p.s(1) != 0) {
            m_dc.viewportExt = QSizeF(p.s(1), p.s(0));
            updateMapping();
        }
        break;
    case ScaleViewportExt:
        if (p.s(0) != 0 && p.s(2) != 0 && p.s(1) != 0 && p.s(3) != 0) {
            m_dc.viewportExt = QSizeF(m_dc.viewportExt.width() * p.s(3) / p.s(2),
                                      m_dc.viewportExt.height() * p.s(1) / p.s(0));
            updateMapping();
        }
        break;
    case SetMapMode:
        if (p.u(0) >= MmText && p.u(0) <= MmAnisotropic) {
            m_dc.mapMode = p.u(0);
            updateMapping();
        }
        break;
    case SaveDc:
        if (m_saved.size() < MaxSavedStates)
            m_saved.push_back(m_dc);
        break;
    case RestoreDc: {
        const int n = p.s(0);
        qint64 level = -1;
        if (n < 0)
            level = qint64(m_saved.size()) + n;
        else if (n > 0)
            level = n - 1;
        if (level < 0 || level >= qint64(m_saved.size()))
            break;
        m_dc = m_saved[size_t(level)];
        m_saved.resize(size_t(level));
        updateMapping();
        applyClip();
        break;
    }
    case SetBkMode:
        m_dc.bkMode = p.u(0) == Opaque ? Opaque : Transparent;
        break;
    case SetPolyFillMode:
        m_dc.polyFillMode = p.u(0) == Winding ? Winding : Alternate;
        break;
    case SetTextAlign:
        m_dc.textAlign = p.u(0);
        break;
    case SetRop2:
        m_dc.rop2 = p.u(0);
        break;
    case SetStretchBltMode:
        m_dc.stretchMode = p.u(0);
        break;
    case SetTextCharExtra:
        m_dc.textCharExtra = p.s(0);
        break;
    case SetBkColor:
        m_dc.bkColor = p.color(0);
        break;
    case SetTextColor:
        m_dc.textColor = p.color(0);
        break;

    case CreatePenIndirect: {
        MetafileObject pen;
        pen.kind = MetafileObject::Pen;
        pen.style = p.u(0);
        pen.width = p.s(1);
        pen.color = p.color(3);
        addObject(std::move(pen));
        break;
    }
    case CreateBrushIndirect: {
        MetafileObject brush;
        brush.kind = MetafileObject::Brush;
        brush.style = p.u(0);
        brush.color = p.color(1);
        brush.hatch = p.u(3);
        addObject(std::move(brush));
        break;
    }
    case DibCreatePatternBrush:
    case CreatePatternBrush: {
        MetafileObject brush;
        brush.kind = MetafileObject::Brush;
        brush.style = BsNull;
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        if (record.function == DibCreatePatternBrush
            && bitmapLocation(m_data.bytes, record, &offset, &usage, &rows)) {
            brush.pattern = bitmapFor(index, offset, usage);
            if (!brush.pattern.isNull())
                brush.style = BsDibPattern;
        }
        addObject(std::move(brush));
        break;
    }
    case CreateFontIndirect: {
        MetafileObject font;
        font.kind = MetafileObject::Font;
        font.height = p.s(0);
        font.width = p.s(1);
        font.escapement = p.s(2);
        font.weight = p.s(4);
        font.italic = p.byte(10) != 0;
        font.underline = p.byte(11) != 0;
        font.strikeOut = p.byte(12) != 0;
        QByteArray face;
        for (qint64 i = 18; i < 18 + FontFaceBytes && p.byte(i) != 0; ++i)
            face.append(char(p.byte(i)));
        font.face = decodeText(face);
        addObject(std::move(font));
        break;
    }
    case CreatePalette: {
        MetafileObject palette;
        palette.kind = MetafileObject::Palette;
        const qint64 count = std::min<qint64>(p.u(1), (words - 2) / 2);
        for (qint64 i = 0; i < count; ++i)
            palette.palette.append(qRgb(p.byte(4 + 4 * i), p.byte(5 + 4 * i), p.byte(6 + 4 * i)));
        addObject(std::move(palette));
        break;
    }
    case SetPalEntries: {
        const qint64 start = p.u(0);
        const qint64 count = std::min<qint64>(p.u(1), (words - 2) / 2);
        for (qint64 i = 0; i < count && start + i < m_dc.palette.size(); ++i)
            m_dc.palette[start + i] = qRgb(p.byte(4 + 4 * i), p.byte(5 + 4 * i), p.byte(6 + 4 * i));
        break;
    }
    case CreateRegion: {
        MetafileObject region;
        region.kind = MetafileObject::Region;
        region.region.setFillRule(Qt::WindingFill);
        const int scans = p.s(5);
        qint64 at = 22;
        for (int scan = 0; scan < scans; ++scan) {
            const qint64 count = p.u(at / 2);
            const qint64 size = 8 + 2 * count;
            if (count % 2 != 0 || p.bytes(at, size).isEmpty())
                break;
            const double top = p.s(at / 2 + 1);
            const double bottom = p.s(at / 2 + 2);
            for (qint64 i = 0; i < count / 2; ++i)
                region.region.addRect(
                    rectFromLtrb(p.s(at / 2 + 3 + 2 * i), top, p.s(at / 2 + 4 + 2 * i), bottom));
            at += size;
        }
        addObject(std::move(region));
        break;
    }
    case SelectObject:
    case SelectPalette:
        selectObject(p.u(0));
        break;
    case DeleteObject:
        deleteObject(p.u(0));
        break;
    case SelectClipRegion: {
        const int slot = p.u(0);
        if (slot < qint64(m_objects.size())
            && m_objects[size_t(slot)].kind == MetafileObject::Region) {
            selectObject(slot);
        } else {
            m_dc.clipped = false;
            m_dc.clip = QPainterPath();
            applyClip();
        }
        break;
    }
    case IntersectClipRect:
    case ExcludeClipRect:
        if (words >= 4)
            intersectClip(rectAt(0), record.function == ExcludeClipRect);
        break;
    case OffsetClipRgn:
        if (m_dc.clipped) {
            const QPointF delta = m_mapping.map(QPointF(p.s(1), p.s(0))) - m_mapping.map(QPointF());
            m_dc.clip.translate(delta);
            applyClip();
        }
        break;

    case MoveTo:
        m_dc.position = QPointF(p.s(1), p.s(0));
        break;
    case LineTo: {
        const QPointF to(p.s(1), p.s(0));
        QPainterPath path(m_dc.position);
        path.lineTo(to);
        drawShape(path, false);
        m_dc.position = to;
        break;
    }
    case Polyline:
    case Polygon: {
        const qint64 count = p.s(0);
        if (count < 1 || 1 + 2 * count > words)
            break;
        QPolygonF polygon;
        polygon.reserve(count);
        for (qint64 i = 0; i < count; ++i)
            polygon.append(QPointF(p.s(1 + 2 * i), p.s(2 + 2 * i)));
        if (!withinReach(polygon.boundingRect()))
            break;
        setDrawingTransform();
        const bool pen = preparePen(polygon.boundingRect());
        if (record.function == Polyline) {
            if (pen)
                m_painter.drawPolyline(polygon);
        } else {
            const bool brush = prepareBrush();
            if (pen || brush)
                m_painter.drawPolygon(
                    polygon, m_dc.polyFillMode == Winding ? Qt::WindingFill : Qt::OddEvenFill);
        }
        break;
    }
    case PolyPolygon: {
        const qint64 polygons = p.u(0);
        if (polygons < 1 || 1 + polygons > words)
            break;
        qint64 total = 0;
        for (qint64 i = 0; i < polygons; ++i)
            total += p.u(1 + i);
        if (1 + polygons + 2 * total > words)
            break;
        QPainterPath path;
        path.setFillRule(m_dc.polyFillMode == Winding ? Qt::WindingFill : Qt::OddEvenFill);
        qint64 at = 1 + polygons;
        for (qint64 i = 0; i < polygons; ++i) {
            const qint64 count = p.u(1 + i);
            QPolygonF polygon;
            polygon.reserve(count + 1);
            for (qint64 j = 0; j < count; ++j, at += 2)
                polygon.append(QPointF(p.s(at), p.s(at + 1)));
            if (!polygon.isEmpty()) {
                polygon.append(polygon.first());
                path.addPolygon(polygon);
                path.closeSubpath();
            }
        }
        drawShape(path, true);
        break;
    }
    case Rectangle:
        if (words >= 4) {
            // Backgrounds larger than the picture are common: cut them down to its reach.
            QRectF rect = rectAt(0);
            const double margin = std::abs(m_dc.pen.width) + 1;
            const QRectF reach
                = m_mapping.inverted()
                      .mapRect(m_target.adjusted(-m_target.width(), -m_target.height(),
                                                 m_target.width(), m_target.height()))
                      .adjusted(-margin, -margin, margin, margin);
            rect = rect.intersected(reach);
            QPainterPath path;
            path.addRect(rect);
            if (!rect.isEmpty())
                drawShape(path, true);
        }
        break;
    case RoundRect:
        if (words >= 6) {
            QPainterPath path;
            path.addRoundedRect(rectAt(2), std::abs(p.s(1)) / 2.0, std::abs(p.s(0)) / 2.0);
            drawShape(path, true);
        }
        break;
    case Ellipse:
        if (words >= 4) {
            QPainterPath path;
            path.addEllipse(rectAt(0));
            drawShape(path, true);
        }
        break;
    case Arc:
    case Pie:
    case Chord: {
        if (words < 8)
            break;
        const QRectF box = rectAt(4);
        if (box.isEmpty())
            break;
        const QPointF c = box.center();
        const double rx = box.width() / 2;
        const double ry = box.height() / 2;
        auto angleOf = [&](double x, double y) {
            return std::atan2(-(y - c.y()) / ry, (x - c.x()) / rx) * 180.0 / std::numbers::pi;
        };
        const double start = angleOf(p.s(3), p.s(2));
        const double end = angleOf(p.s(1), p.s(0));
        // Arcs run counter-clockwise as seen on the device; a mirrored mapping turns that
        // into clockwise in logical coordinates.
        double sweep = std::fmod(end - start + 720.0, 360.0);
        if (sweep <= 1e-9)
            sweep = 360.0;
        if (m_mapping.m11() * m_mapping.m22() < 0)
            sweep -= 360.0;
        QPainterPath path;
        if (record.function == Pie)
            path.moveTo(c);
        else
            path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        if (record.function != Arc)
            path.closeSubpath();
        drawShape(path, record.function != Arc);
        break;
    }
    case SetPixel:
        if (words >= 4) {
            setDrawingTransform();
            const QPointF at(p.s(3), p.s(2));
            const QPointF size
                = m_mapping.inverted().map(QPointF(1, 1)) - m_mapping.inverted().map(QPointF());
            m_painter.fillRect(QRectF(at, QSizeF(std::abs(size.x()), std::abs(size.y()))),
                               QColor::fromRgb(p.color(0)));
        }
        break;

    case TextOut: {
        const qint64 length = p.s(0);
        if (length < 0 || 1 + (length + 1) / 2 + 2 > words)
            break;
        const qint64 after = 1 + (length + 1) / 2;
        textOut(QPointF(p.s(after + 1), p.s(after)), p.bytes(2, length).toByteArray(), 0, QRectF(),
                {});
        break;
    }
    case ExtTextOut: {
        const qint64 length = p.s(2);
        const int options = p.u(3);
        qint64 at = 4;
        QRectF rect;
        if (options & (EtoOpaque | EtoClipped)) {
            rect = rectFromLtrb(p.s(4), p.s(5), p.s(6), p.s(7));
            at = 8;
        }
        if (length < 0 || at + (length + 1) / 2 > words)
            break;
        const QByteArray text = p.bytes(2 * at, length).toByteArray();
        at += (length + 1) / 2;
        QList<int> dx;
        if (words - at >= length) {
            dx.reserve(length);
            for (qint64 i = 0; i < length; ++i)
                dx.append(p.s(at + i));
        }
        textOut(QPointF(p.s(1), p.s(0)), text, options, rect, dx);
        break;
    }

    case PatBlt:
        if (words >= 6)
            fillRect(QRectF(p.s(5), p.s(4), p.s(3), p.s(2)).normalized(), p.u32(0));
        break;
    case StretchDib: {
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        if (!bitmapLocation(m_data.bytes, record, &offset, &usage, &rows))
            break;
        const QImage image = bitmapFor(index, offset, usage);
        if (image.isNull())
            break;
        const double srcH = p.s(3);
        const double ySrc = image.height() - p.s(5) - srcH; // from the bottom row
        drawBitmap(image, QRectF(p.s(6), ySrc, p.s(4), srcH),
                   QRectF(p.s(10), p.s(9), p.s(8), p.s(7)), p.u32(0));
        break;
    }
    case DibStretchBlt: {
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        if (!bitmapLocation(m_data.bytes, record, &offset, &usage, &rows)) {
            if (words >= 11)
                fillRect(QRectF(p.s(10), p.s(9), p.s(8), p.s(7)).normalized(), p.u32(0));
            break;
        }
        drawBitmap(bitmapFor(index, offset, usage), QRectF(p.s(5), p.s(4), p.s(3), p.s(2)),
                   QRectF(p.s(9), p.s(8), p.s(7), p.s(6)), p.u32(0));
        break;
    }
    case DibBitBlt: {
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        if (!bitmapLocation(m_data.bytes, record, &offset, &usage, &rows)) {
            if (words >= 9)
                fillRect(QRectF(p.s(8), p.s(7), p.s(6), p.s(5)).normalized(), p.u32(0));
            break;
        }
        const double w = p.s(5);
        const double h = p.s(4);
        drawBitmap(bitmapFor(index, offset, usage), QRectF(p.s(3), p.s(2), w, h),
                   QRectF(p.s(7), p.s(6), w, h), p.u32(0));
        break;
    }
    case SetDibToDev: {
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        if (!bitmapLocation(m_data.bytes, record, &offset, &usage, &rows))
            break;
        const QImage image = bitmapFor(index, offset, usage, rows);
        if (image.isNull())
            break;
        const double w = p.u(6);
        const double h = p.u(5);
        const double ySrc = image.height() - p.u(3) - h;
        drawBitmap(image, QRectF(p.u(4), ySrc, w, h), QRectF(p.s(8), p.s(7), w, h), SrcCopy);
        break;
    }
    default:
        // Escapes, palette realisation, mapper flags and records without a visible effect.
        break;
    }
}
