#include "mediapath.h"
#include "picture.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

struct DesignPicture
{
    const char *path; // as the screens write it
    int width; // design size in pixels, 15 twips each
    int height;
};

constexpr DesignPicture designPictures[] = {
    { "Images\\waterliliessm.jpg", 360, 240 },
    { "Images\\rivers1.jpg", 320, 240 },
    { "Images\\rivers2.jpg", 320, 240 },
    { "images\\rivers1sm.jpg", 57, 41 },
    { "images\\rivers2sm.jpg", 57, 41 },
    { "images\\swan1.jpg", 57, 41 },
    { "Images\\drainage.jpg", 420, 400 },
    { "Images\\crosssection2.jpg", 800, 285 },
    { "Images\\source.jpg", 240, 160 },
    { "Images\\stream.jpg", 240, 168 },
    { "Images\\river1.jpg", 240, 160 },
    { "Images\\sea.jpg", 240, 160 },
    { "Images\\floodplain.jpg", 240, 160 },
    { "Images\\source2.jpg", 240, 161 },
    { "Images\\embankment.jpg", 240, 160 },
    { "Images\\meander.jpg", 240, 160 },
    { "Images\\estuary.jpg", 240, 160 },
    { "Images\\waterfall.jpg", 240, 160 },
    { "Images\\cycleanswer.jpg", 800, 600 },
    { "Images\\drainageanswer.jpg", 800, 600 },
    { "Images\\rivers1answer.jpg", 800, 600 },
    { "Images\\landformsanswer.jpg", 800, 600 },
    { "Images\\irrigationanswer.jpg", 800, 600 },
    { "Images\\supply2answer.jpg", 800, 600 },
    { "logo\\corvane2.bmp", 120, 89 },
};

constexpr const char *pages[] = {
    "introductiona", "introductionb", "key rivers 1",    "key rivers 2a",
    "key rivers 2b", "rivers 1",      "rivers 2",        "guide1",
    "guide2",        "guide3",        "acknowledgments",
};

enum class Length { Click, Celebration };

struct Sound
{
    const char *path;
    Length length;
};

constexpr Sound sounds[] = {
    { "wav\\click.wav", Length::Click },          { "wav\\typekey.wav", Length::Click },
    { "wav\\thud3.wav", Length::Click },          { "wav\\halleluj.wav", Length::Celebration },
    { "wav\\fanf2.wav", Length::Celebration },    { "wav\\fanf3.wav", Length::Celebration },
    { "wav\\fanf4.wav", Length::Celebration },    { "wav\\slot_payoff.wav", Length::Celebration },
    { "wav\\crowd.wav", Length::Celebration },    { "wav\\cheer2.wav", Length::Celebration },
    { "wav\\klaxon.wav", Length::Celebration },   { "wav\\flute.wav", Length::Celebration },
    { "wav\\gong.wav", Length::Celebration },     { "wav\\clap2.wav", Length::Celebration },
    { "wav\\drumroll.wav", Length::Celebration }, { "wav\\laser2.wav", Length::Celebration },
    { "wav\\whizz.wav", Length::Celebration },    { "wav\\clap3.wav", Length::Celebration },
    { "wav\\clown.wav", Length::Celebration },
};

QString logoFrame(int frame)
{
    // The viewer builds the names this way: "logo\corv000" + n below 10, else "logo\corv00" + n.
    return frame < 10 ? QStringLiteral("logo\\corv000%1.gif").arg(frame)
                      : QStringLiteral("logo\\corv00%1.gif").arg(frame);
}

QByteArray readMedia(const QString &relativePath)
{
    QFile file(MediaPath::resolve(relativePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Share of pixels that differ clearly from the most common colour: 0 for a blank picture.
double detail(const QImage &image)
{
    const QImage small = image.scaled(64, 48).convertToFormat(QImage::Format_RGB32);
    const QRgb corner = small.pixel(0, 0);
    int differing = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QRgb p = small.pixel(x, y);
            if (std::abs(qRed(p) - qRed(corner)) + std::abs(qGreen(p) - qGreen(corner))
                    + std::abs(qBlue(p) - qBlue(corner))
                > 60)
                ++differing;
        }
    return double(differing) / (small.width() * small.height());
}

QImage render(const Picture &picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

class TestMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesLoadAtTheirDesignSize_data();
    void picturesLoadAtTheirDesignSize();
    void diagramsShowWhatTheirLabelsPointAt_data();
    void diagramsShowWhatTheirLabelsPointAt();
    void logoFramesMakeOneMovingLoop();
    void pagesAreMetafilesThatFitTheViewerAndThePage_data();
    void pagesAreMetafilesThatFitTheViewerAndThePage();
    void soundsArePcmMonoCleanAndOfTheirLength_data();
    void soundsArePcmMonoCleanAndOfTheirLength();
    void emptyCatalogueIsOneLine();
    void contactSheetShowsEveryPictureAndPage();
};

void TestMedia::initTestCase()
{
    MediaPath::setRoot(QStringLiteral(ONDEL_MEDIA_DIR));
}

void TestMedia::picturesLoadAtTheirDesignSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const DesignPicture &p : designPictures)
        QTest::newRow(p.path) << QString::fromLatin1(p.path) << QSize(p.width, p.height);
}

void TestMedia::picturesLoadAtTheirDesignSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const Picture picture = Picture::load(path);
    QVERIFY2(!picture.isNull(), qPrintable(path));
    QVERIFY(!picture.isMetafile());
    QCOMPARE(picture.sizePixels(), size);
    QVERIFY2(detail(picture.image()) > 0.05, "the picture looks blank");
}

void TestMedia::diagramsShowWhatTheirLabelsPointAt_data()
{
    // Where the labelling activities point, in screen twips, and the picture's top left.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    const QColor river(0x2f, 0x86, 0xcc);
    const QColor ridge(0xb5, 0x47, 0x2b);
    const QString drainage = QStringLiteral("Images\\drainage.jpg");
    const QString section = QStringLiteral("Images\\crosssection2.jpg");
    // rivers1lab: the inner ends of its four leader lines.
    QTest::newRow("watershed") << drainage << QPoint(2760, 840) << QPoint(3480, 2040) << ridge;
    QTest::newRow("confluence") << drainage << QPoint(2760, 840) << QPoint(5400, 3960) << river;
    QTest::newRow("estuary") << drainage << QPoint(2760, 840) << QPoint(7200, 3120) << river;
    QTest::newRow("tributary") << drainage << QPoint(2760, 840) << QPoint(5400, 4800) << river;
    // rivers2lab: the spring just below the "source" box, the river meeting the sea under
    // the "mouth" box.
    QTest::newRow("source") << section << QPoint(0, 2160) << QPoint(1620, 2670) << river;
    QTest::newRow("mouth") << section << QPoint(0, 2160) << QPoint(10440, 4890) << river;
}

void TestMedia::diagramsShowWhatTheirLabelsPointAt()
{
    QFETCH(QString, path);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const QImage image = Picture::load(path).image();
    QVERIFY(!image.isNull());
    const QPoint at = (point - origin) / 15;
    // Somewhere within 4 pixels of the point the picture has the feature's colour.
    int best = 1000;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const QColor c = image.pixelColor(at + QPoint(dx, dy));
            best = std::min(best,
                            std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                                + std::abs(c.blue() - colour.blue()));
        }
    QVERIFY2(best < 60, qPrintable(QString::number(best)));
}

void TestMedia::logoFramesMakeOneMovingLoop()
{
    QList<QImage> frames;
    for (int i = 0; i < 20; ++i) {
        const Picture frame = Picture::load(logoFrame(i));
        QVERIFY2(!frame.isNull(), qPrintable(logoFrame(i)));
        QCOMPARE(frame.sizePixels(), QSize(120, 120));
        frames.append(frame.image().convertToFormat(QImage::Format_RGB32));
    }
    // Every step, the last back to the first included, changes the picture: it moves.
    for (int i = 0; i < 20; ++i)
        QVERIFY2(frames.at(i) != frames.at((i + 1) % 20), qPrintable(logoFrame(i)));
    QVERIFY(Picture::load(QStringLiteral("logo\\corv0020.gif")).isNull());
}

void TestMedia::pagesAreMetafilesThatFitTheViewerAndThePage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSizeF>("size");
    for (const char *page : pages) {
        const QString name = QString::fromLatin1(page);
        QTest::newRow(qPrintable(QStringLiteral("wmf ") + name))
            << QStringLiteral("wmf\\%1.wmf").arg(name) << QSizeF(10400, 7800);
        QTest::newRow(qPrintable(QStringLiteral("wmf2 ") + name))
            << QStringLiteral("wmf2/%1.wmf").arg(name) << QSizeF(9900, 7425);
    }
}

void TestMedia::pagesAreMetafilesThatFitTheViewerAndThePage()
{
    QFETCH(QString, path);
    QFETCH(QSizeF, size);
    const QByteArray bytes = readMedia(path);
    QCOMPARE(bytes.left(4), QByteArray("\xD7\xCD\xC6\x9A")); // the placeable header key

    const Picture picture = Picture::load(path);
    QVERIFY(picture.isMetafile());
    QCOMPARE(picture.sizeTwips().toSize(), size.toSize());
    // Screen copies sit at left 120 above the buttons at 7920; print copies start at
    // 1000, 1000 on a portrait A4 or Letter page (11906 x 15840 twips at the least).
    QVERIFY(120 + size.width() <= 10680 && size.height() <= 7920);
    QVERIFY(1000 + size.width() <= 11906 && 1000 + size.height() <= 15840);
    QVERIFY2(detail(render(picture, picture.sizePixels())) > 0.05, "the page looks blank");
}

