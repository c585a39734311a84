// Playing a full page metafile onto an 800 x 600 image, as a page viewer shows it.
#include "metafile.h"
#include "metafilewriter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

namespace {

// A typical page: a heading box, a dozen lines of body text, shapes with curves, a picture.
QByteArray typicalPage()
{
    MetafileWriter writer(QSizeF(12000, 9000));
    QPainter painter(&writer);
    painter.fillRect(QRectF(0, 0, 12000, 9000), QColor(49, 135, 214));
    painter.setPen(QPen(QColor(0, 51, 102), 90));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(600, 600, 10800, 1800), 300, 300);
    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(660);
    heading.setBold(true);
    painter.setFont(heading);
    painter.drawText(QRectF(600, 600, 10800, 1800), Qt::AlignCenter,
                     QStringLiteral("Key facts: rivers"));
    QFont body(QStringLiteral("Times New Roman"));
    body.setPixelSize(330);
    painter.setFont(body);
    painter.setPen(Qt::white);
    for (int line = 0; line < 12; ++line)
        painter.drawText(
            QPointF(900, 3300 + line * 420),
            QStringLiteral("A river carries rain water from the hills down to the sea, line %1.")
                .arg(line));
    QPainterPath wave;
    wave.moveTo(0, 8000);
    for (int i = 0; i < 8; ++i)
        wave.cubicTo(i * 1500 + 500, 7600, i * 1500 + 1000, 8400, (i + 1) * 1500, 8000);
    wave.lineTo(12000, 9000);
    wave.lineTo(0, 9000);
    wave.closeSubpath();
    painter.setPen(QPen(QColor(11, 47, 90), 45));
    painter.setBrush(QColor(29, 95, 168));
    painter.drawPath(wave);
    painter.setBrush(QColor(255, 221, 51));
    painter.drawEllipse(QRectF(9300, 2900, 1800, 1800));
    QImage photo(240, 180, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, 100 + y / 2, 255 - x));
    painter.drawImage(QRectF(8400, 5100, 3000, 2250), photo);
    painter.end();
    return writer.data();
}

void BM_ParsePage(benchmark::State &state)
{
    const QByteArray bytes = typicalPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(Metafile::fromData(bytes).isValid());
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_ParsePage)->Unit(benchmark::kMillisecond);

void BM_PlayPage(benchmark::State &state)
{
    const Metafile page = Metafile::fromData(typicalPage());
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        page.play(painter, QRectF(0, 0, 800, 600));
    }
    state.counters["records"] = page.recordCount();
}
BENCHMARK(BM_PlayPage)->Unit(benchmark::kMillisecond);

void BM_WritePage(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(typicalPage().size());
}
BENCHMARK(BM_WritePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
