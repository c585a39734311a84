#include "metafiledib.h"

#include "metafilerecords.h"

#include <QtEndian>
#include <algorithm>
#include <bit>

using namespace MetafileRecords;

namespace {

struct ByteReader
{
    QByteArrayView bytes;

    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset + count <= bytes.size();
    }
    quint16 u16(qint64 offset) const
    {
        return has(offset, 2) ? qFromLittleEndian<quint16>(bytes.data() + offset) : 0;
    }
    quint32 u32(qint64 offset) const
    {
        return has(offset, 4) ? qFromLittleEndian<quint32>(bytes.data() + offset) : 0;
    }
    const uchar *at(qint64 offset) const
    {
        return reinterpret_cast<const uchar *>(bytes.data()) + offset;
    }
};

struct Mask
{
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Mask(quint32 m)
        : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::popcount(m >> shift);
        }
    }
    int extract(quint32 value) const
    {
        if (bits == 0)
            return 0;
        const quint32 v = (value & mask) >> shift;
        if (bits >= 8)
            return int(v >> (bits - 8));
        const quint32 maxValue = (1u << bits) - 1;
        return int((v * 255 + maxValue / 2) / maxValue);
    }
};

// Expands RLE4/RLE8 data into one palette index per pixel, bottom-up rows. Pixels the runs
// never reach stay at index 0.
bool decodeRle(const ByteReader &in, qint64 offset, int bpp, int width, int height,
               std::vector<uchar> &indexes)
{
    indexes.assign(size_t(width) * size_t(height), 0);
    qint64 x = 0;
    qint64 y = 0;
    qint64 p = offset;
    auto put = [&](int value) {
        if (x < width && y < height)
            indexes[size_t(y) * size_t(width) + size_t(x)] = uchar(value);
        ++x;
    };
    while (in.has(p, 2)) {
        const int count = *in.at(p);
        const int value = *in.at(p + 1);
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(bpp == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (!in.has(p, 2))
                return false;
            x += *in.at(p);
            y += *in.at(p + 1);
            p += 2;
        } else {
            const int literalBytes = bpp == 8 ? value : (value + 1) / 2;
            if (!in.has(p, literalBytes))
                return false;
            for (int i = 0; i < value; ++i) {
                const int byte = *in.at(p + (bpp == 8 ? i : i / 2));
                put(bpp == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F));
            }
            p += (literalBytes + 1) & ~1;
        }
        if (y >= height)
            return true;
    }
    return true;
}

} // namespace

