// The drag-and-drop activities: one drag step (the pointer move handled and the screen
// repainted) and one drop resolution.
#include "activityscreen.h"
#include "dragactivity.h"
#include "module1.h"
#include "toolkit.h"
#include "topics.h"
#include "twips.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

QPoint pixels(double x, double y)
{
    return QPoint(Twips::toPixels(x), Twips::toPixels(y));
}

// A word held with the left button and moved back and forth across the diagram, each move
// delivered through the window and painted before the next.
void dragStep(benchmark::State &state)
{
    soundon = 0;
    ActivityScreen *form = rivers1lab.get();
    form->show();
    QCoreApplication::processEvents();
    QWindow *window = form->windowHandle();
    Label *word = form->Label2[0];
    const QPoint start = word->geometry().center();
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    int step = 0;
    for (auto _ : state) {
        const double x = 3000 + (step % 40) * 150;
        const double y = 2000 + (step % 17) * 150;
        QTest::mouseMove(window, pixels(x, y));
        QCoreApplication::processEvents();
        ++step;
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, pixels(6000, 4500));
    if (word->left() == form->activity().slot(0).left)
        state.SkipWithError("the word did not follow the pointer");
    rivers1lab.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(dragStep)->Unit(benchmark::kMicrosecond);

// A word released in the last box's zone of the largest activity (a hit late in the scan)
// or away from every zone (every target tested, none hit).
void dropResolution(benchmark::State &state)
{
    const bool hit = state.range(0) != 0;
    const TopicDef *rivers2 = Topics::find(QStringLiteral("rivers2"));
    if (!rivers2) {
        state.SkipWithError("Rivers 2 cannot be read");
        return;
    }
    DragActivity activity(rivers2->ordering);
    const int word = 0;
    const TwipsRect target = hit ? activity.box(5) : TwipsRect { 6000, 4500, 0, 0 };
    for (auto _ : state) {
        const TwipsRect &at = activity.word(word);
        activity.drag(word, 1, target.left + 100 - at.left + at.width / 2,
                      target.top + 50 - at.top + at.height / 2);
        benchmark::DoNotOptimize(activity.drop(word));
    }
    state.SetLabel(hit ? "hit" : "miss");
}
BENCHMARK(dropResolution)->Arg(1)->Arg(0);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
