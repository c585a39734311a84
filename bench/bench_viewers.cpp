// The page viewers on the built pages (or a generated page where the media is not built):
// opening a viewer on a page (both metafiles loaded, first paint), paging, and the parts.
#include "guideviewer.h"
#include "mediapath.h"
#include "metafilewriter.h"
#include "module1.h"
#include "pageviewer.h"
#include "recordingsoundplayer.h"
#include "toolkit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A generated page: a sheet, a frame and a few paragraphs of text.
QByteArray generatedPage(QSizeF twips)
{
    MetafileWriter writer(twips);
    QPainter painter(&writer);
    painter.fillRect(QRectF(QPointF(0, 0), twips), QColor(255, 253, 245));
    painter.setPen(QPen(QColor(47, 134, 204), 60));
    painter.drawRect(QRectF(QPointF(30, 30), twips - QSizeF(60, 60)));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(260);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int line = 0; line < 20; ++line)
        painter.drawText(QPointF(600, 900 + line * 320),
                         QStringLiteral("A river begins at its source, high in the hills."));
    painter.end();
    return writer.data();
}

// A media root holding the pages a viewer opens: the built ones, else generated copies.
class BenchMedia final
{
public:
    BenchMedia()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString built = QStringLiteral(ONDEL_BUILT_MEDIA_DIR);
        for (const char *name : { "introductiona.wmf", "introductionb.wmf", "key rivers 1.wmf",
                                  "guide1.wmf", "guide2.wmf", "guide3.wmf" }) {
            for (const QString &folder : { QStringLiteral("wmf"), QStringLiteral("wmf2") }) {
                const QString relative = folder + u'/' + QLatin1String(name);
                const QString target = m_dir.filePath(relative);
                QDir().mkpath(QFileInfo(target).absolutePath());
                if (QFileInfo::exists(built + u'/' + relative)) {
                    QFile::copy(built + u'/' + relative, target);
                } else {
                    QFile file(target);
                    file.open(QIODevice::WriteOnly);
                    file.write(
                        generatedPage(folder == u"wmf" ? QSizeF(10400, 7800) : QSizeF(9900, 7425)));
                }
            }
        }
        MediaPath::setRoot(m_dir.path());
    }
    ~BenchMedia() { MediaPath::setRoot(QString()); }

private:
    QTemporaryDir m_dir;
};

// Paints the screen as it first appears, into an image of its size.
void firstPaint(QWidget *screen, QImage &image)
{
    screen->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

// The key facts entry's steps, a first paint, then Exit.
void BM_OpenKeyFactsPage(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        pagetotal = 1;
        pageset = QStringLiteral("key rivers 1");
        teacher->Image1->loadPicture(QStringLiteral("wmf\\key rivers 1.wmf"));
        teacher->Image2->loadPicture(QStringLiteral("wmf2\\key rivers 1.wmf"));
        firstPaint(teacher.get(), image);
        teacher->label3_Click(1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_OpenKeyFactsPage)->Unit(benchmark::kMillisecond);

// Next Page and Previous Page on the introduction, each with its repaint.
void BM_PageForwardAndBack(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    pagetotal = 2;
    pageset = QStringLiteral("introduction");
    teacher->Image1->loadPicture(QStringLiteral("wmf\\introductiona.wmf"));
    teacher->Image2->loadPicture(QStringLiteral("wmf2\\introductiona.wmf"));
    for (auto _ : state) {
        teacher->label3_Click(2);
        firstPaint(teacher.get(), image);
        teacher->label3_Click(3);
        firstPaint(teacher.get(), image);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    teacher.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_PageForwardAndBack)->Unit(benchmark::kMillisecond);

// The teachers' guide entry's steps and a first paint, then Exit.
void BM_OpenGuide(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        guide->Image1->loadPicture(QStringLiteral("wmf\\guide1.wmf"));
        guide->Image2->loadPicture(QStringLiteral("wmf2\\guide1.wmf"));
        pagenum = 1;
        firstPaint(guide.get(), image);
        guide->label3_Click(1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_OpenGuide)->Unit(benchmark::kMillisecond);

// The parts of an opening: reading one page file, and playing it onto the screen.
void BM_LoadPageMetafile(benchmark::State &state)
{
    const BenchMedia media;
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture::load(QStringLiteral("wmf\\key rivers 1.wmf")));
}
BENCHMARK(BM_LoadPageMetafile)->Unit(benchmark::kMicrosecond);

void BM_PaintPageMetafile(benchmark::State &state)
{
    const BenchMedia media;
    const Picture page = Picture::load(QStringLiteral("wmf\\key rivers 1.wmf"));
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        page.paint(painter, QRectF(QPointF(8, 0), QSizeF(page.sizePixels())));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintPageMetafile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    RecordingSoundPlayer sound;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
