#include "metafilewriter.h"

#include "metafilepaintengine.h"

#include <QSaveFile>
#include <cmath>

MetafileWriter::MetafileWriter(QSizeF sizeTwips)
    : m_sizeTwips(sizeTwips)
{
    const double largest = std::max(sizeTwips.width(), sizeTwips.height());
    while (m_unitsPerInch > 1 && largest * m_unitsPerInch / 1440.0 > 32767.0)
        m_unitsPerInch /= 2;
    const double factor = m_unitsPerInch / 1440.0;
    const QSize units(std::max(1, int(std::lround(sizeTwips.width() * factor))),
                      std::max(1, int(std::lround(sizeTwips.height() * factor))));
    m_engine = std::make_unique<MetafilePaintEngine>(units, m_unitsPerInch);
}

MetafileWriter::~MetafileWriter() = default;

QPaintEngine *MetafileWriter::paintEngine() const
{
    return m_engine.get();
}

QByteArray MetafileWriter::data() const
{
    return m_engine->fileData();
}

bool MetafileWriter::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = data();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

int MetafileWriter::metric(PaintDeviceMetric metric) const
{
    const double factor = m_unitsPerInch / 1440.0;
    switch (metric) {
    case PdmWidth:
        return std::max(1, int(std::lround(m_sizeTwips.width() * factor)));
    case PdmHeight:
        return std::max(1, int(std::lround(m_sizeTwips.height() * factor)));
    case PdmWidthMM:
        return int(std::lround(m_sizeTwips.width() / 1440.0 * 25.4));
    case PdmHeightMM:
        return int(std::lround(m_sizeTwips.height() / 1440.0 * 25.4));
    case PdmNumColors:
        return 0x7FFFFFFF;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_unitsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
