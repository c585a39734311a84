#pragma once

// Builds small Windows metafiles record by record for the metafile tests, fuzz seeds and
// benchmarks.

#include "metafilerecords.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QtEndian>
#include <functional>
#include <initializer_list>

class MetafileBuilder
{
public:
    static void put16(QByteArray &out, int v)
    {
        const quint16 le = qToLittleEndian(quint16(v));
        out.append(reinterpret_cast<const char *>(&le), 2);
    }
    static void put32(QByteArray &out, quint32 v)
    {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    }
    static QByteArray words(std::initializer_list<int> list)
    {
        QByteArray out;
        for (int w : list)
            put16(out, w);
        return out;
    }
    // A COLORREF as the two parameter words it takes in a record.
    static QList<int> color(QRgb c) { return { qRed(c) | (qGreen(c) << 8), qBlue(c) }; }

    MetafileBuilder &record(quint16 function, const QList<int> &words)
    {
        QByteArray params;
        for (int w : words)
            put16(params, w);
        return raw(function, params);
    }
    MetafileBuilder &raw(quint16 function, QByteArray params)
    {
        if (params.size() % 2)
            params.append('\0');
        put32(m_records, quint32(3 + params.size() / 2));
        put16(m_records, function);
        m_records.append(params);
        return *this;
    }

    // Common records, with their parameters in file order spelled out once here.
    MetafileBuilder &anisotropic(int width, int height, int orgX = 0, int orgY = 0)
    {
        record(MetafileRecords::SetMapMode, { MetafileRecords::MmAnisotropic });
        record(MetafileRecords::SetWindowOrg, { orgY, orgX });
        return record(MetafileRecords::SetWindowExt, { height, width });
    }
    MetafileBuilder &brush(int style, QRgb c, int hatch = 0)
    {
        const QList<int> col = color(c);
        return record(MetafileRecords::CreateBrushIndirect, { style, col[0], col[1], hatch });
    }
    MetafileBuilder &pen(int style, int width, QRgb c)
    {
        const QList<int> col = color(c);
        return record(MetafileRecords::CreatePenIndirect, { style, width, 0, col[0], col[1] });
    }
    MetafileBuilder &font(int height, const QByteArray &face, int weight = 400, int escapement = 0,
                          bool italic = false, bool underline = false)
    {
        QByteArray params;
        put16(params, height);
        put16(params, 0);
        put16(params, escapement);
        put16(params, escapement);
        put16(params, weight);
        params.append(char(italic));
        params.append(char(underline));
        params.append(QByteArray(6, '\0'));
        params.append(face.left(31));
        params.append(QByteArray(32 - std::min<qsizetype>(face.size(), 31), '\0'));
        return raw(MetafileRecords::CreateFontIndirect, params);
    }
    MetafileBuilder &select(int slot) { return record(MetafileRecords::SelectObject, { slot }); }
    MetafileBuilder &rectangle(int left, int top, int right, int bottom)
    {
        return record(MetafileRecords::Rectangle, { bottom, right, top, left });
    }
    MetafileBuilder &textOut(int x, int y, const QByteArray &text)
    {
        QByteArray params;
        put16(params, int(text.size()));
        params.append(text);
        if (params.size() % 2)
            params.append('\0');
        put16(params, y);
        put16(params, x);
        return raw(MetafileRecords::TextOut, params);
    }
    MetafileBuilder &extTextOut(int x, int y, const QByteArray &text, const QList<int> &dx = {},
                                int options = 0, QRect rect = {})
    {
        QByteArray params;
        put16(params, y);
        put16(params, x);
        put16(params, int(text.size()));
        put16(params, options);
        if (options & (MetafileRecords::EtoOpaque | MetafileRecords::EtoClipped)) {
            put16(params, rect.left());
            put16(params, rect.top());
            put16(params, rect.right() + 1);
            put16(params, rect.bottom() + 1);
        }
        params.append(text);
        if (params.size() % 2)
            params.append('\0');
        for (int d : dx)
            put16(params, d);
        return raw(MetafileRecords::ExtTextOut, params);
    }
    MetafileBuilder &polygon(quint16 function, const QList<QPoint> &points)
    {
        QList<int> words { int(points.size()) };
        for (QPoint p : points)
            words << p.x() << p.y();
        return record(function, words);
    }
    MetafileBuilder &polyPolygon(const QList<QList<QPoint>> &polygons)
    {
        QList<int> words { int(polygons.size()) };
        for (const auto &polygon : polygons)
            words << int(polygon.size());
        for (const auto &polygon : polygons)
            for (QPoint p : polygon)
                words << p.x() << p.y();
        return record(MetafileRecords::PolyPolygon, words);
    }
    MetafileBuilder &stretchDib(QRect dest, const QByteArray &dib, int srcWidth, int srcHeight,
                                quint32 rop = MetafileRecords::SrcCopy, int usage = 0)
    {
        QByteArray params;
        put32(params, rop);
        put16(params, usage);
        put16(params, srcHeight);
        put16(params, srcWidth);
        put16(params, 0);
        put16(params, 0);
        put16(params, dest.height());
        put16(params, dest.width());
        put16(params, dest.top());
        put16(params, dest.left());
        params.append(dib);
        return raw(MetafileRecords::StretchDib, params);
    }

