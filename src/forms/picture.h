#pragma once

#include "metafile.h"

#include <QImage>
#include <QSizeF>
#include <QString>

class QPainter;
class QRectF;

// A picture from a media file: JPEG, GIF, BMP or Windows metafile. A missing or unreadable
// file gives a null picture, which has no size and draws nothing.
class Picture
{
public:
    Picture() = default;

    // Loads a path relative to the media root ("wmf\key rivers 1.wmf", "images/swan1.jpg").
    static Picture load(const QString &relativePath);
    // Loads an absolute path on disk.
    static Picture fromFile(const QString &path);

    bool isNull() const;
    bool isMetafile() const { return m_metafile.isValid(); }

    // Natural size: pixels times 15 for bitmaps, the metafile's own size for metafiles.
    QSizeF sizeTwips() const;
    // The natural size in screen pixels at 15 twips per pixel.
    QSize sizePixels() const;

    // Draws the picture scaled to fill target (in the painter's coordinates).
    void paint(QPainter &painter, const QRectF &target) const;

    const QImage &image() const { return m_image; }
    const Metafile &metafile() const { return m_metafile; }
    // The path it was loaded from, as given; empty for a null picture.
    QString sourcePath() const { return m_source; }

private:
    QImage m_image;
    Metafile m_metafile;
    QString m_source;
};
