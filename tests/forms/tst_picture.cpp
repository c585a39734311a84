#include "testutil.h"

#include "metafilewriter.h"
#include "picture.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Qt reads GIF but cannot write it: the two-colour picture as a GIF, 40 x 30 pixels.
const char twoColourGif[]
    = "\x47\x49\x46\x38\x39\x61\x28\x00\x1e\x00\xf0\x00\x00\xff\x00\x00\x00\x00\xff\x21\xf9\x04"
      "\x00\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x28\x00\x1e\x00\x00\x02\x4b\x84\x8f\x99\xc1\xed"
      "\xff\x94\x94\xb0\xd6\x89\x8f\xdd\x2d\x67\xce\x79\x18\xb8\x89\x13\x69\x99\x14\x0a\xa9\x0a"
      "\xdb\xba\x08\x1c\xc9\x1a\xdd\xd9\x06\x9e\xeb\x3c\xa3\xdb\xfd\x82\x80\x5f\x80\x68\x44\x0e"
      "\x83\x49\xe6\xd2\xf7\xb4\x35\xa1\x3c\x65\xd5\x79\xa5\xe2\xac\x5b\x6c\x57\x4b\xe3\x86\xbd"
      "\x63\x30\xac\x00\x00\x3b";

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
            QVERIFY(media.write(file, QByteArray(twoColourGif, sizeof twoColourGif - 1)));
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
