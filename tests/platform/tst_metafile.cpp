#include "metafile.h"
#include "metafilebuilder.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
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

} // namespace

class TestMetafile : public QObject
{
    Q_OBJECT

private slots:
    void naturalSizeComesFromHeaderOrWindow_data();
    void naturalSizeComesFromHeaderOrWindow();
    void filledRectangleLandsWhereWindowMapsIt_data();
    void filledRectangleLandsWhereWindowMapsIt();
    void polyPolygonHonoursFillMode();
    void newObjectsTakeLowestFreeSlot();
    void restoreDcBringsBackBrushAndClip();
    void clipRectanglesLimitDrawing();
    void shapesFillTheirOwnArea();
    void hatchedBrushLeavesGaps();
    void straightHairlinesAreDrawn();
    void textAlignsToReferencePoint_data();
    void textAlignsToReferencePoint();
    void textSpacingAndBackground();
    void bitmapsOfEveryDepthShowTheirColours_data();
    void bitmapsOfEveryDepthShowTheirColours();
    void bitmapRecordsPlaceTheirImage();
    void paletteIndexedBitmapUsesSelectedPalette();
    void positiveFontHeightIsTheCellHeight();
    void rasterOperationsCombineWithBackground();
    void malformedInputIsRejectedOrSkipped_data();
    void malformedInputIsRejectedOrSkipped();
    void mutatedFilesNeverCrash();
    void fromFileReadsDisk();
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

void TestMetafile::filledRectangleLandsWhereWindowMapsIt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");

    auto square = [](MetafileBuilder b, QRect r) {
        b.pen(PsNull, 0, Black).select(0).brush(BsSolid, Red).select(1);
        b.rectangle(r.left(), r.top(), r.right(), r.bottom());
        return b.build();
    };
    MetafileBuilder plain;
    plain.anisotropic(1000, 1000);
    QTest::newRow("plain window") << square(plain, QRect(QPoint(250, 250), QPoint(750, 750)))
                                  << QPoint(50, 50) << QPoint(10, 10);
    MetafileBuilder shifted;
    shifted.anisotropic(1000, 1000, 500, 500);
    QTest::newRow("window origin moved")
        << square(shifted, QRect(QPoint(500, 500), QPoint(750, 750))) << QPoint(10, 10)
        << QPoint(50, 50);
    MetafileBuilder flipped;
    flipped.anisotropic(1000, -1000, 0, 1000);
    QTest::newRow("y axis up") << square(flipped, QRect(QPoint(0, 0), QPoint(300, 300)))
                               << QPoint(10, 90) << QPoint(10, 10);
    MetafileBuilder mirrored;
    mirrored.anisotropic(1000, 1000).record(SetViewportExt, { -1000, 1000 });
    mirrored.record(SetViewportOrg, { 500, 500 });
    QTest::newRow("viewport extent turned upside down")
        << square(mirrored, QRect(QPoint(0, 0), QPoint(300, 300))) << QPoint(10, 90)
        << QPoint(10, 10);
    MetafileBuilder half;
    half.anisotropic(2000, 2000);
    QTest::newRow("window twice the box") << square(half, QRect(QPoint(0, 0), QPoint(1000, 1000)))
                                          << QPoint(40, 40) << QPoint(60, 60);
    MetafileBuilder text;
    text.record(SetMapMode, { MmText }).record(SetWindowOrg, { 0, 0 });
    QTest::newRow("map mode text uses the header box")
        << square(text, QRect(QPoint(0, 0), QPoint(500, 1000))) << QPoint(20, 50) << QPoint(70, 50);
    MetafileBuilder tiny;
    tiny.anisotropic(10, 10);
    QTest::newRow("background far larger than the picture")
        << square(tiny, QRect(QPoint(-32768, -32768), QPoint(32767, 32767))) << QPoint(50, 50)
        << QPoint(-1, -1);
    MetafileBuilder scaled;
    scaled.anisotropic(500, 500).record(ScaleWindowExt, { 1, 2, 1, 2 });
    QTest::newRow("scaled window extent") << square(scaled, QRect(QPoint(0, 0), QPoint(500, 500)))
                                          << QPoint(40, 40) << QPoint(60, 60);
}

