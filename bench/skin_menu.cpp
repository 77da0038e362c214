// A 9-item popup menu from Popup to its first painted window, with the
// program's own skin and without a skin (offscreen platform unless a display is set).
#include "Bsskinmenus.h"
#include "SkinCtrlDM.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void FillNineItems(TMenuItem* root)
{
    const char* captions[] = {"Window style", "Hide", "Show", "-", "Options", "About", "Help", "Check", "Exit"};
    for (const char* caption : captions) {
        auto* item = new TMenuItem();
        item->SetCaption(caption);
        root->Add(item);
    }
    root->Items(0)->Add(new TMenuItem());  // one item with a sub-menu
    root->Items(7)->SetChecked(true);
}

void PopupToFirstPaint(benchmark::State& state, bool skinned)
{
    static auto module = std::make_unique<TSkinCtrlModule>();
    TbsSkinMenu engine;
    engine.FixedWorkArea = QRect(0, 0, 1024, 768);
    TMenuItem root;
    FillNineItems(&root);
    TbsSkinData* skin = skinned ? module->bsSkinData1 : nullptr;
    for (auto _ : state) {
        engine.Popup(nullptr, skin, 0, QRect(100, 100, 0, 0), &root, false);
        TbsSkinPopupWindow* window = engine.Window(0);
        while (window->Buffer().isNull())
            QCoreApplication::processEvents();
        state.PauseTiming();
        engine.Hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void SkinnedMenu(benchmark::State& state) { PopupToFirstPaint(state, true); }
void DefaultMenu(benchmark::State& state) { PopupToFirstPaint(state, false); }

BENCHMARK(SkinnedMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(DefaultMenu)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
