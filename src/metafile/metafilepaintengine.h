#pragma once

#include <QByteArray>
#include <QFont>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QRectF>
#include <QTransform>
#include <map>
#include <vector>

// The paint engine behind MetafileWriter: turns painter calls into metafile records.
class MetafilePaintEngine final : public QPaintEngine
{
public:
    MetafilePaintEngine(QSize sizeUnits, int unitsPerInch);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    void drawPath(const QPainterPath &path) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawRects(const QRectF *rects, int rectCount) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawEllipse(const QRectF &rect) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    Type type() const override { return User; }

    // The whole file: placeable header, standard header, records and the end record.
    QByteArray fileData() const;

private:
    struct PenKey
    {
        int style = 0;
        int width = 0;
        QRgb color = 0;
        bool operator==(const PenKey &) const = default;
    };
    struct BrushKey
    {
        int style = 0;
        QRgb color = 0;
        int hatch = 0;
        bool operator==(const BrushKey &) const = default;
    };
    struct FontKey
    {
        int height = 0;
        int escapement = 0;
        int weight = 0;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QByteArray face;
        bool operator==(const FontKey &) const = default;
    };

    struct GlyphShape
    {
        QChar character;
        QPainterPath outline;
        qreal advance = 0;
    };
    struct GlyphShapes
    {
        QRawFont font;
        std::vector<GlyphShape> glyphs;
        qreal spaceAdvance = 0;
    };

    bool textFits(const QString &text) const;
    void emitText(const QPointF &origin, const QString &text, const QFont &font,
                  const QList<qreal> &offsets, const QColor &color, bool underline, bool strikeOut);
    const GlyphShapes &glyphShapes(const QFont &font);
    struct FoundGlyph
    {
        QChar character;
        QPointF origin;
        qreal advance = 0;
    };
    bool drawPathAsText(const QPainterPath &path);
    bool matchGlyphs(const QPainterPath &path, const GlyphShapes &shapes, double scale,
                     std::vector<FoundGlyph> *found) const;
    bool emitRecoveredText(const std::vector<FoundGlyph> &found, const GlyphShapes &shapes,
                           const QFont &shapeFont, double pixelSize);

    void record(quint16 function, const QByteArray &params);
    void record(quint16 function, std::initializer_list<int> params);
    int createObject(quint16 function, const QByteArray &params);
    void replaceObject(int *slot, quint16 function, const QByteArray &params);
    void selectPen(const PenKey &pen);
    void selectBrush(const BrushKey &brush);
    void selectFont(const FontKey &font);
    void setFillMode(Qt::FillRule rule);
    void setTextColor(QRgb color);
    void syncClip();

    bool penFor(PenKey *key) const;
    bool brushFor(BrushKey *key) const;
    QColor effectiveColor(const QBrush &brush) const;
    void emitPolygons(const QList<QPolygonF> &polygons, Qt::FillRule rule, bool fill, bool stroke);
    void emitPolyline(const QPolygonF &polygon);
    void emitPolygon(const QList<QPolygonF> &polygons);

    QSize m_size;
    int m_unitsPerInch;
    QByteArray m_records;
    quint32 m_maxRecordWords = 3;
    std::vector<bool> m_slots;
    int m_penSlot = -1;
    int m_brushSlot = -1;
    int m_fontSlot = -1;
    PenKey m_pen;
    BrushKey m_brush;
    FontKey m_font;
    bool m_penValid = false;
    bool m_brushValid = false;
    bool m_fontValid = false;
    int m_fillMode = 0;
    QRgb m_textColor = qRgb(0, 0, 0);
    bool m_textColorValid = false;

    QTransform m_transform;
    QPen m_painterPen;
    QBrush m_painterBrush;
    QFont m_painterFont;
    qreal m_opacity = 1.0;
    bool m_clipEnabled = false;
    QRectF m_clip; // device units; an empty rectangle hides everything
    QRectF m_emittedClip;
    bool m_clipEmitted = false;
    std::map<QString, GlyphShapes> m_glyphShapes;
};
