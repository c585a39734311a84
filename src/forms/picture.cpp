#include "picture.h"

#include "mediapath.h"
#include "twips.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

Picture Picture::load(const QString &relativePath)
{
    const QString path = MediaPath::resolve(relativePath);
    if (path.isEmpty())
        return {};
    Picture picture = fromFile(path);
    if (!picture.isNull())
        picture.m_source = relativePath;
    return picture;
}

Picture Picture::fromFile(const QString &path)
{
    Picture picture;
    if (!QFileInfo(path).isFile())
        return picture;

    // The name says which kind it should be; the content decides, so a misnamed file still
    // shows if it is readable at all.
    const bool namedMetafile = path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive);
    if (namedMetafile)
        picture.m_metafile = Metafile::fromFile(path);
    if (!picture.m_metafile.isValid()) {
        QImageReader reader(path);
        reader.setAutoTransform(false);
        picture.m_image = reader.read();
        if (picture.m_image.isNull() && !namedMetafile)
            picture.m_metafile = Metafile::fromFile(path);
    }
    if (!picture.isNull())
        picture.m_source = path;
    return picture;
}

bool Picture::isNull() const
{
    return m_image.isNull() && !m_metafile.isValid();
}

QSizeF Picture::sizeTwips() const
{
    if (m_metafile.isValid())
        return m_metafile.naturalSizeTwips();
    if (!m_image.isNull())
        return QSizeF(m_image.size()) * Twips::perPixel;
    return {};
}

QSize Picture::sizePixels() const
{
    const QSizeF twips = sizeTwips();
    return QSize(Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
}

void Picture::paint(QPainter &painter, const QRectF &target) const
{
    if (m_metafile.isValid()) {
        // Played as vectors, so it is sharp at any device pixel ratio and on a printer.
        m_metafile.play(painter, target);
        return;
    }
    if (m_image.isNull())
        return;
    // Smooth scaling also where the screen has more pixels than the picture (a device pixel
    // ratio above 1); at the picture's own size it is a plain copy.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
    painter.restore();
}
