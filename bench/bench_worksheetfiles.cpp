// Reading and saving worksheets and the catalogue, on a temporary worksheets folder.
#include "fieldreader.h"
#include "mediapath.h"
#include "textfilewriter.h"
#include "worksheetfiles.h"
#include "worksheetglobals.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A media root in a temporary folder holding a catalogue of catalogueSize titles.
class BenchFolder final
{
public:
    explicit BenchFolder(int catalogueSize)
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(m_dir.path()).mkpath(QStringLiteral("multiple"));
        MediaPath::setRoot(m_dir.path());
        MediaPath::setWorksheetsFolder(m_dir.path() + QStringLiteral("/multiple"));
        resetCatalogue(catalogueSize);
    }

    void resetCatalogue(int size) const
    {
        QStringList titles;
        for (int i = 1; i <= size; ++i)
            titles += QStringLiteral("Class worksheet number %1").arg(i);
        TextFileWriter::replace(m_dir.path() + QStringLiteral("/multiple/track.txt"),
                                WorksheetFiles::catalogueLines(titles));
    }

private:
    QTemporaryDir m_dir;
};

WorksheetDraft benchDraft(const QString &title)
{
    WorksheetDraft draft;
    draft.title = title;
    for (int q = 0; q < 10; ++q) {
        draft.questions[q]
            = QStringLiteral("Which part of a river, near its source, is %1?").arg(q);
        for (int k = 0; k < 4; ++k)
            draft.answers[4 * q + k] = QStringLiteral("The upper course, answer %1").arg(k);
        draft.ticks[4 * q + q % 4] = true;
    }
    return draft;
}

void BM_ReadCatalogueOf1000(benchmark::State &state)
{
    const BenchFolder folder(1000);
    for (auto _ : state) {
        WorksheetFiles::readcatalogue();
        benchmark::DoNotOptimize(trackcount);
    }
}
BENCHMARK(BM_ReadCatalogueOf1000);

void BM_ReadWorksheet(benchmark::State &state)
{
    const BenchFolder folder(0);
    WorksheetFiles::writeworksheet(benchDraft(QStringLiteral("Rivers 1")));
    for (auto _ : state) {
        WorksheetFiles::readworksheetfile(QStringLiteral("multiple\\Rivers 1.txt"));
        benchmark::DoNotOptimize(correct[10]);
    }
}
BENCHMARK(BM_ReadWorksheet);

void BM_FieldReaderInMemory(benchmark::State &state)
{
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += "Which part of a river& near its source, is the upper course?\r\n";
    for (auto _ : state) {
        FieldReader reader;
        reader.openBytes(bytes);
        for (int i = 0; i < 2000; ++i)
            benchmark::DoNotOptimize(reader.readField());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_FieldReaderInMemory);

// Replaces the worksheet file; the title is listed already, so track.txt is only read.
void BM_SaveWorksheetListedTitle(benchmark::State &state)
{
    const BenchFolder folder(static_cast<int>(state.range(0)));
    const WorksheetDraft draft = benchDraft(QStringLiteral("Class worksheet number 1"));
    for (auto _ : state)
        WorksheetFiles::saveworksheet(draft);
}
BENCHMARK(BM_SaveWorksheetListedTitle)->Arg(10)->Arg(500)->Unit(benchmark::kMicrosecond);

// Writes the worksheet file and adds its title to a catalogue of about range(0) entries.
void BM_SaveWorksheetNewTitle(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    const BenchFolder folder(size);
    int added = 0;
    for (auto _ : state) {
        if (added == 100) {
            state.PauseTiming();
            folder.resetCatalogue(size);
            added = 0;
            state.ResumeTiming();
        }
        WorksheetFiles::saveworksheet(benchDraft(QStringLiteral("New worksheet %1").arg(added++)));
    }
}
BENCHMARK(BM_SaveWorksheetNewTitle)->Arg(10)->Arg(500)->Arg(899)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
