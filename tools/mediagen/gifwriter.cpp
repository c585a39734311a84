#include "gifwriter.h"

#include <QFile>
#include <QImage>
#include <gif_lib.h>
#include <vector>

bool GifWriter::write(const QImage &source, const QString &path, QString *error)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const size_t pixels = size_t(width) * size_t(height);
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels), indexes(pixels);
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            red[i] = GifByteType(qRed(line[x]));
            green[i] = GifByteType(qGreen(line[x]));
            blue[i] = GifByteType(qBlue(line[x]));
        }
    }
    int colours = 256;
    std::vector<GifColorType> palette(256);
    if (GifQuantizeBuffer(unsigned(width), unsigned(height), &colours, red.data(), green.data(),
                          blue.data(), indexes.data(), palette.data())
        != GIF_OK) {
        *error = QStringLiteral("cannot reduce the colours of %1").arg(path);
        return false;
    }
    ColorMapObject *map = GifMakeMapObject(256, palette.data());
    int status = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType *gif = EGifOpenFileName(name.constData(), false, &status);
    bool ok = gif && map;
    ok = ok && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, indexes.data() + size_t(y) * width, width) == GIF_OK;
    if (gif && EGifCloseFile(gif, &status) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    if (!ok)
        *error = QStringLiteral("cannot write %1").arg(path);
    return ok;
}
