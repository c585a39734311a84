#include "metafile.h"
#include "metafilebuilder.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>

using namespace MetafileRecords;

namespace {

constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb Blue = 0xFF0000FFu;
constexpr QRgb Green = 0xFF00FF00u;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Black = 0xFF000000u;

// Plays a metafile onto a white image of the given size, the picture filling it.
QImage render(const QByteArray &bytes, QSize size = QSize(100, 100))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    Metafile::fromData(bytes).play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// A picture 1000 x 1000 logical units with a null pen: shapes show in their brush alone.
MetafileBuilder page()
{
    MetafileBuilder b;
    b.anisotropic(1000, 1000);
    b.pen(PsNull, 0, Black).select(0);
    return b;
}

// Pixels a picture must paint, on a white image.
struct Pixel
{
    QPoint at;
    QRgb colour;
};
using Pixels = QList<Pixel>;

} // namespace

Q_DECLARE_METATYPE(Pixels)

class TestMetafile : public QObject
{
    Q_OBJECT

private slots:
    void naturalSizeComesFromHeaderOrWindow_data();
    void naturalSizeComesFromHeaderOrWindow();
    void recordsPaintTheirPixels_data();
    void recordsPaintTheirPixels();
};

void TestMetafile::naturalSizeComesFromHeaderOrWindow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSizeF>("twips");

    QTest::newRow("placeable in twips")
        << page().build(QRect(0, 0, 1440, 720), 1440) << QSizeF(1440, 720);
    QTest::newRow("placeable in pixels")
        << page().build(QRect(10, 20, 96, 48), 96) << QSizeF(1440, 720);
    QTest::newRow("placeable in hundredths of a millimetre")
        << page().build(QRect(0, 0, 2540, 1270), 2540) << QSizeF(1440, 720);
    QTest::newRow("without header: scalable window in twips")
        << page().build({}, 0, false) << QSizeF(1000, 1000);
    MetafileBuilder pixels;
    pixels.record(SetWindowExt, { 50, 100 }).rectangle(0, 0, 10, 10);
    QTest::newRow("without header: pixel window")
        << pixels.build({}, 0, false) << QSizeF(1500, 750);
}

void TestMetafile::naturalSizeComesFromHeaderOrWindow()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSizeF, twips);
    const Metafile metafile = Metafile::fromData(bytes);
    QVERIFY(metafile.isValid());
    QCOMPARE(metafile.naturalSizeTwips(), twips);
}

