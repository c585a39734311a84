#include "testutil.h"

#include "picture.h"

#include <QPainter>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace { } // namespace

class PictureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
        TemporaryMedia media;
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
};

QTEST_MAIN(PictureTest)
#include "tst_picture.moc"
