#include "metafile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

// Metafiles written by other programs (tests/data/metafiles, made by
// tools/metafile-corpus/make-corpus.sh), each played at the size of the PNG that its
// producer rendered from the same drawing and compared with that PNG.

namespace {

const QString corpusDir = QStringLiteral(ONDEL_TEST_DATA_DIR "/metafiles");

// How far the player may stray from the producers' renderings, per colour channel (0-255),
// as measured on these files: the mean stays under 4.8 (smoothed bitmaps, antialiasing) where
// text on the wrong baseline gives 7 to 25; a cell stays under 28.6 where a lost or misplaced
// shape gives 55 or more. Each line of text must also lie within 1 pixel of the reference's,
// while spacing 5 % too wide or a font 15 % too large moves it by 3 pixels or more.
constexpr double MaxMeanDifference = 6.0;
constexpr double MaxCellDifference = 40.0;
constexpr int Cell = 40;
constexpr int MaxTextShift = 2;

// Where each file has text, in the reference's pixels.
struct TextArea
{
    const char *file;
    QList<QRect> areas;
};

// clang-format off
const TextArea textAreas[] = {
    { "ink-text-fonts", { { 0, 14, 320, 30 }, { 0, 54, 320, 30 }, { 0, 94, 320, 30 }, { 0, 134, 320, 30 }, { 0, 178, 320, 30 } } },
    { "ink-text-align", { { 0, 30, 150, 40 }, { 60, 105, 200, 35 }, { 170, 175, 150, 35 } } },
    { "ink-page", { { 0, 6, 320, 38 }, { 0, 68, 230, 22 }, { 0, 92, 230, 20 }, { 0, 114, 230, 22 } } },
    { "lo-text-fonts", { { 0, 10, 320, 34 }, { 0, 52, 320, 34 }, { 0, 94, 320, 34 }, { 0, 136, 320, 34 }, { 0, 178, 320, 34 } } },
    { "lo-text-align", { { 0, 30, 150, 40 }, { 60, 100, 200, 40 }, { 170, 170, 150, 40 } } },
    { "lo-page", { { 0, 8, 320, 36 }, { 0, 64, 230, 24 }, { 0, 88, 230, 24 }, { 0, 112, 230, 24 } } },
    { "lo-clip", { { 170, 40, 140, 60 } } },
};
// clang-format on

QImage play(const QString &wmf, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Metafile::fromFile(wmf).play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

// Mean absolute difference per colour channel over an area, 0 to 255.
double meanDifference(const QImage &a, const QImage &b, const QRect &area)
{
    qint64 sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return double(sum) / (3.0 * area.width() * area.height());
}

// The bounding box of the ink in an area, against its top-left pixel's colour.
QRect inkBox(const QImage &image, const QRect &area)
{
    const int background = qGray(image.pixel(area.topLeft()));
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - background) > 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestMetafileCorpus : public QObject
{
    Q_OBJECT

private slots:
    void playsLikeItsProducer_data();
    void playsLikeItsProducer();
};

void TestMetafileCorpus::playsLikeItsProducer_data()
{
    QTest::addColumn<QString>("name");
    const QStringList files
        = QDir(corpusDir).entryList({ QStringLiteral("*.wmf") }, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString name = QFileInfo(file).completeBaseName();
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestMetafileCorpus::playsLikeItsProducer()
{
    QFETCH(QString, name);
    const QImage reference
        = QImage(corpusDir + u'/' + name + u".png"_qs).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!reference.isNull());
    const QImage played = play(corpusDir + u'/' + name + u".wmf"_qs, reference.size());

    QImage sideBySide(reference.width() * 2, reference.height(), QImage::Format_RGB32);
    {
        QPainter painter(&sideBySide);
        painter.drawImage(0, 0, reference);
        painter.drawImage(reference.width(), 0, played);
    }
    sideBySide.save(QStringLiteral(ONDEL_SCREENSHOT_DIR "/metafilecorpus_") + name + u".png"_qs);

    const double whole = meanDifference(reference, played, reference.rect());
    QVERIFY2(whole < MaxMeanDifference, qPrintable(u"mean difference %1"_qs.arg(whole)));
    for (int y = 0; y < reference.height(); y += Cell) {
        for (int x = 0; x < reference.width(); x += Cell) {
            const QRect cell = QRect(x, y, Cell, Cell).intersected(reference.rect());
            const double d = meanDifference(reference, played, cell);
            QVERIFY2(d < MaxCellDifference,
                     qPrintable(u"difference %1 in the cell at %2, %3"_qs.arg(d).arg(x).arg(y)));
        }
    }

    for (const TextArea &text : textAreas) {
        for (const QRect &area : text.areas) {
            if (name != QLatin1String(text.file))
                continue;
            const QRect expected = inkBox(reference, area);
            const QRect actual = inkBox(played, area);
            QVERIFY(!expected.isEmpty());
            const QPoint a = actual.topLeft() - expected.topLeft();
            const QPoint b = actual.bottomRight() - expected.bottomRight();
            QVERIFY2(!actual.isEmpty() && qMax(qAbs(a.x()), qAbs(a.y())) <= MaxTextShift
                         && qMax(qAbs(b.x()), qAbs(b.y())) <= MaxTextShift,
                     qPrintable(u"text in %1, %2 moved by %3, %4 / %5, %6"_qs.arg(area.x())
                                    .arg(area.y())
                                    .arg(a.x())
                                    .arg(a.y())
                                    .arg(b.x())
                                    .arg(b.y())));
        }
    }
}

QTEST_MAIN(TestMetafileCorpus)
#include "tst_metafilecorpus.moc"