void TestMetafile::filledRectangleLandsWhereWindowMapsIt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    const QImage image = render(bytes);
    QCOMPARE(at(image, inside.x(), inside.y()), Red);
    if (outside.x() >= 0)
        QCOMPARE(at(image, outside.x(), outside.y()), White);
    else
        QCOMPARE(at(image, 0, 0), Red);
}

void TestMetafile::polyPolygonHonoursFillMode()
{
    // Two squares wound the same way: alternate leaves the inner one empty, winding fills it.
    const QList<QList<QPoint>> squares {
        { { 100, 100 }, { 900, 100 }, { 900, 900 }, { 100, 900 } },
        { { 300, 300 }, { 700, 300 }, { 700, 700 }, { 300, 700 } }
    };
    for (int mode : { int(Alternate), int(Winding) }) {
        MetafileBuilder b = page();
        b.brush(BsSolid, Blue).select(1).record(SetPolyFillMode, { mode }).polyPolygon(squares);
        const QImage image = render(b.build());
        QCOMPARE(at(image, 20, 50), Blue);
        QCOMPARE(at(image, 50, 50), mode == Winding ? Blue : White);
        QCOMPARE(at(image, 5, 5), White);
    }
    // A self-crossing star: alternate leaves its centre empty.
    const QList<QPoint> star {
        { 500, 0 }, { 800, 1000 }, { 0, 350 }, { 1000, 350 }, { 200, 1000 }
    };
    MetafileBuilder b = page();
    b.brush(BsSolid, Blue).select(1).polygon(Polygon, star);
    QCOMPARE(at(render(b.build()), 50, 55), White);
    MetafileBuilder w = page();
    w.brush(BsSolid, Blue).select(1).record(SetPolyFillMode, { Winding }).polygon(Polygon, star);
    QCOMPARE(at(render(w.build()), 50, 55), Blue);
}

void TestMetafile::newObjectsTakeLowestFreeSlot()
{
    MetafileBuilder b = page(); // the pen is in slot 0
    b.brush(BsSolid, Red); // slot 1
    b.brush(BsSolid, Green); // slot 2
    b.record(DeleteObject, { 1 });
    b.brush(BsSolid, Blue); // takes slot 1 again
    b.select(1).rectangle(0, 0, 500, 1000);
    b.select(2).rectangle(500, 0, 1000, 1000);
    b.select(900); // out of range: ignored
    b.record(DeleteObject, { 900 });
    b.rectangle(0, 900, 1000, 1000); // still green
    const QImage image = render(b.build());
    QCOMPARE(at(image, 25, 50), Blue);
    QCOMPARE(at(image, 75, 50), Green);
    QCOMPARE(at(image, 25, 95), Green);
}

void TestMetafile::restoreDcBringsBackBrushAndClip()
{
    MetafileBuilder b = page();
    b.brush(BsSolid, Red).select(1);
    b.brush(BsSolid, Blue);
    b.record(SaveDc, {});
    b.select(2).record(IntersectClipRect, { 200, 200, 0, 0 });
    b.record(SetWindowOrg, { 500, 500 });
    b.record(RestoreDc, { -1 });
    b.rectangle(0, 0, 1000, 1000);
    const QImage image = render(b.build());
    QCOMPARE(at(image, 50, 50), Red);
    QCOMPARE(at(image, 90, 90), Red);
    // Restoring more levels than were saved changes nothing.
    MetafileBuilder c = page();
    c.brush(BsSolid, Red).select(1).record(RestoreDc, { -5 }).record(RestoreDc, { 3 });
    c.rectangle(0, 0, 1000, 1000);
    QCOMPARE(at(render(c.build()), 50, 50), Red);
}

void TestMetafile::clipRectanglesLimitDrawing()
{
    MetafileBuilder b = page();
    b.brush(BsSolid, Red).select(1);
    b.record(IntersectClipRect, { 800, 800, 200, 200 });
    b.record(ExcludeClipRect, { 600, 600, 400, 400 });
    b.rectangle(0, 0, 1000, 1000);
    b.record(SelectClipRegion, { 0 }); // no region object: clipping ends
    b.brush(BsSolid, Blue).select(2).rectangle(0, 900, 1000, 1000);
    const QImage image = render(b.build());
    QCOMPARE(at(image, 10, 10), White);
    QCOMPARE(at(image, 30, 30), Red);
    QCOMPARE(at(image, 50, 50), White);
    QCOMPARE(at(image, 70, 70), Red);
    QCOMPARE(at(image, 50, 95), Blue);
}