    // The whole file; with placeable set, a placeable header with this box and unit.
    QByteArray build(QRect box = QRect(0, 0, 1000, 1000), int inch = 1440, bool placeable = true,
                     int objects = 16) const
    {
        QByteArray out;
        if (placeable) {
            put32(out, MetafileRecords::PlaceableKey);
            put16(out, 0);
            put16(out, box.left());
            put16(out, box.top());
            put16(out, box.left() + box.width());
            put16(out, box.top() + box.height());
            put16(out, inch);
            put32(out, 0);
            quint16 sum = 0;
            for (int i = 0; i < 10; ++i)
                sum ^= qFromLittleEndian<quint16>(out.constData() + 2 * i);
            put16(out, sum);
        }
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, quint32(9 + m_records.size() / 2 + 3));
        put16(out, objects);
        put32(out, 0);
        put16(out, 0);
        out.append(m_records);
        put32(out, 3);
        put16(out, 0);
        return out;
    }

    // A bottom-up BI_RGB DIB. For 1, 4 and 8 bits the pixel function gives palette indexes,
    // otherwise RGB values.
    static QByteArray dib(int bpp, int width, int height, const QList<QRgb> &palette,
                          const std::function<quint32(int x, int y)> &pixel)
    {
        QByteArray out;
        put32(out, 40);
        put32(out, quint32(width));
        put32(out, quint32(height));
        put16(out, 1);
        put16(out, bpp);
        put32(out, 0);
        put32(out, 0);
        put32(out, 0);
        put32(out, 0);
        put32(out, quint32(palette.size()));
        put32(out, 0);
        for (QRgb c : palette) {
            out.append(char(qBlue(c)));
            out.append(char(qGreen(c)));
            out.append(char(qRed(c)));
            out.append('\0');
        }
        const int stride = ((width * bpp + 31) / 32) * 4;
        for (int row = height - 1; row >= 0; --row) {
            QByteArray line(stride, '\0');
            for (int x = 0; x < width; ++x) {
                const quint32 v = pixel(x, row);
                if (bpp <= 8) {
                    const int perByte = 8 / bpp;
                    const int shift = 8 - bpp * (x % perByte + 1);
                    line[x / perByte] = char(line[x / perByte] | (v << shift));
                } else {
                    const int bytes = bpp / 8;
                    line[x * bytes] = char(qBlue(v));
                    line[x * bytes + 1] = char(qGreen(v));
                    line[x * bytes + 2] = char(qRed(v));
                    if (bytes == 4)
                        line[x * bytes + 3] = char(qAlpha(v));
                }
            }
            out.append(line);
        }
        return out;
    }

private:
    QByteArray m_records;
};
