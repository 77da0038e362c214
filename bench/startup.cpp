// Start-up to the first paint of the main window, in process: the skin module
// (loading the stored skin), the main window with a 20-row quote file, shown
// until its first paint event. Beside it a bare Qt Widgets window with a
// four-column list of 20 rows, the same way. Peak memory is reported as the
// process's maximum resident size after each benchmark.
#include "MainFormFM.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void WaitForPaint(QWidget& window, FirstPaint& watch)
{
    window.installEventFilter(&watch);
    window.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double PeakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string Folder()
{
    static std::string folder = [] {
        char pattern[] = "/tmp/qelvo-startup.XXXXXX";
        std::string dir = mkdtemp(pattern);
        std::ofstream codes(dir + "/Stocks.cfg", std::ios::binary);
        std::ofstream quotes(dir + "/Stocks.dat", std::ios::binary);
        for (int i = 0; i < 20; ++i) {
            char code[16];
            std::snprintf(code, sizeof code, "sh6000%02d", i);
            codes << code << "\r\n";
            quotes << "var hq_str_" << code << "=\"\xB2\xE2\xCA\xD4" << i
                   << ",7.850,7.840,7.870,7.900,7.820,7.860,7.870,25384617,199713446.000,"
                      "2026-12-08,15:00:00,00,\";\n";
        }
        return dir;
    }();
    return folder;
}

void ProgramStart(benchmark::State& state)
{
    const TMainFormFiles files { Folder() + "/Stocks.dat", Folder() + "/Stocks.cfg" };
    for (auto _ : state) {
        auto module = std::make_unique<TSkinCtrlModule>();
        SkinCtrlModule = module.get();
        auto form = std::make_unique<TMainForm>(nullptr, files);
        MainForm = form.get();
        FirstPaint watch;
        WaitForPaint(*form, watch);
        state.PauseTiming();
        if (form->bsSkinListView1 == nullptr || form->Quotes().Count() != 20)
            state.SkipWithError("the list was not filled");
        form.reset();
        module.reset();
        SkinCtrlModule = nullptr;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = PeakMiB();
}

// The same without the skin load: the module made once, outside the timing.
void MainWindowOnly(benchmark::State& state)
{
    const TMainFormFiles files { Folder() + "/Stocks.dat", Folder() + "/Stocks.cfg" };
    auto module = std::make_unique<TSkinCtrlModule>();
    SkinCtrlModule = module.get();
    for (auto _ : state) {
        auto form = std::make_unique<TMainForm>(nullptr, files);
        FirstPaint watch;
        WaitForPaint(*form, watch);
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    SkinCtrlModule = nullptr;
}

void BareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(306, 300);
        auto* layout = new QVBoxLayout(window.get());
        auto* list = new QTreeWidget(window.get());
        list->setColumnCount(4);
        list->setHeaderLabels({ QStringLiteral("名称"), QStringLiteral("代码"), QStringLiteral("价格"),
            QStringLiteral("涨幅%") });
        list->setRootIsDecorated(false);
        for (int i = 0; i < 20; ++i)
            new QTreeWidgetItem(list,
                { QStringLiteral("测试%1").arg(i), QStringLiteral("6000%1").arg(i, 2, 10, QLatin1Char('0')),
                    QStringLiteral("7.870"), QStringLiteral("0.38") });
        layout->addWidget(list);
        FirstPaint watch;
        WaitForPaint(*window, watch);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = PeakMiB();
}

BENCHMARK(BareWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(ProgramStart)->Unit(benchmark::kMillisecond);
BENCHMARK(MainWindowOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
