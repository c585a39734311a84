#include "metafile.h"
#include "metafilebuilder.h"

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

bool isDark(QRgb c)
{
    return qGray(c) < 128;
}

// Dark pixels in the image's rectangle.
int inkIn(const QImage &image, QRect area)
{
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isDark(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// A picture 1000 x 1000 logical units with a null pen: shapes show in their brush alone.
MetafileBuilder page()
{
    MetafileBuilder b;
    b.anisotropic(1000, 1000);
    b.pen(PsNull, 0, Black).select(0);
    return b;
}

QByteArray richSample()
{
    MetafileBuilder b = page();
    b.brush(BsSolid, Red).select(1);
    b.rectangle(100, 100, 400, 400);
    b.pen(PsSolid, 20, Blue).select(2);
    b.record(Ellipse, { 900, 900, 500, 500 });
    b.record(Pie, { 700, 100, 100, 700, 400, 900, 100, 600 });
    b.record(Chord, { 900, 100, 100, 900, 1000, 500, 600, 0 });
    b.record(Arc, { 900, 100, 100, 900, 1000, 500, 600, 0 });
    b.record(RoundRect, { 100, 100, 950, 450, 600, 50 });
    b.polyPolygon({ { { 0, 0 }, { 300, 0 }, { 300, 300 }, { 0, 300 } },
                    { { 100, 100 }, { 200, 100 }, { 200, 200 }, { 100, 200 } } });
    b.polygon(Polyline, { { 10, 990 }, { 500, 600 }, { 990, 990 } });
    b.record(MoveTo, { 10, 10 }).record(LineTo, { 990, 990 });
    b.font(-120, "Arial", 700, 300, true, true).select(3);
    b.record(SetTextColor, MetafileBuilder::color(Green));
    b.textOut(500, 500, "Rivers");
    b.extTextOut(100, 800, "flow", { 100, 100, 100, 100 }, EtoClipped, QRect(100, 700, 300, 200));
    b.record(SaveDc, {});
    b.record(IntersectClipRect, { 900, 900, 100, 100 });
    b.record(ExcludeClipRect, { 600, 600, 400, 400 });
    b.brush(BsHatched, Blue, HsDiagCross).select(4);
    b.rectangle(0, 0, 1000, 1000);
    b.record(RestoreDc, { -1 });
    b.stretchDib(QRect(600, 100, 300, 300),
                 MetafileBuilder::dib(8, 4, 4, { Red, Green, Blue },
                                      [](int x, int y) { return quint32((x + y) % 3); }),
                 4, 4);
    b.record(DeleteObject, { 4 }).record(DeleteObject, { 1 });
    return b.build();
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
    void hatchedBrushLeavesGaps();
    void straightHairlinesAreDrawn();
    void textSpacingAndBackground();
    void positiveFontHeightIsTheCellHeight();
    void malformedInputIsRejectedOrSkipped_data();
    void malformedInputIsRejectedOrSkipped();
    void sampleScreenshot();
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
    row("background far larger than the picture",
        square(window(10, 10), -32768, -32768, 32767, 32767),
        { { { 50, 50 }, Red }, { { 0, 0 }, Red } });
    MetafileBuilder scaled = window(500, 500);
    scaled.record(ScaleWindowExt, { 1, 2, 1, 2 });
    row("scaled window extent", square(scaled, 0, 0, 500, 500),
        { { { 40, 40 }, Red }, { { 60, 60 }, White } });

    // Two squares wound the same way, and a self-crossing star: alternate (the default)
    // leaves the inner square and the star's centre empty, winding fills them.
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

    MetafileBuilder restore = page();
    restore.brush(BsSolid, Red).select(1).brush(BsSolid, Blue).record(SaveDc, {});
    restore.select(2).record(IntersectClipRect, { 200, 200, 0, 0 });
    restore.record(SetWindowOrg, { 500, 500 }).record(RestoreDc, { -1 });
    row("restore brings back brush, clip and window", restore.rectangle(0, 0, 1000, 1000).build(),
        { { { 50, 50 }, Red }, { { 90, 90 }, Red } });
    MetafileBuilder overRestore = page();
    overRestore.brush(BsSolid, Red).select(1).record(RestoreDc, { -5 }).record(RestoreDc, { 3 });
    row("restoring more than was saved changes nothing",
        overRestore.rectangle(0, 0, 1000, 1000).build(), { { { 50, 50 }, Red } });

    MetafileBuilder clip = page();
    clip.brush(BsSolid, Red).select(1);
    clip.record(IntersectClipRect, { 800, 800, 200, 200 });
    clip.record(ExcludeClipRect, { 600, 600, 400, 400 });
    clip.rectangle(0, 0, 1000, 1000);
    clip.record(SelectClipRegion, { 0 }); // no region object: clipping ends
    clip.brush(BsSolid, Blue).select(2).rectangle(0, 900, 1000, 1000);
    row("clip rectangles", clip.build(),
        { { { 10, 10 }, White },
          { { 30, 30 }, Red },
          { { 50, 50 }, White },
          { { 70, 70 }, Red },
          { { 50, 95 }, Blue } });

    // Pie and chord start at 12 o'clock and end at 9 o'clock: counter-clockwise they cover
    // the top-left quarter.
    const struct
    {
        const char *name;
        quint16 function;
        QList<int> params;
        QPoint inside;
        QPoint outside;
    } shapes[] = {
        { "ellipse", Ellipse, { 900, 900, 100, 100 }, { 50, 50 }, { 12, 12 } },
        { "rounded rectangle",
          RoundRect,
          { 400, 400, 900, 900, 100, 100 },
          { 50, 15 },
          { 11, 11 } },
        { "pie", Pie, { 500, 0, 0, 500, 1000, 1000, 0, 0 }, { 30, 30 }, { 70, 70 } },
        { "chord", Chord, { 500, 0, 0, 500, 1000, 1000, 0, 0 }, { 20, 20 }, { 40, 40 } },
    };
    for (const auto &shape : shapes) {
        MetafileBuilder b = page();
        b.brush(BsSolid, Red).select(1).record(shape.function, shape.params);
        row(shape.name, b.build(), { { shape.inside, Red }, { shape.outside, White } });
    }
    MetafileBuilder arc;
    arc.anisotropic(1000, 1000).pen(PsSolid, 40, Blue).select(0);
    arc.brush(BsSolid, Red).select(1).record(Arc, { 500, 0, 0, 500, 1000, 1000, 0, 0 });
    row("arc is only an outline, on its own side", arc.build(),
        { { { 30, 30 }, White }, { { 15, 15 }, Blue }, { { 85, 85 }, White } });

    // 4 x 4 pixels: left half red, right half blue, the top-left pixel green (but for the
    // two-colour bitmap).
    const auto colour = [](int x, int y) { return x == 0 && y == 0 ? Green : x < 2 ? Red : Blue; };
    const QList<QRgb> palette { Red, Blue, Green };
    for (int bpp : { 1, 4, 8, 24, 32 }) {
        const QByteArray dib = bpp == 1
            ? MetafileBuilder::dib(1, 4, 4, { Red, Blue },
                                   [](int x, int) { return quint32(x >= 2); })
            : bpp <= 8 ? MetafileBuilder::dib(
                  bpp, 4, 4, palette,
                  [&](int x, int y) { return quint32(palette.indexOf(colour(x, y))); })
                       : MetafileBuilder::dib(bpp, 4, 4, {},
                                              [&](int x, int y) { return quint32(colour(x, y)); });
        MetafileBuilder b = page();
        b.stretchDib(QRect(0, 0, 1000, 1000), dib, 4, 4);
        QTest::addRow("%d-bit bitmap", bpp) << b.build()
                                            << Pixels { { { 30, 60 }, Red },
                                                        { { 70, 60 }, Blue },
                                                        { { 5, 5 }, bpp == 1 ? Red : Green } }
                                            << QSize(100, 100);
    }

    const auto words = MetafileBuilder::words;
    const QByteArray red = MetafileBuilder::dib(24, 2, 2, {}, [](int, int) { return Red; });
    MetafileBuilder blits = page();
    // Stretch-blt of 2 x 2 pixels into the top-left quarter; bit-blt of a 2 x 2 speck at
    // (900, 900); set-DIB-to-device at (600, 0), 2 x 2 logical units.
    blits.raw(DibStretchBlt, words({ 0x0020, 0x00CC, 2, 2, 0, 0, 500, 500, 0, 0 }) + red);
    blits.raw(DibBitBlt, words({ 0x0020, 0x00CC, 0, 0, 2, 2, 900, 900 }) + red);
    blits.raw(SetDibToDev, words({ 0, 2, 0, 0, 0, 2, 2, 0, 600 }) + red);
    // Without a bitmap, a pattern blt of the brush and a blt of whiteness.
    blits.brush(BsSolid, Blue).select(1);
    blits.record(PatBlt, { 0x0021, 0x00F0, 300, 300, 600, 600 });
    blits.record(DibStretchBlt, { 0x0062, 0x00FF, 0, 0, 0, 0, 0, 100, 100, 700, 700 });
    row("blit records", blits.build(),
        { { { 250, 250 }, Red },
          { { 501, 250 }, White },
          { { 900, 900 }, Red },
          { { 601, 1 }, Red },
          { { 650, 650 }, Blue },
          { { 750, 750 }, White } },
        QSize(1000, 1000));

    // A logical palette of green then red; the bitmap's colour table holds 16-bit indexes
    // into it: 1 (red) and 0 (green).
    MetafileBuilder indexed = page();
    indexed.raw(CreatePalette, words({ 0x300, 2 }) + QByteArray("\0\xFF\0\0\xFF\0\0\0", 8));
    indexed.record(SelectPalette, { 1 });
    QByteArray dib = MetafileBuilder::dib(8, 2, 1, {}, [](int x, int) { return quint32(x); });
    dib.replace(32, 4, QByteArray("\2\0\0\0", 4));
    dib.insert(40, QByteArray("\1\0\0\0", 4));
    indexed.stretchDib(QRect(0, 0, 1000, 1000), dib, 2, 1, SrcCopy, DibPalColors);
    row("palette-indexed bitmap", indexed.build(), { { { 20, 50 }, Red }, { { 80, 50 }, Green } });

    // The classic transparent bitmap: a mask ANDed in, then the image ORed over it.
    const QByteArray mask
        = MetafileBuilder::dib(24, 2, 1, {}, [](int x, int) { return x == 0 ? Black : White; });
    const QByteArray picture
        = MetafileBuilder::dib(24, 2, 1, {}, [](int x, int) { return x == 0 ? Red : Black; });
    MetafileBuilder masked = page();
    masked.brush(BsSolid, Blue).select(1).rectangle(0, 0, 1000, 1000);
    masked.stretchDib(QRect(0, 0, 1000, 1000), mask, 2, 1, SrcAnd);
    masked.stretchDib(QRect(0, 0, 1000, 1000), picture, 2, 1, SrcPaint);
    row("mask and image", masked.build(), { { { 20, 50 }, Red }, { { 80, 50 }, Blue } });
    MetafileBuilder inverted = page();
    inverted.stretchDib(QRect(0, 0, 1000, 1000), picture, 2, 1, NotSrcCopy);
    row("inverted copy", inverted.build(),
        { { { 20, 50 }, qRgb(0, 255, 255) }, { { 80, 50 }, White } });
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

// A zero-width pen draws one device pixel; a line along an axis has an empty bounding box,
// which must not make it count as out of reach.
void TestMetafile::straightHairlinesAreDrawn()
{
    MetafileBuilder b;
    b.anisotropic(1000, 1000).pen(PsSolid, 0, Black).select(0);
    b.polygon(Polyline, { { 505, 100 }, { 505, 900 } });
    b.record(MoveTo, { 100, 305 }).record(LineTo, { 900, 305 }); // y before x
    b.polygon(Polyline, { { 100, 705 }, { 900, 705 } });
    const QImage image = render(b.build());
    QVERIFY(inkIn(image, QRect(49, 20, 3, 60)) >= 60);
    QVERIFY(inkIn(image, QRect(29, 20, 3, 60)) >= 60);
    QVERIFY(inkIn(image, QRect(20, 69, 60, 3)) >= 60);
    QCOMPARE(inkIn(image, QRect(60, 10, 30, 50)), 0);
}

void TestMetafile::hatchedBrushLeavesGaps()
{
    // Transparent background mode leaves the gaps white, opaque gives them the background
    // colour.
    for (int mode : { int(Transparent), int(Opaque) }) {
        MetafileBuilder b = page();
        b.record(SetBkMode, { mode }).record(SetBkColor, MetafileBuilder::color(Green));
        b.brush(BsHatched, Blue, HsHorizontal).select(1).rectangle(0, 0, 1000, 1000);
        const QImage image = render(b.build());
        int blueRows = 0;
        int gapRows = 0;
        for (int y = 10; y < 90; ++y) {
            blueRows += at(image, 50, y) == Blue;
            gapRows += at(image, 50, y) == (mode == Opaque ? Green : White);
        }
        QVERIFY(blueRows >= 5);
        QVERIFY(gapRows >= 40);
    }
}

void TestMetafile::textSpacingAndBackground()
{
    // Spacing arrays place each character: two bars 60 px apart.
    MetafileBuilder b = page();
    b.font(-300, "Arial").select(1).record(SetBkMode, { Transparent });
    b.record(SetTextAlign, { TaBaseline }).extTextOut(100, 600, "II", { 600, 100 });
    const QImage spaced = render(b.build());
    QVERIFY(inkIn(spaced, QRect(8, 40, 8, 20)) > 10);
    QCOMPARE(inkIn(spaced, QRect(25, 0, 40, 100)), 0);
    QVERIFY(inkIn(spaced, QRect(68, 40, 8, 20)) > 10);

    // Opaque background mode paints the text cell in the background colour.
    MetafileBuilder o = page();
    o.font(-300, "Arial").select(1).record(SetBkMode, { Opaque });
    o.record(SetBkColor, MetafileBuilder::color(Green)).textOut(100, 100, "i");
    QCOMPARE(at(render(o.build()), 11, 13), Green);

    // Update current position: the second text starts where the first ended.
    MetafileBuilder cp = page();
    cp.font(-300, "Arial").select(1).record(SetBkMode, { Transparent });
    cp.record(SetTextAlign, { TaUpdateCp | TaBaseline }).record(MoveTo, { 600, 0 });
    cp.textOut(0, 0, "I").textOut(0, 0, "W");
    const QImage moved = render(cp.build());
    QCOMPARE(inkIn(moved, QRect(0, 0, 100, 30)), 0);
    QVERIFY(inkIn(moved, QRect(0, 35, 8, 25)) > 10);
    QVERIFY(inkIn(moved, QRect(10, 35, 40, 25)) > 30);

    // Opaque extended text-out fills its rectangle; clipping keeps the text inside it.
    MetafileBuilder e = page();
    e.font(-600, "Arial").select(1).record(SetBkColor, MetafileBuilder::color(Blue));
    e.record(SetTextAlign, { TaBaseline });
    e.extTextOut(0, 700, "WW", {}, EtoOpaque | EtoClipped, QRect(0, 400, 300, 400));
    const QImage clipped = render(e.build());
    QCOMPARE(at(clipped, 1, 78), Blue);
    QCOMPARE(inkIn(clipped, QRect(31, 0, 69, 100)), 0);
}

void TestMetafile::positiveFontHeightIsTheCellHeight()
{
    // A positive height counts the whole cell, so its capitals are smaller than those of the
    // same negative (character) height.
    auto capitalHeight = [](int height) {
        MetafileBuilder b = page();
        b.font(height, "Arial").select(1).record(SetBkMode, { Transparent });
        b.record(SetTextAlign, { TaBaseline }).textOut(100, 800, "H");
        const QImage image = render(b.build());
        int top = 100;
        for (int y = 0; y < 100 && top == 100; ++y)
            if (inkIn(image, QRect(0, y, 100, 1)) > 0)
                top = y;
        return 80 - top;
    };
    const int character = capitalHeight(-500);
    const int cell = capitalHeight(500);
    QVERIFY2(character >= 34 && character <= 38, qPrintable(QString::number(character)));
    QVERIFY2(cell >= 30 && cell <= 33, qPrintable(QString::number(cell)));
}

void TestMetafile::malformedInputIsRejectedOrSkipped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");

    const QByteArray good = richSample();
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("placeable header only") << good.left(22) << false;
    QTest::newRow("cut inside the standard header") << good.left(30) << false;
    QTest::newRow("cut inside a record") << good.left(good.size() / 2 + 3) << true;
    QTest::newRow("random bytes") << QByteArray(400, '\x5A') << false;

    // A bad record between good ones: the picture plays on past it.
    const auto withRecord = [](quint16 function, const QByteArray &params) {
        MetafileBuilder b = page();
        b.raw(function, params);
        b.brush(BsSolid, Red).select(1).rectangle(0, 0, 1000, 1000);
        return b.build();
    };
    // A bitmap info header claiming a size; its bits follow, or not.
    const auto dibHeader = [](int width, int height, int bpp, quint32 compression) {
        QByteArray out;
        MetafileBuilder::put32(out, 40);
        MetafileBuilder::put32(out, quint32(width));
        MetafileBuilder::put32(out, quint32(height));
        MetafileBuilder::put16(out, 1);
        MetafileBuilder::put16(out, bpp);
        MetafileBuilder::put32(out, compression);
        return out + QByteArray(20, '\0');
    };
    const auto words = MetafileBuilder::words;
    const QByteArray stretch = words({ 0x0020, 0x00CC, 0, 100, 100, 0, 0, 100, 100, 0, 0 });
    QByteArray shortDib = MetafileBuilder::dib(24, 100, 100, {}, [](int, int) { return Red; });
    shortDib.truncate(500);
    const struct
    {
        const char *name;
        quint16 function;
        QByteArray params;
    } badRecords[] = {
        { "polygon counting past its record", Polygon, words({ 30000, 1, 2, 3, 4 }) },
        { "negative polygon count", Polyline, words({ -5, 1, 2 }) },
        { "poly-polygon counts past its record", PolyPolygon, words({ 2, 65535, 65535, 0, 0 }) },
        { "poly-polygon with 65535 polygons", PolyPolygon, words({ 65535, 1 }) },
        { "text longer than its record", TextOut, words({ 20000, 0x4141 }) },
        { "extended text with rectangle flags and no room", ExtTextOut,
          words({ 0, 0, 4, EtoClipped }) },
        { "font without a face", CreateFontIndirect, words({ -100 }) },
        { "select out of range", SelectObject, words({ 65535 }) },
        { "delete out of range", DeleteObject, words({ 40000 }) },
        { "restore without save", RestoreDc, words({ -32768 }) },
        { "zero window extent", SetWindowExt, words({ 0, 0 }) },
        { "region with runaway scans", CreateRegion,
          words({ 0, 6, 0, 0, 100, 30000, 0, 0, 0, 10, 10, 4 }) },
        { "palette longer than its record", CreatePalette, words({ 0x300, 65535, 0, 0 }) },
        { "bitmap of 60000 x 60000 pixels", StretchDib,
          stretch + dibHeader(60000, 60000, 24, 0) + QByteArray(64, '\x7F') },
        { "bitmap with too few bits", StretchDib, stretch + shortDib },
        { "run-length bitmap claiming 900 million pixels", StretchDib,
          stretch + dibHeader(30000, 30000, 8, BiRle8)
              + QByteArray("\x10\x01\x00\x02\xFF\xFF\x00\x01", 8) },
        { "pattern brush indexing a missing palette", DibCreatePatternBrush,
          words({ 3, 1 }) + MetafileBuilder::dib(8, 2, 2, { Red }, [](int, int) { return 7; }) },
    };
    for (const auto &row : badRecords)
        QTest::newRow(row.name) << withRecord(row.function, row.params) << true;

    // The last record's size word: zero, then far past the end of the file.
    for (quint32 size : { 0u, 0x7FFFFFFFu }) {
        QByteArray bytes = page().build();
        bytes.chop(6);
        MetafileBuilder::put32(bytes, size);
        MetafileBuilder::put16(bytes, Rectangle);
        bytes.append(QByteArray(8, '\0'));
        QTest::addRow("record of size %u", size) << bytes << true;
    }
    MetafileBuilder giant;
    giant.anisotropic(1, 1).pen(PsDash, 30000, Black).select(0);
    giant.record(MoveTo, { -32768, -32768 }).record(LineTo, { 32767, 32767 });
    giant.pen(PsDot, 0, Black).select(1).record(Ellipse, { 32767, 32767, -32768, -32768 });
    QTest::newRow("shapes a million pixels wide") << giant.build() << true;
    QByteArray badInch = page().build();
    badInch[14] = 0;
    badInch[15] = 0;
    QTest::newRow("placeable header with zero units per inch") << badInch << true;
}

void TestMetafile::malformedInputIsRejectedOrSkipped()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const Metafile metafile = Metafile::fromData(bytes);
    QCOMPARE(metafile.isValid(), valid);
    const QImage image = render(bytes, QSize(50, 50));
    QVERIFY(!image.isNull());
    if (!valid)
        QCOMPARE(at(image, 25, 25), White);
}

void TestMetafile::sampleScreenshot()
{
    const QImage image = render(richSample(), QSize(400, 400));
    QVERIFY(image.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafile_sample.png")));
    QCOMPARE(at(image, 100, 10), Red);
    QCOMPARE(at(image, 390, 10), White);
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
