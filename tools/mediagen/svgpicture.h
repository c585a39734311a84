#pragma once

#include <QImage>
#include <QString>

// Rasterises expanded SVG text at an exact pixel size on a white ground.
class SvgPicture
{
public:
    static QImage render(const QString &svg, int width, int height, QString *error);
    // Writes JPEG (quality 90), BMP (24-bit) or PNG according to the file suffix.
    static bool save(const QImage &image, const QString &path, QString *error);
};
