#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>
#include <QTransform>
#include <vector>

class QPainter;

struct MetafileRecord
{
    qint64 offset = 0; // of the record's first parameter
    qint64 words = 0; // parameter words
    quint16 function = 0;
};

// A parsed metafile: the raw bytes, the checked record table and the picture frame.
struct MetafileData
{
    QByteArray bytes;
    std::vector<MetafileRecord> records;
    // The picture's bounding box in logical units: the placeable header's box, or the window.
    QRectF frame;
    int unitsPerInch = 1440;
    QSizeF sizeTwips;
    int objectCount = 0;
    // Bitmaps with their own colours, decoded once at load, by record index.
    QHash<int, QImage> bitmaps;
    // Fonts resolved while playing, by description; kept for the next play.
    mutable QHash<QString, QRawFont> fonts;
};

// One object of the metafile's object table. Only the fields of its kind are used.
struct MetafileObject
{
    enum Kind { Empty, Pen, Brush, Font, Palette, Region };
    Kind kind = Empty;
    QRgb color = qRgb(0, 0, 0);
    int style = 0;
    int width = 0;
    int hatch = 0;
    QImage pattern;
    int height = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
    QList<QRgb> palette;
    QPainterPath region;
};

// Plays the records of one metafile onto a painter. Keeps the device context (mapping,
// selected objects, colours, modes, clipping) and the object table while it runs.
class MetafilePlayer final
{
public:
    MetafilePlayer(const MetafileData &data, QPainter &painter, const QRectF &target);
    void play();

    // Where a record's bitmap starts (byte offset into the file), its colour usage and the
    // scan lines it holds (0 = all). False for records without a bitmap.
    static bool bitmapLocation(const QByteArray &bytes, const MetafileRecord &record,
                               qint64 *offset, int *colorUsage, int *maxRows);

private:
    struct DcState
    {
        MetafileObject pen;
        MetafileObject brush;
        MetafileObject font;
        QList<QRgb> palette;
        QRgb textColor = qRgb(0, 0, 0);
        QRgb bkColor = qRgb(255, 255, 255);
        int bkMode = 2;
        int polyFillMode = 1;
        int textAlign = 0;
        int rop2 = 13;
        int textCharExtra = 0;
        int stretchMode = 1;
        int mapMode = 1;
        QPointF windowOrg;
        QSizeF windowExt;
        QSizeF viewportExt { 1, 1 };
        QPointF position;
        bool clipped = false;
        QPainterPath clip; // in target coordinates
    };

    class Params;

    void playRecord(int index, const MetafileRecord &record);
    void updateMapping();
    void applyClip();
    void setDrawingTransform();
    bool preparePen(const QRectF &bounds);
    bool prepareBrush();
    bool withinReach(const QRectF &logical) const;
    void drawShape(const QPainterPath &path, bool fill);

    int addObject(MetafileObject object);
    void selectObject(int index);
    void deleteObject(int index);

    void intersectClip(const QRectF &logical, bool exclude);
    void textOut(const QPointF &reference, const QByteArray &text, int options, const QRectF &rect,
                 const QList<int> &dx);
    QRawFont rawFont(const MetafileObject &font) const;
    void drawBitmap(const QImage &image, const QRectF &source, const QRectF &dest, quint32 rop);
    void fillRect(const QRectF &logical, quint32 rop);
    QImage bitmapFor(int index, qint64 dibOffset, int colorUsage, int maxRows = 0) const;

    const MetafileData &m_data;
    QPainter &m_painter;
    QRectF m_target;
    QTransform m_base;
    QTransform m_mapping;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<MetafileObject> m_objects;
    std::vector<int> m_freeSlots; // a min-heap: new objects take the lowest free slot
    int m_nextSlot = 0;
    int m_slotLimit = 0;
};