void TestMedia::soundsArePcmMonoCleanAndOfTheirLength_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("click");
    for (const Sound &s : sounds)
        QTest::newRow(s.path) << QString::fromLatin1(s.path) << (s.length == Length::Click);
}

void TestMedia::soundsArePcmMonoCleanAndOfTheirLength()
{
    QFETCH(QString, path);
    QFETCH(bool, click);
    const QByteArray bytes = readMedia(path);
    QVERIFY2(bytes.size() > 44, qPrintable(path));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 riffSize = 0, fmtSize = 0, rate = 0, byteRate = 0, dataSize = 0;
    quint16 format = 0, channels = 0, align = 0, bits = 0;
    in.skipRawData(4);
    in >> riffSize;
    in.skipRawData(8);
    in >> fmtSize >> format >> channels >> rate >> byteRate >> align >> bits;
    QCOMPARE(riffSize, quint32(bytes.size() - 8));
    QCOMPARE(fmtSize, 16u);
    QCOMPARE(format, quint16(1));
    QCOMPARE(channels, quint16(1));
    QCOMPARE(rate, 22050u);
    QCOMPARE(bits, quint16(16));
    QCOMPARE(byteRate, 44100u);
    QCOMPARE(align, quint16(2));
    char id[4];
    in.readRawData(id, 4);
    QCOMPARE(QByteArray(id, 4), QByteArray("data"));
    in >> dataSize;
    QCOMPARE(dataSize, quint32(bytes.size() - 44));

    QList<qint16> samples(dataSize / 2);
    for (qint16 &s : samples)
        in >> s;
    const double seconds = samples.size() / 22050.0;
    if (click)
        QVERIFY2(seconds <= 0.2, qPrintable(QString::number(seconds)));
    else
        QVERIFY2(seconds >= 1.0 && seconds <= 3.0, qPrintable(QString::number(seconds)));

    int peak = 0;
    double energy = 0.0;
    for (qint16 s : std::as_const(samples)) {
        peak = std::max(peak, std::abs(int(s)));
        energy += double(s) * s;
    }
    const double rms = std::sqrt(energy / samples.size());
    QVERIFY2(peak < 32000, "clips");
    QVERIFY2(peak > 8000 && rms > 1000, "too quiet");
    // Faded in and out: no step at either end.
    QVERIFY(std::abs(samples.first()) < 300 && std::abs(samples.last()) < 300);
}

void TestMedia::emptyCatalogueIsOneLine()
{
    QCOMPARE(readMedia(QStringLiteral("multiple/track.txt")), QByteArray(" 0 \r\n"));
}

void TestMedia::contactSheetShowsEveryPictureAndPage()
{
    QStringList paths;
    for (const DesignPicture &p : designPictures)
        if (!paths.contains(QString::fromLatin1(p.path), Qt::CaseInsensitive))
            paths.append(QString::fromLatin1(p.path));
    for (int i = 0; i < 20; i += 5)
        paths.append(logoFrame(i));
    for (const char *page : pages)
        paths.append(QStringLiteral("wmf\\%1.wmf").arg(QString::fromLatin1(page)));
    for (const char *page : pages)
        paths.append(QStringLiteral("wmf2\\%1.wmf").arg(QString::fromLatin1(page)));

    constexpr int cellWidth = 220, cellHeight = 190, columns = 8;
    const int rows = int((paths.size() + columns - 1) / columns);
    QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0, 78, 152));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::yellow);
    painter.setFont(QFont(QStringLiteral("Arial"), 8));
    const QString pageDir = QStringLiteral(ONDEL_SCREENSHOT_DIR "/media");
    QDir().mkpath(pageDir);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const Picture picture = Picture::load(paths.at(i));
        QVERIFY2(!picture.isNull(), qPrintable(paths.at(i)));
        const QRectF cell((i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth,
                          cellHeight);
        const QSizeF fitted = QSizeF(picture.sizePixels()).scaled(200, 150, Qt::KeepAspectRatio);
        const QRectF target(cell.center().x() - fitted.width() / 2, cell.top() + 10, fitted.width(),
                            fitted.height());
        painter.fillRect(target, Qt::white);
        picture.paint(painter, target);
        painter.drawText(QRectF(cell.left(), cell.top() + 164, cellWidth, 20), Qt::AlignCenter,
                         paths.at(i));
        if (picture.isMetafile()) {
            // Each page at its natural size too, to read it as the viewer shows it.
            QString name = paths.at(i);
            name.replace(u'\\', u'-')
                .replace(u' ', u'_')
                .replace(QStringLiteral(".wmf"), QStringLiteral(".png"));
            QVERIFY(render(picture, picture.sizePixels()).save(pageDir + u'/' + name));
        }
    }
    painter.end();
    QVERIFY(sheet.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/media-contact-sheet.png")));
}

QTEST_MAIN(TestMedia)
#include "test_media.moc"
