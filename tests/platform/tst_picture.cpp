#include "testutil.h"

#include "metafilewriter.h"
#include "picture.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Qt reads GIF but cannot write it, so the test writes its own: every code 8 bits wide
// (minimum code size 7) with a clear code often enough that the width never grows.
QByteArray gifFile(const QImage &image)
{
    QByteArray out("GIF89a");
    const auto put16 = [&out](int v) {
        out.append(char(v & 0xff));
        out.append(char((v >> 8) & 0xff));
    };
    put16(image.width());
    put16(image.height());
    out.append(char(0xf6)); // global colour table of 128 entries
    out.append('\0');
    out.append('\0');
    QList<QRgb> palette;
    QByteArray indexes;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            qsizetype i = palette.indexOf(rgb);
            if (i < 0) {
                palette.append(rgb);
                i = palette.size() - 1;
            }
            indexes.append(char(i));
        }
    }
    Q_ASSERT(palette.size() <= 128);
    for (int i = 0; i < 128; ++i) {
        const QRgb rgb = i < palette.size() ? palette[i] : 0;
        out.append(char(qRed(rgb)));
        out.append(char(qGreen(rgb)));
        out.append(char(qBlue(rgb)));
    }
    out.append(',');
    put16(0);
    put16(0);
    put16(image.width());
    put16(image.height());
    out.append('\0');
    out.append(char(7));
    QByteArray codes;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (i % 100 == 0)
            codes.append(char(128));
        codes.append(indexes[i]);
    }
    codes.append(char(129));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
    out.append(';');
    return out;
}

QImage twoColourImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixelColor(x, y, QColor(255, 0, 0));
    return image;
}

} // namespace

class PictureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void bitmapsLoadAtNaturalSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("requested");
        QTest::newRow("jpeg") << u"Images/waterlilies.jpg"_s << u"images\\WaterLilies.JPG"_s;
        QTest::newRow("gif") << u"logo/corv0007.gif"_s << u"logo\\corv0007.gif"_s;
        QTest::newRow("bmp") << u"logo/corvane2.bmp"_s << u"Logo/corvane2.bmp"_s;
    }

    void bitmapsLoadAtNaturalSize()
    {
        QFETCH(QString, file);
        QFETCH(QString, requested);
        TestUtil::TemporaryMedia media;
        const QImage image = twoColourImage(40, 30);
        if (file.endsWith(u".gif"_s)) {
            QVERIFY(media.write(file, gifFile(image)));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(media.path(file)).absolutePath()));
            QVERIFY(image.save(media.path(file), nullptr, 100));
        }

        const Picture picture = Picture::load(requested);
        QVERIFY(!picture.isNull());
        QVERIFY(!picture.isMetafile());
        QCOMPARE(picture.sizePixels(), QSize(40, 30));
        QCOMPARE(picture.sizeTwips(), QSizeF(600, 450));
        QCOMPARE(picture.sourcePath(), requested);

        QImage canvas(40, 30, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.paint(painter, QRectF(0, 0, 40, 30));
        painter.end();
        const QColor left = canvas.pixelColor(5, 15);
        const QColor right = canvas.pixelColor(35, 15);
        QVERIFY(left.red() > 200 && left.blue() < 60);
        QVERIFY(right.blue() > 200 && right.red() < 60);
    }

    void missingOrUnreadableFilesGiveANullPicture_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::newRow("missing bitmap") << u"images\\missing.jpg"_s;
        QTest::newRow("missing metafile") << u"wmf\\missing.wmf"_s;
        QTest::newRow("garbage jpeg") << u"images\\garbage.jpg"_s;
        QTest::newRow("garbage metafile") << u"wmf\\garbage.wmf"_s;
        QTest::newRow("empty file") << u"images\\empty.bmp"_s;
        QTest::newRow("folder") << u"images"_s;
        QTest::newRow("outside the media root") << u"..\\secret.jpg"_s;
        QTest::newRow("empty path") << QString();
    }

    void missingOrUnreadableFilesGiveANullPicture()
    {
        QFETCH(QString, requested);
        TestUtil::TemporaryMedia media;
        QVERIFY(media.write(u"images/garbage.jpg"_s, QByteArray(300, 'x')));
        QVERIFY(media.write(u"wmf/garbage.wmf"_s, QByteArray("\xd7\xcd\xc6\x9a garbage")));
        QVERIFY(media.write(u"images/empty.bmp"_s, QByteArray()));

        const Picture picture = Picture::load(requested);
        QVERIFY(picture.isNull());
        QVERIFY(picture.sizeTwips().isEmpty());
        QCOMPARE(picture.sizePixels(), QSize(0, 0));
        QVERIFY(picture.sourcePath().isEmpty());
        QImage canvas(10, 10, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.paint(painter, QRectF(0, 0, 10, 10));
        painter.end();
        QCOMPARE(canvas.pixelColor(5, 5), QColor(Qt::white));
    }

    void metafilesKeepTheirSizeAndStaySharpAtAnyPixelRatio()
    {
        TestUtil::TemporaryMedia media;
        MetafileWriter writer(QSizeF(1500, 750));
        {
            QPainter painter(&writer);
            painter.fillRect(QRectF(0, 0, 1500, 750), Qt::white);
            painter.fillRect(QRectF(0, 0, 757, 750), Qt::red);
        }
        QVERIFY(QDir().mkpath(media.path(u"wmf"_s)));
        QVERIFY(writer.save(media.path(u"wmf/page.wmf"_s)));

        const Picture picture = Picture::load(u"WMF\\Page.wmf"_s);
        QVERIFY(picture.isMetafile());
        QCOMPARE(picture.sizeTwips(), QSizeF(1500, 750));
        QCOMPARE(picture.sizePixels(), QSize(100, 50));

        // Twice the pixels: the edge at 757 twips lands at device pixel 100.9, so device pixel
        // 100 is almost wholly red and 101 white. A 1x bitmap scaled up would smear the edge's
        // half-covered pixel over both (about 60 % and 35 % red).
        QImage canvas(200, 100, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(2);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(picture.sizePixels())));
        painter.end();
        QCOMPARE(canvas.pixelColor(99, 50), QColor(Qt::red));
        QVERIFY(canvas.pixelColor(100, 50).green() < 40);
        QVERIFY(canvas.pixelColor(101, 50).green() > 240);
    }
};

QTEST_MAIN(PictureTest)
#include "tst_picture.moc"
