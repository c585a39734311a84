#include "metafile.h"
#include "metafilerecords.h"
#include "metafilewriter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace MetafileRecords;

namespace {

const QSizeF PageTwips(12000, 9000);
const QSize PagePixels(800, 600);

// A photograph-like image for the page, as a PNG data URI.
QString imageUri()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, 120 + y, 255 - x * 2));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QByteArray pageSvg()
{
    const QString svg
        = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg'\n"
                         "     xmlns:xlink='http://www.w3.org/1999/xlink' width='800' height='600' "
                         "viewBox='0 0 800 600'>\n"
                         "  <rect x='0' y='0' width='800' height='600' fill='#3187d6'/>\n"
                         "  <rect x='40' y='40' width='720' height='120' rx='20' fill='#ffffff' "
                         "stroke='#003366' stroke-width='6'/>\n"
                         "  <text x='400' y='115' font-family='Arial' font-size='44' "
                         "font-weight='bold' text-anchor='middle'\n"
                         "        fill='#003366'>Rivers and streams</text>\n"
                         "  <path d='M 40 400 C 160 300 280 500 400 400 S 640 300 760 400 L 760 "
                         "560 L 40 560 Z'\n"
                         "        fill='#1d5fa8' stroke='#0b2f5a' stroke-width='4'/>\n"
                         "  <path d='M 60 220 L 200 220 L 130 340 Z M 100 250 L 160 250 L 130 300 "
                         "Z' fill='#2e8b57'\n"
                         "        fill-rule='evenodd'/>\n"
                         "  <polyline points='240,330 300,230 360,330 420,230' fill='none' "
                         "stroke='#ffcc00' stroke-width='8'/>\n"
                         "  <circle cx='620' cy='250' r='60' fill='#ffdd33' stroke='#aa7700' "
                         "stroke-width='3'/>\n"
                         "  <image x='460' y='190' width='96' height='72' xlink:href='%1'/>\n"
                         "  <text x='60' y='470' font-family='Times New Roman' font-size='28' "
                         "fill='#ffffff'>Water flows downhill to the sea.</text>\n"
                         "  <text x='740' y='520' font-family='Arial' font-size='22' "
                         "font-style='italic' text-anchor='end'\n"
                         "        fill='#ffffff'>A river starts at its source.</text>\n"
                         "</svg>\n")
              .arg(imageUri());
    return svg.toUtf8();
}

QImage blank(QSize size = PagePixels)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage renderDirect(const QByteArray &svg)
{
    QImage image = blank();
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(PagePixels)));
    return image;
}

QByteArray writeSvg(const QByteArray &svg)
{
    QSvgRenderer renderer(svg);
    MetafileWriter writer(PageTwips);
    QPainter painter(&writer);
    renderer.render(&painter, QRectF(QPointF(0, 0), PageTwips));
    painter.end();
    return writer.data();
}

QImage play(const QByteArray &wmf, QSize size = PagePixels)
{
    QImage image = blank(size);
    QPainter painter(&image);
    Metafile::fromData(wmf).play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// Mean absolute difference per channel, 0 to 255.
double meanDifference(const QImage &a, const QImage &b, QImage *diff = nullptr)
{
    double total = 0;
    if (diff)
        *diff = QImage(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
            total += d;
            if (diff)
                diff->setPixel(x, y, qRgb(255 - std::min(255, d), 255 - std::min(255, d), 255));
        }
    }
    return total / (3.0 * a.width() * a.height());
}

int ink(const QImage &image, QRect area, QRgb background)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) | 0xFF000000u) != (background | 0xFF000000u);
    return count;
}

quint32 wordsAt(const QByteArray &bytes, qint64 pos, int count)
{
    quint32 value = 0;
    for (int i = 2 * count - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(pos + i));
    return value;
}

// The record functions in file order.
QList<quint16> functionsOf(const QByteArray &wmf)
{
    QList<quint16> functions;
    qint64 pos = 22 + 18;
    while (pos + 6 <= wmf.size()) {
        const quint32 words = wordsAt(wmf, pos, 2);
        functions.append(quint16(wordsAt(wmf, pos + 4, 1)));
        if (words < 3)
            break;
        pos += 2 * qint64(words);
    }
    return functions;
}

} // namespace

class TestMetafileWriter : public QObject
{
    Q_OBJECT

private slots:
    void headerDescribesThePage();
    void svgPagePlaysBackAsItWasDrawn();
    void textStaysTextWithFontAndSpacing();
    void charactersOutsideCodePageBecomeCurves();
    void imagesBecomeStretchDibs();
    void clippingAndFillRulesSurvive();
    void gradientsBecomeTheirMeanColour();
    void saveWritesWholeFile();
};