void TestMetafile::recordsPaintTheirPixels_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Pixels>("pixels");
    QTest::addColumn<QSize>("size");
    const auto row
        = [](const char *name, const QByteArray &bytes, const Pixels &pixels,
             QSize size = QSize(100, 100)) { QTest::newRow(name) << bytes << pixels << size; };

    // A red rectangle through each way of mapping the window onto the picture.
    const auto window = [](int width, int height, int orgX = 0, int orgY = 0) {
        MetafileBuilder b;
        b.anisotropic(width, height, orgX, orgY);
        return b;
    };
    const auto square = [](MetafileBuilder b, int left, int top, int right, int bottom) {
        b.pen(PsNull, 0, Black).select(0).brush(BsSolid, Red).select(1);
        return b.rectangle(left, top, right, bottom).build();
    };
    row("plain window", square(window(1000, 1000), 250, 250, 750, 750),
        { { { 50, 50 }, Red }, { { 10, 10 }, White } });
    row("window origin moved", square(window(1000, 1000, 500, 500), 500, 500, 750, 750),
        { { { 10, 10 }, Red }, { { 50, 50 }, White } });
    row("y axis up", square(window(1000, -1000, 0, 1000), 0, 0, 300, 300),
        { { { 10, 90 }, Red }, { { 10, 10 }, White } });
    MetafileBuilder mirrored = window(1000, 1000);
    mirrored.record(SetViewportExt, { -1000, 1000 }).record(SetViewportOrg, { 500, 500 });
    row("viewport extent turned upside down", square(mirrored, 0, 0, 300, 300),
        { { { 10, 90 }, Red }, { { 10, 10 }, White } });
    row("window twice the box", square(window(2000, 2000), 0, 0, 1000, 1000),
        { { { 40, 40 }, Red }, { { 60, 60 }, White } });
    MetafileBuilder text;
    text.record(SetMapMode, { MmText }).record(SetWindowOrg, { 0, 0 });
    row("map mode text uses the header box", square(text, 0, 0, 500, 1000),
        { { { 20, 50 }, Red }, { { 70, 50 }, White } });
    // Alternate leaves the inner square and the star's centre empty; winding fills them.
    const QList<QList<QPoint>> squares {
        { { 100, 100 }, { 900, 100 }, { 900, 900 }, { 100, 900 } },
        { { 300, 300 }, { 700, 300 }, { 700, 700 }, { 300, 700 } }
    };
    const QList<QPoint> star {
        { 500, 0 }, { 800, 1000 }, { 0, 350 }, { 1000, 350 }, { 200, 1000 }
    };
    for (bool winding : { false, true }) {
        MetafileBuilder b = page();
        b.brush(BsSolid, Blue).select(1);
        if (winding)
            b.record(SetPolyFillMode, { Winding });
        MetafileBuilder s = b;
        row(winding ? "poly-polygon, winding" : "poly-polygon, alternate",
            b.polyPolygon(squares).build(),
            { { { 20, 50 }, Blue }, { { 50, 50 }, winding ? Blue : White }, { { 5, 5 }, White } });
        row(winding ? "star, winding" : "star, alternate", s.polygon(Polygon, star).build(),
            { { { 50, 55 }, winding ? Blue : White } });
    }

    MetafileBuilder objects = page(); // the pen is in slot 0
    objects.brush(BsSolid, Red).brush(BsSolid, Green).record(DeleteObject, { 1 });
    objects.brush(BsSolid, Blue); // takes slot 1 again
    objects.select(1).rectangle(0, 0, 500, 1000);
    objects.select(2).rectangle(500, 0, 1000, 1000);
    objects.select(900).record(DeleteObject, { 900 }); // out of range: ignored
    objects.rectangle(0, 900, 1000, 1000); // still green
    row("new objects take the lowest free slot", objects.build(),
        { { { 25, 50 }, Blue }, { { 75, 50 }, Green }, { { 25, 95 }, Green } });

    // A bitmap held as PNG is drawn, in quarters red, blue, green and black, the right way up
    // or mirrored as the window is; other picture formats under the PNG mark are not read.
    const auto stretched = [](MetafileBuilder b, const char *format) {
        QImage quarters(4, 4, QImage::Format_RGB32);
        const QRgb colours[] = { Red, Blue, Green, Black };
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                quarters.setPixel(x, y, colours[2 * (y / 2) + x / 2]);
        QByteArray picture;
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        quarters.save(&buffer, format);
        QByteArray params;
        MetafileBuilder::put32(params, SrcCopy);
        for (int word : { 0, 4, 4, 0, 0, 1000, 1000, 0, 0 })
            MetafileBuilder::put16(params, word);
        for (quint32 field : { 40u, 4u, 4u, 1u | (32u << 16), quint32(BiPng) })
            MetafileBuilder::put32(params, field);
        MetafileBuilder::put32(params, quint32(picture.size()));
        params.append(16, '\0');
        return b.raw(StretchDib, params + picture).build();
    };
    const Pixels upright {
        { { 25, 25 }, Red }, { { 75, 25 }, Blue }, { { 25, 75 }, Green }, { { 75, 75 }, Black }
    };
    row("bitmap held as PNG", stretched(page(), "PNG"), upright);
    row("bitmap in a window turned both ways", stretched(window(-1000, -1000, 1000, 1000), "PNG"),
        { { { 25, 25 }, Black },
          { { 75, 25 }, Green },
          { { 25, 75 }, Blue },
          { { 75, 75 }, Red } });
    row("bitmap marked PNG holding another format", stretched(page(), "BMP"),
        { { { 50, 50 }, White } });

    MetafileBuilder restore = page();
    restore.brush(BsSolid, Red).select(1).brush(BsSolid, Blue).record(SaveDc, {});
    restore.select(2).record(IntersectClipRect, { 200, 200, 0, 0 });
    restore.record(SetWindowOrg, { 500, 500 }).record(RestoreDc, { -1 });
    row("restore brings back brush, clip and window", restore.rectangle(0, 0, 1000, 1000).build(),
        { { { 50, 50 }, Red }, { { 90, 90 }, Red } });
}

void TestMetafile::recordsPaintTheirPixels()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Pixels, pixels);
    QFETCH(QSize, size);
    const QImage image = render(bytes, size);
    for (const Pixel &pixel : pixels) {
        const QRgb seen = at(image, pixel.at.x(), pixel.at.y());
        QVERIFY2(seen == pixel.colour,
                 qPrintable(QStringLiteral("(%1, %2) is %3, not %4")
                                .arg(pixel.at.x())
                                .arg(pixel.at.y())
                                .arg(QColor(seen).name(), QColor(pixel.colour).name())));
    }
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
