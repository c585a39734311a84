#pragma once

// Builds small Windows metafiles record by record for the player's tests.

#include "metafilerecords.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QtEndian>

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
    MetafileBuilder &select(int slot) { return record(MetafileRecords::SelectObject, { slot }); }
    MetafileBuilder &rectangle(int left, int top, int right, int bottom)
    {
        return record(MetafileRecords::Rectangle, { bottom, right, top, left });
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

private:
    QByteArray m_records;
};
