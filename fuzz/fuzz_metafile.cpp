// Parses and plays arbitrary bytes as a Windows metafile onto a small image.
#include "metafile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Text records need the font database, hence an application on the offscreen platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Metafile metafile
        = Metafile::fromData(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!metafile.isValid())
        return 0;
    static QImage image(48, 36, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile.play(painter, QRectF(0, 0, 48, 36));
    return 0;
}
