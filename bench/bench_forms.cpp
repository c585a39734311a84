// The widget platform: a screen of 50 controls created, loaded through its slot, shown and
// painted once, then unloaded; and one hover step over its label buttons.
#include "controlarray.h"
#include "form.h"
#include "formslot.h"
#include "label.h"
#include "optionbutton.h"
#include "textbox.h"
#include "toolkit.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// 40 label buttons in two columns, 5 option buttons and 5 text boxes.
class FiftyControls final : public Form
{
public:
    FiftyControls()
    {
        for (int i = 0; i < 40; ++i) {
            Label *label = label3.create(i, this);
            label->move(120 + (i % 2) * 6000, 120 + (i / 2) * 420, 5700, 375);
            label->setCaption(QStringLiteral("Entry %1").arg(i));
            label->setFont(QStringLiteral("Tahoma"), 12, true);
            label->setForeColor(QColor(255, 255, 0));
            label->setBackColor(QColor(0, 0, 0));
            label->setBorderStyle(BorderStyle::FixedSingle);
            label->setAlignment(Alignment::Center);
            label->setButton(true);
        }
        for (int i = 0; i < 5; ++i) {
            OptionButton *option = Option1.create(i, this);
            option->move(120 + i * 2400, 8520, 2200, 255);
            option->setCaption(QStringLiteral("Option %1").arg(i));
            TextBox *text = Text1.create(i, this);
            text->move(120 + i * 2400, 8160, 2200, 330);
        }
        label3.connect(&Label::mouseMove, this, &FiftyControls::label3_MouseMove);
    }

    void Form_Load() override
    {
        setBackColor(QColor(0, 78, 152));
        setCaption(QStringLiteral("Ondel"));
        resize(12000, 9000);
    }

    void label3_MouseMove(int index, int, int, double, double)
    {
        label3[index]->setBackStyle(BackStyle::Opaque);
    }
    void Form_MouseMove(int, int, double, double) override
    {
        for (auto [index, label] : label3)
            label->setBackStyle(BackStyle::Transparent);
    }

    ControlArray<Label> label3 { QStringLiteral("label3") };
    ControlArray<OptionButton> Option1 { QStringLiteral("Option1") };
    ControlArray<TextBox> Text1 { QStringLiteral("Text1") };
};

FormSlot<FiftyControls> fifty;

void createShowAndPaint(benchmark::State &state)
{
    for (auto _ : state) {
        fifty->show();
        fifty->repaint();
        fifty.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(createShowAndPaint)->Unit(benchmark::kMillisecond);

// The pointer onto an entry (lighting it) and onto the bare form (unlighting all 40), each
// delivered through the window and painted.
void hoverStep(benchmark::State &state)
{
    fifty->show();
    QWindow *window = fifty->windowHandle();
    const QPoint entry = fifty->label3[7]->geometry().center();
    const QPoint bare(400, 580);
    for (auto _ : state) {
        QTest::mouseMove(window, entry);
        fifty->repaint();
        QTest::mouseMove(window, bare);
        fifty->repaint();
    }
    fifty.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(hoverStep)->Unit(benchmark::kMicrosecond);

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