void TestMetafileWriter::headerDescribesThePage()
{
    MetafileWriter writer(PageTwips);
    QPainter painter(&writer);
    painter.fillRect(QRectF(0, 0, 100, 100), Qt::red);
    painter.end();
    const QByteArray wmf = writer.data();
    QCOMPARE(qFromLittleEndian<quint32>(wmf.constData()), PlaceableKey);
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + 10), qint16(12000));
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + 12), qint16(9000));
    QCOMPARE(qFromLittleEndian<quint16>(wmf.constData() + 14), quint16(1440));
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(wmf.constData() + 2 * i);
    QCOMPARE(qFromLittleEndian<quint16>(wmf.constData() + 20), sum);
    // The standard header's size is the whole file in words; the last record is the end.
    QCOMPARE(qint64(qFromLittleEndian<quint32>(wmf.constData() + 22 + 6)) * 2, wmf.size() - 22);
    QCOMPARE(functionsOf(wmf).last(), quint16(Eof));
    const Metafile metafile = Metafile::fromData(wmf);
    QVERIFY(metafile.isValid());
    QCOMPARE(metafile.naturalSizeTwips(), PageTwips);

    // Pages too big for 16-bit twips use coarser units and keep their size.
    MetafileWriter poster(QSizeF(60000, 30000));
    QCOMPARE(poster.unitsPerInch(), 720);
    QPainter posterPainter(&poster);
    posterPainter.end();
    QCOMPARE(Metafile::fromData(poster.data()).naturalSizeTwips(), QSizeF(60000, 30000));
}

void TestMetafileWriter::svgPagePlaysBackAsItWasDrawn()
{
    const QByteArray svg = pageSvg();
    const QImage direct = renderDirect(svg);
    const QByteArray wmf = writeSvg(svg);
    const QImage played = play(wmf);
    QImage diff;
    const double mean = meanDifference(direct, played, &diff);
    direct.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafilewriter_direct.png"));
    played.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafilewriter_played.png"));
    diff.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafilewriter_difference.png"));
    // Edges differ only by antialiasing and twip rounding (about 0.2 here); losing the sun
    // alone would cost 3.5, a missing line of body text about 0.8.
    qInfo("mean difference per channel: %.3f", mean);
    QVERIFY2(mean < 0.6, qPrintable(QString::number(mean)));
    // SVG text stays text, spaces and all.
    QCOMPARE(functionsOf(wmf).count(ExtTextOut), 3);
    QVERIFY(wmf.contains("Rivers and streams"));
    QVERIFY(wmf.contains("Water flows downhill to the sea."));
    QVERIFY(wmf.contains("A river starts at its source."));
    QVERIFY(wmf.contains("Times New Roman"));
    // The heading is where the SVG put it, in its colour.
    QVERIFY(ink(played, QRect(200, 80, 400, 40), qRgb(255, 255, 255)) > 2000);
    QCOMPARE(played.pixel(130, 240) | 0xFF000000u, direct.pixel(130, 240) | 0xFF000000u);
    QCOMPARE(played.pixel(130, 280), qRgb(0x31, 0x87, 0xd6)); // the hole of the even-odd shape
}

void TestMetafileWriter::textStaysTextWithFontAndSpacing()
{
    MetafileWriter writer(PageTwips);
    QPainter painter(&writer);
    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(660); // 44 pixels at 15 twips each
    heading.setBold(true);
    painter.setFont(heading);
    painter.setPen(QColor(0, 0x33, 0x66));
    painter.drawText(QPointF(1500, 1725), QStringLiteral("Rivers and streams"));
    QFont body(QStringLiteral("Times New Roman"));
    body.setPointSizeF(21);
    body.setItalic(true);
    painter.setFont(body);
    painter.drawText(QPointF(900, 7050), QStringLiteral("Water flows downhill to the sea."));
    painter.save();
    painter.translate(6000, 6000);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), QStringLiteral("Up"));
    painter.restore();
    painter.end();
    const QByteArray wmf = writer.data();

    const QList<quint16> functions = functionsOf(wmf);
    QCOMPARE(functions.count(ExtTextOut), 3);
    QCOMPARE(functions.count(CreateFontIndirect), 3);
    QVERIFY(!functions.contains(Polygon) && !functions.contains(PolyPolygon));
    QVERIFY(wmf.contains("Rivers and streams"));
    QVERIFY(wmf.contains("Water flows downhill to the sea."));
    // Heading font: 660 twips of character height, bold, no rotation.
    const qsizetype font = wmf.indexOf("Arial") - 18;
    QVERIFY(font > 0);
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + font), qint16(-660));
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + font + 4), qint16(0));
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + font + 8), qint16(700));
    // Body font: 21 points are 420 twips, italic.
    const qsizetype serif = wmf.indexOf("Times New Roman") - 18;
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + serif), qint16(-420));
    QCOMPARE(wmf.at(serif + 10), '\1');
    // The rotated word's font turns 90 degrees counter-clockwise.
    const qsizetype last = wmf.lastIndexOf("Times New Roman") - 18;
    QCOMPARE(qFromLittleEndian<qint16>(wmf.constData() + last + 4), qint16(900));
    // Spacing arrays follow the strings and add up to the laid-out width.
    const qsizetype text = wmf.indexOf("Rivers and streams");
    int width = 0;
    for (int i = 0; i < 18; ++i)
        width += qFromLittleEndian<qint16>(wmf.constData() + text + 18 + 2 * i);
    QFontMetricsF metrics(heading, &writer);
    QVERIFY2(std::abs(width - metrics.horizontalAdvance(QStringLiteral("Rivers and streams"))) < 20,
             qPrintable(QString::number(width)));
    play(wmf).save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafilewriter_text.png"));
}

