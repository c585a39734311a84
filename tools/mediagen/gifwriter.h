#pragma once

#include <QString>

class QImage;

// Writes an image as a single-frame GIF through giflib, with a palette of at most 256
// colours chosen for that image (median cut), so flat illustrations keep their colours.
class GifWriter
{
public:
    static bool write(const QImage &image, const QString &path, QString *error);
};