void TestMetafile::shapesFillTheirOwnArea()
{
    struct Case
    {
        const char *name;
        quint16 function;
        QList<int> params;
        QPoint inside;
        QPoint outside;
    };
    const Case cases[] = {
        { "ellipse", Ellipse, { 900, 900, 100, 100 }, { 50, 50 }, { 12, 12 } },
        { "rounded rectangle",
          RoundRect,
          { 400, 400, 900, 900, 100, 100 },
          { 50, 15 },
          { 11, 11 } },
        // Start at 12 o'clock, end at 9 o'clock: counter-clockwise covers the top-left quarter.
        { "pie", Pie, { 500, 0, 0, 500, 1000, 1000, 0, 0 }, { 30, 30 }, { 70, 70 } },
        { "chord", Chord, { 500, 0, 0, 500, 1000, 1000, 0, 0 }, { 20, 20 }, { 40, 40 } },
    };
    for (const Case &c : cases) {
        MetafileBuilder b = page();
        b.brush(BsSolid, Red).select(1).record(c.function, c.params);
        const QImage image = render(b.build());
        QVERIFY2(at(image, c.inside.x(), c.inside.y()) == Red, c.name);
        QVERIFY2(at(image, c.outside.x(), c.outside.y()) == White, c.name);
    }
    // An arc is only an outline.
    MetafileBuilder b;
    b.anisotropic(1000, 1000).pen(PsSolid, 40, Blue).select(0);
    b.brush(BsSolid, Red).select(1).record(Arc, { 500, 0, 0, 500, 1000, 1000, 0, 0 });
    const QImage arc = render(b.build());
    QCOMPARE(at(arc, 30, 30), White);
    QCOMPARE(at(arc, 15, 15), Blue); // on the circle at 135 degrees
    QCOMPARE(at(arc, 85, 85), White); // the other side is not drawn
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
    MetafileBuilder b = page();
    b.record(SetBkMode, { Transparent });
    b.brush(BsHatched, Blue, HsHorizontal).select(1).rectangle(0, 0, 1000, 1000);
    const QImage image = render(b.build());
    int blueRows = 0;
    int whiteRows = 0;
    for (int y = 10; y < 90; ++y) {
        blueRows += at(image, 50, y) == Blue;
        whiteRows += at(image, 50, y) == White;
    }
    QVERIFY(blueRows >= 5);
    QVERIFY(whiteRows >= 40);
    // In opaque background mode the gaps take the background colour.
    MetafileBuilder o = page();
    o.record(SetBkMode, { Opaque }).record(SetBkColor, MetafileBuilder::color(Green));
    o.brush(BsHatched, Blue, HsHorizontal).select(1).rectangle(0, 0, 1000, 1000);
    const QImage opaque = render(o.build());
    int greenRows = 0;
    for (int y = 10; y < 90; ++y)
        greenRows += at(opaque, 50, y) == Green;
    QVERIFY(greenRows >= 40);
}

void TestMetafile::textAlignsToReferencePoint_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QRect>("inked");
    QTest::addColumn<QRect>("blank");

    // "HHH" 20 px high at (50, 50) on a 100 x 100 image.
    QTest::newRow("left baseline")
        << int(TaBaseline) << QRect(50, 30, 50, 20) << QRect(0, 52, 100, 48);
    QTest::newRow("left top") << 0 << QRect(50, 50, 50, 20) << QRect(0, 0, 100, 49);
    QTest::newRow("left bottom") << int(TaBottom) << QRect(50, 25, 50, 25) << QRect(0, 52, 100, 48);
    QTest::newRow("right baseline")
        << int(TaRight | TaBaseline) << QRect(0, 30, 50, 20) << QRect(52, 0, 48, 100);
    QTest::newRow("centre baseline")
        << int(TaCenter | TaBaseline) << QRect(40, 35, 20, 14) << QRect(0, 52, 100, 48);
}

