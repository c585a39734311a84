// The quiz on the built worksheet: opening it (file read, screen load, first paint), a step
// to the next question, scoring into the results screen, and laying out the print-outs.
#include "certificateprintout.h"
#include "mediapath.h"
#include "module1.h"
#include "quizopener.h"
#include "quizscreen.h"
#include "recordingmessageboxes.h"
#include "recordingprinter.h"
#include "recordingsoundplayer.h"
#include "resultsscreen.h"
#include "toolkit.h"
#include "worksheetprintout.h"
#include "wronganswersscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A media root with the built worksheet and pictures the quiz opens.
class BenchMedia final
{
public:
    BenchMedia()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QDir built(QStringLiteral(ONDEL_BUILT_MEDIA_DIR));
        for (const char *name :
             { "multiple/Rivers 1.txt", "images/rivers1sm.jpg", "images/waterliliessm.jpg" }) {
            const QString target = m_dir.filePath(QLatin1String(name));
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(built.filePath(QLatin1String(name)), target);
        }
        MediaPath::setRoot(m_dir.path());
        MediaPath::setWorksheetsFolder(m_dir.filePath(QStringLiteral("multiple")));
    }
    ~BenchMedia()
    {
        MediaPath::setRoot(QString());
        MediaPath::setWorksheetsFolder(QString());
    }

private:
    QTemporaryDir m_dir;
};

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The topic menu's Multiple Choice: read the worksheet, load and show the quiz, first paint.
void BM_OpenQuiz(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QuizOpener::open(QStringLiteral("multiple\\Rivers 1.txt"),
                         QStringLiteral("images\\rivers1sm.jpg"));
        multiple->render(&image);
        benchmark::DoNotOptimize(image.constBits());
        multiple->label3_Click(2);
        settle();
    }
}
BENCHMARK(BM_OpenQuiz)->Unit(benchmark::kMillisecond);

// Next Question and Previous Question, each with its repaint.
void BM_NextAndPreviousQuestion(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    QuizOpener::open(QStringLiteral("multiple\\Rivers 1.txt"),
                     QStringLiteral("images\\rivers1sm.jpg"));
    for (auto _ : state) {
        multiple->label3_Click(1);
        multiple->render(&image);
        multiple->label3_Click(0);
        multiple->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 2);
    multiple.unload();
    settle();
}
BENCHMARK(BM_NextAndPreviousQuestion)->Unit(benchmark::kMillisecond);

// Check Score on question 10: scoring, filling the review, loading and painting the results.
void BM_ScoreIntoResults(benchmark::State &state)
{
    const BenchMedia media;
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        QuizOpener::open(QStringLiteral("multiple\\Rivers 1.txt"),
                         QStringLiteral("images\\rivers1sm.jpg"));
        questnum = 10;
        multiple->showquest();
        state.ResumeTiming();
        multiple->label3_Click(1);
        Welldone->render(&image);
        benchmark::DoNotOptimize(image.constBits());
        state.PauseTiming();
        Welldone->label3_Click(1);
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ScoreIntoResults)->Unit(benchmark::kMillisecond);

// Laying out each print-out on the recording printer (text measuring, no paper).
void BM_CertificateLayout(benchmark::State &state)
{
    RecordingPrinter printer;
    const CertificatePrintout::Content content { QStringLiteral("Ondel"),
                                                 QStringLiteral("Priya Shah"), 10, 10 };
    for (auto _ : state) {
        CertificatePrintout::print(printer, content, QApplication::font());
        printer.clear();
    }
}
BENCHMARK(BM_CertificateLayout)->Unit(benchmark::kMicrosecond);

void BM_WorksheetLayout(benchmark::State &state)
{
    const BenchMedia media;
    QuizOpener::open(QStringLiteral("multiple\\Rivers 1.txt"),
                     QStringLiteral("images\\rivers1sm.jpg"));
    multiple.unload();
    settle();
    RecordingPrinter printer;
    for (auto _ : state) {
        WorksheetPrintout::print(printer, QStringLiteral("Ondel"), worktitle);
        printer.clear();
    }
}
BENCHMARK(BM_WorksheetLayout)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    RecordingSoundPlayer sound;
    RecordingMessageBoxes boxes;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