void TestMetafileWriter::charactersOutsideCodePageBecomeCurves()
{
    MetafileWriter writer(QSizeF(3000, 1500));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(600);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(100, 900), QStringLiteral("\u03A9\u2192"));
    painter.drawText(QPointF(100, 1400), QStringLiteral("caf\u00E9 \u20AC5"));
    painter.end();
    const QByteArray wmf = writer.data();
    const QList<quint16> functions = functionsOf(wmf);
    QCOMPARE(functions.count(ExtTextOut), 1);
    QVERIFY(wmf.contains("caf\xE9 \x80"
                         "5"));
    QVERIFY(functions.contains(Polygon) || functions.contains(PolyPolygon));
    const QImage image = play(wmf, QSize(200, 100));
    QVERIFY(ink(image, QRect(5, 20, 80, 40), qRgb(255, 255, 255)) > 200);
}

void TestMetafileWriter::imagesBecomeStretchDibs()
{
    QImage photo(40, 20, QImage::Format_RGB32);
    photo.fill(qRgb(200, 30, 30));
    QImage badge(10, 10, QImage::Format_ARGB32);
    badge.fill(Qt::transparent);
    QPainter badgePainter(&badge);
    badgePainter.fillRect(QRect(0, 0, 5, 10), Qt::blue);
    badgePainter.end();

    MetafileWriter writer(QSizeF(1500, 1500));
    QPainter painter(&writer);
    painter.fillRect(QRectF(0, 0, 1500, 1500), Qt::white);
    painter.drawImage(QRectF(0, 0, 1500, 750), photo);
    painter.drawImage(QRectF(0, 750, 1500, 750), badge);
    // A huge source is stored at no more than 300 dpi of its size on the page.
    painter.drawImage(QRectF(0, 0, 144, 144), QImage(2000, 2000, QImage::Format_RGB32));
    painter.end();
    const QByteArray wmf = writer.data();
    QCOMPARE(functionsOf(wmf).count(StretchDib), 3);
    QVERIFY(wmf.size() < 200000);

    const QImage image = play(wmf, QSize(100, 100));
    QCOMPARE(image.pixel(50, 30), qRgb(200, 30, 30));
    QCOMPARE(image.pixel(20, 80), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(80, 80), qRgb(255, 255, 255)); // transparent half shows the page
}

void TestMetafileWriter::clippingAndFillRulesSurvive()
{
    MetafileWriter writer(QSizeF(1500, 1500));
    QPainter painter(&writer);
    painter.setClipRect(QRectF(0, 0, 750, 1500));
    painter.fillRect(QRectF(0, 0, 1500, 750), Qt::red);
    painter.setClipping(false);
    QPainterPath ring;
    ring.addEllipse(QRectF(0, 750, 1500, 750));
    ring.addEllipse(QRectF(375, 937, 750, 375));
    ring.setFillRule(Qt::OddEvenFill);
    painter.fillPath(ring, Qt::blue);
    painter.setPen(QPen(Qt::green, 60));
    painter.drawLine(QPointF(0, 30), QPointF(1500, 30));
    painter.end();

    const QImage image = play(writer.data(), QSize(100, 100));
    QCOMPARE(image.pixel(25, 25), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(75, 25), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(10, 75), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(50, 75), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(90, 2), qRgb(0, 255, 0)); // after the clip ends, across the page
}

void TestMetafileWriter::gradientsBecomeTheirMeanColour()
{
    MetafileWriter writer(QSizeF(1500, 1500));
    QPainter painter(&writer);
    QLinearGradient gradient(0, 0, 1500, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    painter.fillRect(QRectF(0, 0, 1500, 750), gradient);
    // Fully transparent paint leaves nothing behind.
    painter.fillRect(QRectF(0, 750, 1500, 750), QColor(0, 0, 0, 0));
    painter.end();
    const QImage image = play(writer.data(), QSize(100, 100));
    const QColor mean = image.pixelColor(50, 25);
    QVERIFY(std::abs(mean.red() - 128) <= 2 && mean.green() == 0
            && std::abs(mean.blue() - 128) <= 2);
    QCOMPARE(image.pixel(50, 75), qRgb(255, 255, 255));
}

void TestMetafileWriter::saveWritesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.wmf"));
    MetafileWriter writer(PageTwips);
    QPainter painter(&writer);
    painter.fillRect(QRectF(100, 100, 1000, 1000), Qt::darkGreen);
    painter.end();
    QVERIFY(writer.save(path));
    const Metafile metafile = Metafile::fromFile(path);
    QVERIFY(metafile.isValid());
    QCOMPARE(metafile.naturalSizeTwips(), PageTwips);
    QVERIFY(!writer.save(dir.filePath(QStringLiteral("missing/folder/page.wmf"))));
    QVERIFY(!Metafile::fromFile(dir.filePath(QStringLiteral("missing.wmf"))).isValid());
}

QTEST_MAIN(TestMetafileWriter)
#include "tst_metafilewriter.moc"
