// Start-up as the user sees it: from main() to the first paint of the window,
// in a fresh process each time, so the application object, the platform plugin
// and the fonts are paid for as at a real start. Two programs race: Qelvo (the
// one-program check, the application set-up and the program's objects, made
// as its main makes them, with a 20-row quote file) and a bare Qt Widgets
// window with a four-column list of 20 rows. Each child times itself from its
// main() and writes the figure to a pipe; its peak resident memory comes from
// wait4. FromMainAlternating starts the two by turns, so a machine whose load
// changes meets both alike, and reports their medians and ratio. The children
// reach no network: their proxy is a loopback port where nothing listens.
//
// Below them the in-process parts of Qelvo's start-up, with the application
// object already made: the skin module with the main window, the main window
// alone, and the bare window the same way.
#include "ChildProcess.h"
#include "FirstPaint.h"
#include "MainFormFM.h"
#include "ProgramInstance.h"
#include "ProgramObjects.h"
#include "QelvoApplication.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

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

std::unique_ptr<QWidget> MakeBareWindow()
{
    auto window = std::make_unique<QWidget>();
    window->resize(306, 300);
    auto* layout = new QVBoxLayout(window.get());
    auto* list = new QTreeWidget(window.get());
    list->setColumnCount(4);
    list->setHeaderLabels(
        { QStringLiteral("名称"), QStringLiteral("代码"), QStringLiteral("价格"), QStringLiteral("涨幅%") });
    list->setRootIsDecorated(false);
    for (int i = 0; i < 20; ++i)
        new QTreeWidgetItem(list,
            { QStringLiteral("测试%1").arg(i), QStringLiteral("6000%1").arg(i, 2, 10, QLatin1Char('0')),
                QStringLiteral("7.870"), QStringLiteral("0.38") });
    layout->addWidget(list);
    return window;
}

// --- one start in a child process

// What a child reports: the wall-clock and the processor seconds from its
// main() to its first paint (negative: it went wrong). The processor time is
// what a loaded machine changes least.
struct ChildFigures {
    double seconds = -1;
    double processorSeconds = -1;
};

// The child's part: make the program or the bare window, wait for its first
// paint, and write its figures to `fd`.
int RunChild(Clock::time_point start, double startProcessor, int argc, char** argv, const std::string& mode,
    const std::string& folder, int fd)
{
    double seconds = -1;
    double processorAt = 0;
    if (mode == "program") {
        TProgramInstance instance(folder, folder);
        if (!instance.First())
            return 1;
        std::future<TbsSkinPackage> skin = ReadProgramSkinInBackground();
        TQelvoApplication application(argc, argv);
        SetUpProgramApplication();
        TProgramObjects program({ folder + "/Stocks.dat", folder + "/Stocks.cfg" }, std::move(skin));
        instance.Serve([] { MainForm->mmShowClick(nullptr); });
        FirstPaint watch;
        WaitForPaint(*MainForm, watch);
        if (MainForm->Quotes().Count() == 20)
            seconds = std::chrono::duration<double>(watch.at - start).count();
        processorAt = watch.processorAt;
    } else {
        QApplication application(argc, argv);
        auto window = MakeBareWindow();
        FirstPaint watch;
        WaitForPaint(*window, watch);
        seconds = std::chrono::duration<double>(watch.at - start).count();
        processorAt = watch.processorAt;
    }
    return SendFigures(fd, ChildFigures { seconds, seconds < 0 ? -1 : processorAt - startProcessor });
}

// One start of `mode` ("program" or "bare") in a fresh process.
ChildRun<ChildFigures> StartChild(const char* mode)
{
    ChildRun<ChildFigures> run = RunSelfAsChild<ChildFigures>({ "--child", mode, Folder() });
    run.ok = run.ok && run.figures.seconds >= 0;
    return run;
}

void FromMain(benchmark::State& state, const char* mode)
{
    double peak = 0;
    double processor = 0;
    for (auto _ : state) {
        const ChildRun<ChildFigures> start = StartChild(mode);
        if (!start.ok) {
            state.SkipWithError("the child did not reach its first paint");
            break;
        }
        state.SetIterationTime(start.figures.seconds);
        peak = std::max(peak, start.peakMiB);
        processor += start.figures.processorSeconds;
    }
    state.counters["peak_MiB"] = peak;
    state.counters["cpu_ms"] = benchmark::Counter(processor * 1000, benchmark::Counter::kAvgIterations);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void FromMainAlternating(benchmark::State& state)
{
    std::vector<double> bare, qelvo, bareProcessor, qelvoProcessor;
    for (auto _ : state) {
        const ChildRun<ChildFigures> bareRun = StartChild("bare");
        const ChildRun<ChildFigures> qelvoRun = StartChild("program");
        if (!bareRun.ok || !qelvoRun.ok) {
            state.SkipWithError("a child did not reach its first paint");
            break;
        }
        bare.push_back(bareRun.figures.seconds);
        qelvo.push_back(qelvoRun.figures.seconds);
        bareProcessor.push_back(bareRun.figures.processorSeconds);
        qelvoProcessor.push_back(qelvoRun.figures.processorSeconds);
        state.SetIterationTime(qelvoRun.figures.seconds);
    }
    state.counters["bare_ms"] = Median(bare) * 1000;
    state.counters["qelvo_ms"] = Median(qelvo) * 1000;
    state.counters["ratio"] = Median(bare) > 0 ? Median(qelvo) / Median(bare) : 0;
    state.counters["bare_cpu_ms"] = Median(bareProcessor) * 1000;
    state.counters["qelvo_cpu_ms"] = Median(qelvoProcessor) * 1000;
    state.counters["cpu_ratio"]
        = Median(bareProcessor) > 0 ? Median(qelvoProcessor) / Median(bareProcessor) : 0;
}

// --- parts of the start-up, in this process

void SkinModuleAndMainWindow(benchmark::State& state)
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
        auto window = MakeBareWindow();
        FirstPaint watch;
        WaitForPaint(*window, watch);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = PeakMiB();
}

BENCHMARK_CAPTURE(FromMain, bare_window, "bare")
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FromMain, qelvo, "program")->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(FromMainAlternating)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BareWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(SkinModuleAndMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(MainWindowOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    const double startProcessor = ProcessorSeconds();
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The program's first live refresh goes nowhere (port 9: nothing listens).
    ::setenv("http_proxy", "http://127.0.0.1:9/", 1);
    ::unsetenv("no_proxy");
    ::unsetenv("NO_PROXY");
    if (argc == 5 && std::string(argv[1]) == "--child") {
        int childArgc = 1;
        return RunChild(start, startProcessor, childArgc, argv, argv[2], argv[3], std::atoi(argv[4]));
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
