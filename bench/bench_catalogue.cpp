// The Worksheets Catalogue with a full catalogue of 1000 titles: creating the screen (the
// catalogue read and the first page drawn) and turning a page.
#include "cataloguescreen.h"
#include "mediapath.h"
#include "module1.h"
#include "toolkit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void writeFullCatalogue(const QTemporaryDir &dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("multiple"));
    QFile file(dir.filePath(QStringLiteral("multiple/track.txt")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(" 1000 \r\n");
    for (int i = 1; i <= 1000; ++i)
        file.write(QStringLiteral("River worksheet number %1\r\n").arg(i).toLatin1());
}

void deleteUnloaded()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Creation and load: the standard frame, the catalogue read and the first page.
void catalogueCreation(benchmark::State &state)
{
    for (auto _ : state) {
        CatalogueScreen *screen = worksheets.get();
        benchmark::DoNotOptimize(screen->Label2[24]->caption());
        worksheets.unload();
        deleteUnloaded();
    }
    state.SetLabel("1000 titles");
}
BENCHMARK(catalogueCreation)->Unit(benchmark::kMicrosecond);

// "Next Page >>" and back on a shown screen, each press drawn before the next.
void pageTurn(benchmark::State &state)
{
    soundon = 0;
    CatalogueScreen *screen = worksheets.get();
    screen->show();
    QCoreApplication::processEvents();
    int turns = 0;
    for (auto _ : state) {
        screen->label3_Click(catpage == 40 ? 0 : 1);
        screen->repaint();
        ++turns;
    }
    benchmark::DoNotOptimize(screen->Label2[1]->caption());
    state.SetItemsProcessed(turns);
    worksheets.unload();
    deleteUnloaded();
}
BENCHMARK(pageTurn)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    QTemporaryDir media;
    writeFullCatalogue(media);
    MediaPath::setRoot(media.path());
    MediaPath::setWorksheetsFolder(media.filePath(QStringLiteral("multiple")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
