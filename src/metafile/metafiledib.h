#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>

// Device-independent bitmaps as they appear inside metafile records: decoding for the player
// and encoding for the writer.
class MetafileDib
{
public:
    // Largest bitmap the player accepts, in pixels; anything bigger is skipped.
    static constexpr qint64 MaxPixels = qint64(1) << 25;

    // Decodes a packed DIB (info header, colour table, bits). With colour usage
    // DIB_PAL_COLORS the colour table holds indexes into logicalPalette. maxRows > 0 limits
    // the rows read (set-DIB-to-device sends only some scan lines). Returns a null image for
    // anything malformed, truncated or too large; never reads outside bytes.
    static QImage decode(QByteArrayView bytes, int colorUsage = 0,
                         const QList<QRgb> &logicalPalette = {}, int maxRows = 0);

    // A bottom-up BI_RGB DIB: 24 bits per pixel for opaque images, 32 with straight alpha
    // when the image has any transparency.
    static QByteArray encode(const QImage &image);
};
