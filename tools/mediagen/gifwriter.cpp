#include "gifwriter.h"

#include <QFile>
#include <QImage>
#include <array>
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
    // The median cut works on five bits a channel; give each palette entry the exact mean of
    // the pixels it stands for, so that flat white stays white.
    std::vector<std::array<quint64, 4>> sums(256, { 0, 0, 0, 0 });
    for (size_t i = 0; i < pixels; ++i) {
        std::array<quint64, 4> &sum = sums[indexes[i]];
        sum[0] += red[i];
        sum[1] += green[i];
        sum[2] += blue[i];
        ++sum[3];
    }
    for (int c = 0; c < colours; ++c) {
        const std::array<quint64, 4> &sum = sums[c];
        if (sum[3] == 0)
            continue;
        palette[c].Red = GifByteType((sum[0] + sum[3] / 2) / sum[3]);
        palette[c].Green = GifByteType((sum[1] + sum[3] / 2) / sum[3]);
        palette[c].Blue = GifByteType((sum[2] + sum[3] / 2) / sum[3]);
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
