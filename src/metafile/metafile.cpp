#include "metafile.h"

#include "metafiledib.h"
#include "metafileplayer.h"
#include "metafilerecords.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <algorithm>

using namespace MetafileRecords;

namespace {

// Files bigger than this are not page pictures; refusing them bounds the memory a bad file
// can take.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

quint16 u16At(const QByteArray &bytes, qint64 offset)
{
    return offset + 2 <= bytes.size() ? qFromLittleEndian<quint16>(bytes.constData() + offset) : 0;
}

qint16 s16At(const QByteArray &bytes, qint64 offset)
{
    return qint16(u16At(bytes, offset));
}

quint32 u32At(const QByteArray &bytes, qint64 offset)
{
    return offset + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + offset) : 0;
}

// Logical units per inch of the fixed map modes, for files without a placeable header.
double unitsPerInchOf(int mapMode)
{
    switch (mapMode) {
    case MmLoMetric:
        return 254.0;
    case MmHiMetric:
        return 2540.0;
    case MmLoEnglish:
        return 100.0;
    case MmHiEnglish:
        return 1000.0;
    case MmTwips:
        return 1440.0;
    case MmText:
        return 96.0;
    default:
        // Scalable modes carry no unit; page pictures are drawn in twips.
        return 1440.0;
    }
}

bool isDrawing(quint16 function)
{
    static constexpr quint16 drawing[]
        = { LineTo,  Polyline,   Polygon,       PolyPolygon, Rectangle,   RoundRect,
            Ellipse, Arc,        Pie,           Chord,       TextOut,     ExtTextOut,
            PatBlt,  StretchDib, DibStretchBlt, DibBitBlt,   SetDibToDev, SetPixel };
    return std::find(std::begin(drawing), std::end(drawing), function) != std::end(drawing);
}

std::shared_ptr<MetafileData> parse(const QByteArray &bytes)
{
    if (bytes.size() > MaxFileBytes)
        return {};
    auto data = std::make_shared<MetafileData>();
    data->bytes = bytes;

    qint64 pos = 0;
    bool placeable = false;
    if (u32At(bytes, 0) == PlaceableKey) {
        if (bytes.size() < PlaceableHeaderBytes)
            return {};
        placeable = true;
        const QRectF box = QRectF(QPointF(s16At(bytes, 6), s16At(bytes, 8)),
                                  QPointF(s16At(bytes, 10), s16At(bytes, 12)))
                               .normalized();
        const int inch = u16At(bytes, 14);
        if (box.isEmpty() || inch == 0) {
            placeable = false;
        } else {
            data->frame = box;
            data->unitsPerInch = inch;
            data->sizeTwips = box.size() * (1440.0 / inch);
        }
        pos = PlaceableHeaderBytes;
    }

    const quint16 type = u16At(bytes, pos);
    const quint16 headerWords = u16At(bytes, pos + 2);
    if (bytes.size() < pos + StandardHeaderBytes || (type != 1 && type != 2) || headerWords != 9)
        return {};
    data->objectCount = u16At(bytes, pos + 10);
    pos += StandardHeaderBytes;

    // A record whose size is impossible ends the picture: what came before still plays.
    data->records.reserve(size_t((bytes.size() - pos) / 16));
    while (pos + 6 <= bytes.size()) {
        const qint64 words = u32At(bytes, pos);
        const quint16 function = u16At(bytes, pos + 4);
        if (words < 3 || words > (bytes.size() - pos) / 2)
            break;
        if (function == Eof)
            break;
        data->records.push_back({ pos + 6, words - 3, function });
        pos += 2 * words;
    }

    if (!placeable) {
        // Without the placeable header the picture's frame is its window, as set before the
        // first drawing.
        int mapMode = MmText;
        QPointF org;
        QSizeF ext;
        for (const MetafileRecord &r : data->records) {
            if (r.function == SetMapMode && r.words >= 1)
                mapMode = u16At(bytes, r.offset);
            else if (r.function == SetWindowOrg && r.words >= 2)
                org = QPointF(s16At(bytes, r.offset + 2), s16At(bytes, r.offset));
            else if (r.function == SetWindowExt && r.words >= 2)
                ext = QSizeF(s16At(bytes, r.offset + 2), s16At(bytes, r.offset));
            else if (isDrawing(r.function))
                break;
        }
        if (ext.width() == 0 || ext.height() == 0)
            return {};
        data->frame = QRectF(org, ext).normalized();
        data->unitsPerInch = int(unitsPerInchOf(mapMode));
        data->sizeTwips = data->frame.size() * (1440.0 / unitsPerInchOf(mapMode));
    }

    for (size_t i = 0; i < data->records.size(); ++i) {
        qint64 offset = 0;
        int usage = 0;
        int rows = 0;
        const MetafileRecord &r = data->records[i];
        if (MetafilePlayer::bitmapLocation(bytes, r, &offset, &usage, &rows)
            && usage != DibPalColors) {
            const qint64 end = r.offset + 2 * r.words;
            const QImage image = MetafileDib::decode(
                QByteArrayView(bytes).sliced(offset, end - offset), usage, {}, rows);
            if (!image.isNull())
                data->bitmaps.insert(int(i), image);
        }
    }
    return data;
}

} // namespace

Metafile::Metafile() = default;
Metafile::~Metafile() = default;
Metafile::Metafile(const Metafile &) = default;
Metafile &Metafile::operator=(const Metafile &) = default;

Metafile Metafile::fromData(const QByteArray &data)
{
    Metafile metafile;
    metafile.d = parse(data);
    return metafile;
}

Metafile Metafile::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    return fromData(file.readAll());
}

bool Metafile::isValid() const
{
    return d != nullptr;
}

QSizeF Metafile::naturalSizeTwips() const
{
    return d ? d->sizeTwips : QSizeF();
}

int Metafile::recordCount() const
{
    return d ? int(d->records.size()) : 0;
}

void Metafile::play(QPainter &painter, const QRectF &target) const
{
    if (!d || !painter.isActive())
        return;
    MetafilePlayer player(*d, painter, target);
    player.play();
}