void TestMetafile::textAlignsToReferencePoint()
{
    QFETCH(int, align);
    QFETCH(QRect, inked);
    QFETCH(QRect, blank);
    MetafileBuilder b = page();
    b.font(-200, "Arial").select(1).record(SetBkMode, { Transparent });
    b.record(SetTextAlign, { align }).textOut(500, 500, "HHH");
    const QImage image = render(b.build());
    QVERIFY(inkIn(image, inked) > 40);
    QCOMPARE(inkIn(image, blank), 0);
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

void TestMetafile::bitmapsOfEveryDepthShowTheirColours_data()
{
    QTest::addColumn<int>("bpp");
    QTest::addColumn<QByteArray>("dib");

    // Left half red, right half blue, except the top-left pixel green; 4 x 4 pixels.
    auto colour = [](int x, int y) { return x == 0 && y == 0 ? Green : x < 2 ? Red : Blue; };
    const QList<QRgb> palette { Red, Blue, Green };
    auto index = [&](int x, int y) { return quint32(palette.indexOf(colour(x, y))); };
    for (int bpp : { 1, 4, 8 }) {
        QList<QRgb> table = palette;
        if (bpp == 1) // two colours only: no green corner
            table = { Red, Blue };
        QTest::addRow("%d bits with palette", bpp)
            << bpp << MetafileBuilder::dib(bpp, 4, 4, table, [&, bpp](int x, int y) {
                   return bpp == 1 ? quint32(x >= 2) : index(x, y);
               });
    }
    for (int bpp : { 24, 32 })
        QTest::addRow("%d bits", bpp)
            << bpp << MetafileBuilder::dib(bpp, 4, 4, {}, [&](int x, int y) {
                   return quint32(colour(x, y));
               });
}

void TestMetafile::bitmapsOfEveryDepthShowTheirColours()
{
    QFETCH(int, bpp);
    QFETCH(QByteArray, dib);
    MetafileBuilder b = page();
    b.stretchDib(QRect(0, 0, 1000, 1000), dib, 4, 4);
    const QImage image = render(b.build());
    QCOMPARE(at(image, 30, 60), Red);
    QCOMPARE(at(image, 70, 60), Blue);
    QCOMPARE(at(image, 5, 5), bpp == 1 ? Red : Green);
}

void TestMetafile::bitmapRecordsPlaceTheirImage()
{
    const QByteArray dib = MetafileBuilder::dib(24, 2, 2, {}, [](int, int) { return Red; });
    QByteArray params;
    auto words = [&](std::initializer_list<int> list) {
        QByteArray out;
        for (int w : list)
            MetafileBuilder::put16(out, w);
        return out;
    };
    MetafileBuilder b = page();
    // Stretch-blt: source 2 x 2 into the top-left quarter.
    params = words({ 0x0020, 0x00CC, 2, 2, 0, 0, 500, 500, 0, 0 }) + dib;
    b.raw(DibStretchBlt, params);
    // Bit-blt: 2 x 2 pixels of source at (900, 900): a speck.
    params = words({ 0x0020, 0x00CC, 0, 0, 2, 2, 900, 900 }) + dib;
    b.raw(DibBitBlt, params);
    // Set-DIB-to-device: the bitmap at (600, 0), 2 x 2 logical units.
    params = words({ 0, 2, 0, 0, 0, 2, 2, 0, 600 }) + dib;
    b.raw(SetDibToDev, params);
    // Without a bitmap, a pattern blt of whiteness and of the brush.
    b.brush(BsSolid, Blue).select(1);
    b.record(PatBlt, { 0x0021, 0x00F0, 300, 300, 600, 600 });
    b.record(DibStretchBlt, { 0x0062, 0x00FF, 0, 0, 0, 0, 0, 100, 100, 700, 700 });
    const QImage image = render(b.build(), QSize(1000, 1000));
    QCOMPARE(at(image, 250, 250), Red);
    QCOMPARE(at(image, 501, 250), White);
    QCOMPARE(at(image, 900, 900), Red);
    QCOMPARE(at(image, 601, 1), Red);
    QCOMPARE(at(image, 650, 650), Blue);
    QCOMPARE(at(image, 750, 750), White);
}

void TestMetafile::paletteIndexedBitmapUsesSelectedPalette()
{
    // A logical palette of green then red; the bitmap's colour table holds indexes into it.
    MetafileBuilder b = page();
    QByteArray palette;
    MetafileBuilder::put16(palette, 0x300);
    MetafileBuilder::put16(palette, 2);
    palette.append(QByteArray("\0\xFF\0\0\xFF\0\0\0", 8));
    b.raw(CreatePalette, palette).record(SelectPalette, { 1 });
    QByteArray dib = MetafileBuilder::dib(8, 2, 1, {}, [](int x, int) { return quint32(x); });
    // Two colour-table entries as 16-bit palette indexes: 1 (red) and 0 (green).
    dib.replace(32, 4, QByteArray("\2\0\0\0", 4));
    dib.insert(40, QByteArray("\1\0\0\0", 4));
    b.stretchDib(QRect(0, 0, 1000, 1000), dib, 2, 1, SrcCopy, DibPalColors);
    const QImage image = render(b.build());
    QCOMPARE(at(image, 20, 50), Red);
    QCOMPARE(at(image, 80, 50), Green);
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

void TestMetafile::rasterOperationsCombineWithBackground()
{
    // The classic transparent bitmap: a mask ANDed in, then the image ORed over it.
    const QByteArray mask
        = MetafileBuilder::dib(24, 2, 1, {}, [](int x, int) { return x == 0 ? Black : White; });
    const QByteArray picture
        = MetafileBuilder::dib(24, 2, 1, {}, [](int x, int) { return x == 0 ? Red : Black; });
    MetafileBuilder b = page();
    b.brush(BsSolid, Blue).select(1).rectangle(0, 0, 1000, 1000);
    b.stretchDib(QRect(0, 0, 1000, 1000), mask, 2, 1, SrcAnd);
    b.stretchDib(QRect(0, 0, 1000, 1000), picture, 2, 1, SrcPaint);
    const QImage image = render(b.build());
    QCOMPARE(at(image, 20, 50), Red);
    QCOMPARE(at(image, 80, 50), Blue);

    MetafileBuilder n = page();
    n.stretchDib(QRect(0, 0, 1000, 1000), picture, 2, 1, NotSrcCopy);
    const QImage inverted = render(n.build());
    QCOMPARE(at(inverted, 20, 50), qRgb(0, 255, 255));
    QCOMPARE(at(inverted, 80, 50), White);
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

    auto withRecord = [](quint16 function, const QByteArray &params) {
        MetafileBuilder b = page();
        b.raw(function, params);
        b.brush(BsSolid, Red).select(1).rectangle(0, 0, 1000, 1000);
        return b.build();
    };
    QByteArray zeroSize = page().build();
    zeroSize.chop(6);
    MetafileBuilder::put32(zeroSize, 0);
    MetafileBuilder::put16(zeroSize, Rectangle);
    zeroSize.append(QByteArray(8, '\0'));
    QTest::newRow("record of size zero") << zeroSize << true;
    QByteArray huge = page().build();
    huge.chop(6);
    MetafileBuilder::put32(huge, 0x7FFFFFFF);
    MetafileBuilder::put16(huge, Rectangle);
    QTest::newRow("record larger than the file") << huge << true;

    auto words = [](std::initializer_list<int> list) {
        QByteArray out;
        for (int w : list)
            MetafileBuilder::put16(out, w);
        return out;
    };
    QTest::newRow("polygon counting past its record")
        << withRecord(Polygon, words({ 30000, 1, 2, 3, 4 })) << true;
    QTest::newRow("negative polygon count") << withRecord(Polyline, words({ -5, 1, 2 })) << true;
    QTest::newRow("poly-polygon counts past its record")
        << withRecord(PolyPolygon, words({ 2, 65535, 65535, 0, 0 })) << true;
    QTest::newRow("poly-polygon with 65535 polygons")
        << withRecord(PolyPolygon, words({ 65535, 1 })) << true;
    QTest::newRow("text longer than its record")
        << withRecord(TextOut, words({ 20000, 0x4141 })) << true;
    QTest::newRow("extended text with rectangle flags and no room")
        << withRecord(ExtTextOut, words({ 0, 0, 4, EtoClipped })) << true;
    QTest::newRow("font without a face") << withRecord(CreateFontIndirect, words({ -100 })) << true;
    QTest::newRow("select out of range") << withRecord(SelectObject, words({ 65535 })) << true;
    QTest::newRow("delete out of range") << withRecord(DeleteObject, words({ 40000 })) << true;
    QTest::newRow("restore without save") << withRecord(RestoreDc, words({ -32768 })) << true;
    MetafileBuilder giant;
    giant.anisotropic(1, 1).pen(PsDash, 30000, Black).select(0);
    giant.record(MoveTo, { -32768, -32768 }).record(LineTo, { 32767, 32767 });
    giant.pen(PsDot, 0, Black).select(1).record(Ellipse, { 32767, 32767, -32768, -32768 });
    QTest::newRow("shapes a million pixels wide") << giant.build() << true;
    QTest::newRow("zero window extent") << withRecord(SetWindowExt, words({ 0, 0 })) << true;
    QTest::newRow("region with runaway scans")
        << withRecord(CreateRegion, words({ 0, 6, 0, 0, 100, 30000, 0, 0, 0, 10, 10, 4 })) << true;
    QTest::newRow("palette longer than its record")
        << withRecord(CreatePalette, words({ 0x300, 65535, 0, 0 })) << true;

    QByteArray bigDib;
    MetafileBuilder::put32(bigDib, 40);
    MetafileBuilder::put32(bigDib, 60000);
    MetafileBuilder::put32(bigDib, 60000);
    MetafileBuilder::put16(bigDib, 1);
    MetafileBuilder::put16(bigDib, 24);
    bigDib.append(QByteArray(24, '\0'));
    bigDib.append(QByteArray(64, '\x7F'));
    QByteArray params = words({ 0x0020, 0x00CC, 0, 100, 100, 0, 0, 100, 100, 0, 0 }) + bigDib;
    QTest::newRow("bitmap of 60000 x 60000 pixels") << withRecord(StretchDib, params) << true;
    QByteArray shortDib = MetafileBuilder::dib(24, 100, 100, {}, [](int, int) { return Red; });
    shortDib.truncate(500);
    params = words({ 0x0020, 0x00CC, 0, 100, 100, 0, 0, 100, 100, 0, 0 }) + shortDib;
    QTest::newRow("bitmap with too few bits") << withRecord(StretchDib, params) << true;
    QByteArray rle;
    MetafileBuilder::put32(rle, 40);
    MetafileBuilder::put32(rle, 30000);
    MetafileBuilder::put32(rle, 30000);
    MetafileBuilder::put16(rle, 1);
    MetafileBuilder::put16(rle, 8);
    MetafileBuilder::put32(rle, BiRle8);
    rle.append(QByteArray(20, '\0'));
    rle.append(QByteArray("\x10\x01\x00\x02\xFF\xFF\x00\x01", 8));
    params = words({ 0x0020, 0x00CC, 0, 100, 100, 0, 0, 100, 100, 0, 0 }) + rle;
    QTest::newRow("run-length bitmap claiming 900 million pixels")
        << withRecord(StretchDib, params) << true;
    params = words({ 3, 1 }) + MetafileBuilder::dib(8, 2, 2, { Red }, [](int, int) { return 7; });
    QTest::newRow("pattern brush indexing a missing palette")
        << withRecord(DibCreatePatternBrush, params) << true;
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

void TestMetafile::mutatedFilesNeverCrash()
{
    const QByteArray good = richSample();
    QRandomGenerator random(20261206);
    QImage image(24, 24, QImage::Format_RGB32);
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes = good;
        const int changes = 1 + int(random.bounded(8));
        for (int i = 0; i < changes; ++i) {
            const int at = int(random.bounded(quint32(bytes.size())));
            switch (random.bounded(3)) {
            case 0:
                bytes[at] = char(random.bounded(256));
                break;
            case 1:
                bytes[at] = char(bytes[at] ^ (1 << random.bounded(8)));
                break;
            default:
                bytes.truncate(at);
                break;
            }
            if (bytes.isEmpty())
                break;
        }
        image.fill(White);
        QPainter painter(&image);
        const Metafile metafile = Metafile::fromData(bytes);
        metafile.play(painter, QRectF(0, 0, 24, 24));
    }
    QVERIFY(true);
}

void TestMetafile::fromFileReadsDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.wmf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(richSample());
    file.close();
    const Metafile metafile = Metafile::fromFile(path);
    QVERIFY(metafile.isValid());
    QVERIFY(metafile.recordCount() > 30);
    QVERIFY(!Metafile::fromFile(dir.filePath(QStringLiteral("missing.wmf"))).isValid());
    // Copies share the parsed picture and stay valid on their own.
    Metafile copy;
    {
        const Metafile original = Metafile::fromFile(path);
        copy = original;
    }
    QCOMPARE(copy.naturalSizeTwips(), QSizeF(1000, 1000));
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
