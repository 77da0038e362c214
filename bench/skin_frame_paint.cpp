// Painting a skinned window's whole frame with the program's own skin: the
// four bands cut from the frame picture, the caption object with its text and
// the caption buttons drawn into them (what a window does when it is
// activated, deactivated or its title changes), and the repaint of the whole
// window that copies the bands and the client background to the screen.
// Sizes: the main window (314 x 333) and a full-HD window (1920 x 1080).
#include "Bsskinform.h"
#include "QtWindowSystem.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// The headless screen is small; a large work area lets the window reach full HD.
class LargeScreen : public QtWindowSystem {
public:
    LargeScreen() { SetWindowSystem(this); }
    ~LargeScreen() override { SetWindowSystem(nullptr); }
    QRect WorkArea(const QWidget*) const override { return { 0, 0, 2560, 1440 }; }
    QRect MonitorRect(const QWidget*) const override { return { 0, 0, 2560, 1440 }; }
};

struct Window {
    explicit Window(int w, int h)
    {
        window.setWindowTitle(QStringLiteral("Qelvo桌面股票"));
        form = new TbsSkinForm(&window);
        form->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
        form->SetSkinData(module.bsSkinData1);
        window.setGeometry(0, 0, w, h);
        window.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        form->OnPaintEvent = [this] { ++paints; };
    }
    LargeScreen screen;
    TSkinCtrlModule module;
    int paints = 0;
    QWidget window;
    TbsSkinForm* form;
};

// Activation switches the look, so each one rebuilds bands, objects and caption.
void FrameRebuild(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bool active = false;
    for (auto _ : state) {
        QEvent event(active ? QEvent::WindowDeactivate : QEvent::WindowActivate);
        active = !active;
        QApplication::sendEvent(&w.window, &event);
        benchmark::DoNotOptimize(w.form->WindowActive());
    }
}
BENCHMARK(FrameRebuild)->Args({ 314, 333 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);

// The rebuild and the repaint of the whole window (frame and client background).
void FrameRebuildAndRepaint(benchmark::State& state)
{
    Window w(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bool active = false;
    for (auto _ : state) {
        QEvent event(active ? QEvent::WindowDeactivate : QEvent::WindowActivate);
        active = !active;
        QApplication::sendEvent(&w.window, &event);
        w.window.repaint();
    }
    if (w.paints == 0
        || w.window.size() != QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))))
        state.SkipWithError("the window was not painted at its size");
}
BENCHMARK(FrameRebuildAndRepaint)->Args({ 314, 333 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
