// Start-up speed on the offscreen platform: the title screen from nothing to painted, and
// the title's OK to the main menu painted, against a bare Qt window painting once (the floor).
// Sounds go to a recording player so the sound card plays no part.

#include "backdrop.h"
#include "mainmenu.h"
#include "recordingsoundplayer.h"
#include "titlescreen.h"
#include "toolkit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

// Notes the first paint of a window. The paint may go to its children alone: Qt skips a
// window's own paint where opaque children cover it, as the title's frame covers the title.
class PaintWatch final : public QObject
{
public:
    explicit PaintWatch(QWidget *window)
    {
        window->installEventFilter(this);
        for (QWidget *child : window->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    // Runs the event loop until the window has painted; the whole pass is done on return.
    void wait() const
    {
        const QDeadlineTimer deadline(10000);
        while (!m_painted && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;

        return false;
    }

private:
    bool m_painted = false;
};

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void showTitle()
{
    TitleScreen *title = Titlefrm.get();
    PaintWatch watch(title);
    title->show();
    watch.wait();
}

void unloadEverything()
{
    Titlefrm.unload();
    intro0.unload();
    Grey.unload();
    settle();
}

void BM_BareWindowPaintsOnce(benchmark::State &state)
{
    for (auto _ : state) {
        auto *window = new QWidget;
        window->setFixedSize(800, 600);
        PaintWatch watch(window);
        window->show();
        watch.wait();
        state.PauseTiming();
        delete window;
        settle();
        state.ResumeTiming();
    }
}

// The first title screen of a fresh process pays for fonts, image readers and styles.
void BM_FirstStartToTitlePainted(benchmark::State &state)
{
    for (auto _ : state) {
        showTitle();
        state.PauseTiming();
        unloadEverything();
        state.ResumeTiming();
    }
}

void BM_StartToTitlePainted(benchmark::State &state)
{
    for (auto _ : state) {
        showTitle();
        state.PauseTiming();
        unloadEverything();
        state.ResumeTiming();
    }
}

void BM_TitleOkToMainMenuPainted(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        showTitle();
        state.ResumeTiming();
        Titlefrm->Command1->click();
        PaintWatch watch(intro0.get());
        watch.wait();
        state.PauseTiming();
        unloadEverything();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_FirstStartToTitlePainted)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareWindowPaintsOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToTitlePainted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleOkToMainMenuPainted)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    RecordingSoundPlayer silence;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
