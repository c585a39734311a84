// Class Results for a class of 30 pupils who each did 20 activities three times (1800
// results): opening the screen (the record read, the grid built and painted) should take well
// under 100 ms; and a click on a score listing the attempts.
#include "classrecord.h"
#include "classresultsscreen.h"
#include "classsummary.h"
#include "mediapath.h"
#include "module1.h"
#include "resultscsv.h"
#include "toolkit.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void writeRecord(const QString &folder)
{
    const QDateTime start = QDateTime::currentDateTime().addDays(-20);
    QList<RecordedResult> results;
    for (int attempt = 0; attempt < 3; ++attempt)
        for (int activity = 1; activity <= 20; ++activity)
            for (int pupil = 1; pupil <= 30; ++pupil)
                results += { QStringLiteral("Pupil number %1").arg(pupil),
                             QStringLiteral("Rivers worksheet %1").arg(activity),
                             QStringLiteral("Multiple Choice"),
                             (pupil + activity + attempt) % 11,
                             10,
                             start.addSecs(3600 * (24 * attempt + activity)),
                             { 2, 5, 9 } };
    QFile file(folder + QStringLiteral("/results.csv"));
    if (file.open(QIODevice::WriteOnly))
        file.write(ResultsCsv::file(results));
}

void deleteUnloaded()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// From the first touch to the screen painted.
void classResultsOpening(benchmark::State &state)
{
    for (auto _ : state) {
        ClassResultsScreen *screen = classresults.get();
        screen->show();
        screen->repaint();
        benchmark::DoNotOptimize(screen->summary().pupils().size());
        classresults.unload();
        deleteUnloaded();
    }
    state.SetLabel("30 pupils x 20 activities x 3 attempts");
}
BENCHMARK(classResultsOpening)->Unit(benchmark::kMillisecond);

// The part of the opening that is the record's: read, parsed and summed up.
void recordReadAndSummed(benchmark::State &state)
{
    for (auto _ : state) {
        const ClassSummary summary(ClassRecord::read().results);
        benchmark::DoNotOptimize(summary.cell(29, 19).best);
    }
}
BENCHMARK(recordReadAndSummed)->Unit(benchmark::kMillisecond);

// A click on a score: the attempts listed and drawn.
void attemptsListed(benchmark::State &state)
{
    ClassResultsScreen *screen = classresults.get();
    screen->show();
    QCoreApplication::processEvents();
    int row = 0;
    for (auto _ : state) {
        screen->showAttempts(row, row % 20);
        screen->repaint();
        row = (row + 1) % 30;
    }
    classresults.unload();
    deleteUnloaded();
}
BENCHMARK(attemptsListed)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    soundon = 0;
    QTemporaryDir media;
    MediaPath::setRoot(media.path());
    MediaPath::setWorksheetsFolder(media.path());
    writeRecord(media.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
