#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSizeF>
#include <memory>

class MetafilePaintEngine;

// A paint device that records what a QPainter draws as a placeable Windows metafile, for the
// page pictures made by the media tool. The painter's coordinates are twips (1440 per inch)
// with (0, 0) at the top left. Text stays text (extended text-out with the font's face,
// height, weight and style); paths become polygons, images 24-bit (or, with transparency,
// 32-bit) stretch-DIB records.
class MetafileWriter final : public QPaintDevice
{
public:
    explicit MetafileWriter(QSizeF sizeTwips);
    ~MetafileWriter() override;

    QPaintEngine *paintEngine() const override;

    QSizeF sizeTwips() const { return m_sizeTwips; }
    // Logical units per inch in the file: 1440, halved until the page fits 16-bit coordinates.
    int unitsPerInch() const { return m_unitsPerInch; }

    // The complete file with what has been drawn so far; call after the painter has ended.
    QByteArray data() const;
    // Writes data() to path, replacing any file there only once the whole file is written.
    bool save(const QString &path) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSizeF m_sizeTwips;
    int m_unitsPerInch = 1440;
    std::unique_ptr<MetafilePaintEngine> m_engine;
};