QImage MetafileDib::decode(QByteArrayView bytes, int colorUsage, const QList<QRgb> &logicalPalette,
                           int maxRows)
{
    const ByteReader in { bytes };
    const quint32 headerSize = in.u32(0);
    if (headerSize < 12 || !in.has(0, headerSize))
        return {};

    qint64 width = 0;
    qint64 height = 0;
    int bpp = 0;
    quint32 compression = BiRgb;
    quint32 colorsUsed = 0;
    quint32 imageSize = 0;
    int entrySize = 4;
    bool core = headerSize < 40;
    if (core) {
        if (headerSize != 12)
            return {};
        width = in.u16(4);
        height = in.u16(6);
        bpp = in.u16(10);
        entrySize = 3;
    } else {
        width = qint32(in.u32(4));
        height = qint32(in.u32(8));
        bpp = in.u16(14);
        compression = in.u32(16);
        imageSize = in.u32(20);
        colorsUsed = in.u32(32);
    }
    const bool topDown = height < 0;
    height = qAbs(height);
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || width * height > MaxPixels)
        return {};

    qint64 offset = headerSize;
    quint32 masks[4] = { 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0 };
    if (compression == BiBitfields) {
        if (bpp != 16 && bpp != 32)
            return {};
        if (headerSize >= 52) {
            for (int i = 0; i < 3; ++i)
                masks[i] = in.u32(40 + 4 * i);
            if (headerSize >= 56)
                masks[3] = in.u32(52);
        } else {
            if (!in.has(offset, 12))
                return {};
            for (int i = 0; i < 3; ++i)
                masks[i] = in.u32(offset + 4 * i);
            offset += 12;
        }
    } else if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }

    if (compression == BiJpeg || compression == BiPng) {
        qint64 length = bytes.size() - offset;
        if (imageSize > 0)
            length = std::min<qint64>(length, imageSize);
        if (length <= 0)
            return {};
        // Only the decoder the header names: guessing would hand the bytes to every image
        // reader Qt has, text formats and rarely used ones included.
        QImage image
            = QImage::fromData(bytes.sliced(offset, length), compression == BiPng ? "PNG" : "JPEG");
        if (image.isNull() || qint64(image.width()) * image.height() > MaxPixels)
            return {};
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
    }

    // Colour table.
    QList<QRgb> colors;
    if (bpp <= 8) {
        if (bpp != 1 && bpp != 4 && bpp != 8)
            return {};
        const qint64 maxEntries = qint64(1) << bpp;
        qint64 entries = colorsUsed == 0 ? maxEntries : qint64(colorsUsed);
        if (entries > 256 * 256)
            return {};
        const int size = colorUsage == DibPalColors ? 2 : entrySize;
        if (!in.has(offset, entries * size))
            return {};
        colors.reserve(maxEntries);
        for (qint64 i = 0; i < std::min(entries, maxEntries); ++i) {
            if (colorUsage == DibPalColors) {
                const int index = in.u16(offset + 2 * i);
                colors.append(index < logicalPalette.size() ? logicalPalette.at(index)
                                                            : qRgb(0, 0, 0));
            } else {
                const uchar *e = in.at(offset + entrySize * i);
                colors.append(qRgb(e[2], e[1], e[0]));
            }
        }
        while (colors.size() < maxEntries)
            colors.append(qRgb(0, 0, 0));
        offset += entries * size;
    } else {
        if (bpp != 16 && bpp != 24 && bpp != 32)
            return {};
        if (!core && colorsUsed > 0 && colorsUsed <= 65536
            && in.has(offset, qint64(colorsUsed) * 4))
            offset += qint64(colorsUsed) * 4;
    }

    const qint64 rowsInData = maxRows > 0 ? std::min<qint64>(height, maxRows) : height;
    QImage image;

    if (compression == BiRle8 || compression == BiRle4) {
        if ((compression == BiRle8 && bpp != 8) || (compression == BiRle4 && bpp != 4))
            return {};
        // Runs compress at most 255 pixels into two bytes; refuse sizes no data could fill.
        if (width * height > std::max<qint64>(qint64(1) << 22, (bytes.size() - offset) * 128))
            return {};
        std::vector<uchar> indexes;
        if (!decodeRle(in, offset, bpp, int(width), int(height), indexes))
            return {};
        image = QImage(int(width), int(height), QImage::Format_RGB32);
        if (image.isNull())
            return {};
        for (qint64 y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(int(height - 1 - y)));
            const uchar *src = indexes.data() + size_t(y) * size_t(width);
            for (qint64 x = 0; x < width; ++x)
                line[x] = colors.at(src[x]);
        }
        return image;
    }
    if (compression != BiRgb && compression != BiBitfields)
        return {};

    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    if (!in.has(offset, stride * rowsInData))
        return {};

    const Mask red(masks[0]);
    const Mask green(masks[1]);
    const Mask blue(masks[2]);
    const Mask alpha(masks[3]);
    bool anyAlpha = false;
    image = QImage(int(width), int(rowsInData), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (qint64 row = 0; row < rowsInData; ++row) {
        const uchar *src = in.at(offset + row * stride);
        const int y = int(topDown ? row : rowsInData - 1 - row);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        switch (bpp) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / bpp;
            const int valueMask = (1 << bpp) - 1;
            for (qint64 x = 0; x < width; ++x) {
                const int shift = 8 - bpp * (int(x % perByte) + 1);
                line[x] = colors.at((src[x / perByte] >> shift) & valueMask);
            }
            break;
        }
        case 16:
        case 32:
            for (qint64 x = 0; x < width; ++x) {
                const quint32 v = bpp == 16 ? qFromLittleEndian<quint16>(src + 2 * x)
                                            : qFromLittleEndian<quint32>(src + 4 * x);
                int a = 255;
                if (bpp == 32 && compression == BiRgb) {
                    a = int(v >> 24);
                } else if (alpha.bits > 0) {
                    a = alpha.extract(v);
                }
                anyAlpha = anyAlpha || a != 0;
                line[x] = qRgba(red.extract(v), green.extract(v), blue.extract(v), a);
            }
            break;
        case 24:
            for (qint64 x = 0; x < width; ++x)
                line[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        }
    }
    // A 32-bit DIB whose alpha bytes are all zero is opaque: most producers leave them unset.
    if (bpp == 32 && compression == BiRgb && !anyAlpha)
        return image.convertToFormat(QImage::Format_RGB32);
    if (bpp == 32 && compression == BiRgb)
        return image;
    if (bpp == 16 || bpp == 32) {
        if (alpha.bits == 0 || !anyAlpha)
            return image.convertToFormat(QImage::Format_RGB32);
        return image;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QByteArray MetafileDib::encode(const QImage &source)
{
    if (source.isNull())
        return {};
    const bool alpha = source.hasAlphaChannel();
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    bool transparent = false;
    if (alpha) {
        for (int y = 0; y < image.height() && !transparent; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) != 255) {
                    transparent = true;
                    break;
                }
            }
        }
    }
    const int bpp = transparent ? 32 : 24;
    const qint64 stride = ((qint64(image.width()) * bpp + 31) / 32) * 4;
    QByteArray out(40 + stride * image.height(), '\0');
    uchar *p = reinterpret_cast<uchar *>(out.data());
    qToLittleEndian<quint32>(40, p);
    qToLittleEndian<qint32>(image.width(), p + 4);
    qToLittleEndian<qint32>(image.height(), p + 8);
    qToLittleEndian<quint16>(1, p + 12);
    qToLittleEndian<quint16>(quint16(bpp), p + 14);
    qToLittleEndian<quint32>(BiRgb, p + 16);
    qToLittleEndian<quint32>(quint32(stride * image.height()), p + 20);
    qToLittleEndian<qint32>(3780, p + 24);
    qToLittleEndian<qint32>(3780, p + 28);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *dst = p + 40 + stride * (image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            *dst++ = uchar(qBlue(c));
            *dst++ = uchar(qGreen(c));
            *dst++ = uchar(qRed(c));
            if (bpp == 32)
                *dst++ = uchar(qAlpha(c));
        }
    }
    return out;
}
