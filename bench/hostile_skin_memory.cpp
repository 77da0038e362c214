// Peak memory of each hostile stored skin, twice, each time in a fresh
// process so one case's peak cannot hide another's:
//   engine   loading it and building the frame, menu and control pictures from
//            it at 4096 x 4096 (and at 314 x 333);
//   widgets  loading it and building the program's four windows at their
//            client sizes, each a skinned frame with every skinned control, a
//            dropped-down combo box and a popup menu, painted once, on a
//            3840 x 2160 screen (what a skin may make a control is bounded by
//            the screens).
// Prints one line per case and fails when any case peaks at 256 MiB or more.
//
//   build/bench/hostile_skin_memory            all cases
//   build/bench/hostile_skin_memory --child engine|widgets <file> <fd>   one case (used by the above)
//   build/bench/hostile_skin_memory --write <folder>  the case files only
#include "ChildProcess.h"
#include "HostileSkins.h"

#include <QApplication>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr double LimitMiB = 256;

// What a child reports: whether the skin loaded (false: refused as it should be).
struct Loaded {
    bool loaded = false;
};

int RunChild(const std::string& pass, const char* path, int fd)
{
    static int argc = 1;
    static char name[] = "hostile_skin_memory";
    static char* argv[] = { name, nullptr };
    const std::filesystem::path screen = std::filesystem::path(path).parent_path() / "screen.json";
    qputenv("QT_QPA_PLATFORM",
        pass == "widgets" ? "offscreen:configfile=" + QByteArray(screen.c_str()) : "offscreen");
    QApplication app(argc, argv);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes == "idle")
        return SendFigures(fd, Loaded {});
    if (pass == "widgets")
        return SendFigures(fd, Loaded { !LoadAndBuildSkinnedWindows(bytes).empty() });
    bool loaded = LoadAndBuildSkinPictures(bytes, 4096, 4096);
    loaded = LoadAndBuildSkinPictures(bytes, 314, 333) && loaded;
    return SendFigures(fd, Loaded { loaded });
}

struct Result : ChildRun<Loaded> {
    double seconds = 0;
};

Result Measure(const char* pass, const std::filesystem::path& file)
{
    const auto start = std::chrono::steady_clock::now();
    Result result { RunSelfAsChild<Loaded>({ "--child", pass, file.string() }) };
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--child")
        return RunChild(argv[2], argv[3], std::atoi(argv[4]));

    if (argc == 3 && std::string(argv[1]) == "--write") {
        std::filesystem::create_directories(argv[2]);
        for (const HostileSkin& skin : MakeHostileSkins())
            std::ofstream(std::filesystem::path(argv[2]) / skin.Name, std::ios::binary) << skin.Compressed;
        return 0;
    }
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("qelvo-hostile-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "screen.json") << R"({ "screens": [ { "name": "uhd", "x": 0, "y": 0,
        "width": 3840, "height": 2160, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })";

    std::vector<HostileSkin> cases
        = { { "process only (no skin)", "idle" }, { "base skin", CompressSkin() } };
    for (HostileSkin& skin : MakeHostileSkins())
        cases.push_back(std::move(skin));

    std::printf(
        "%-26s %9s %8s %20s %20s\n", "case", "file KiB", "loaded", "engine MiB (s)", "widgets MiB (s)");
    bool within = true;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::filesystem::path file = folder / std::to_string(i);
        std::ofstream(file, std::ios::binary) << cases[i].Compressed;
        const Result engine = Measure("engine", file);
        const Result widgets = Measure("widgets", file);
        auto verdict = [](const Result& r) {
            return !r.ok ? "  CRASHED" : r.peakMiB >= LimitMiB ? "  OVER 256 MiB" : "";
        };
        std::printf("%-26s %9zu %8s %12.1f (%5.2f) %12.1f (%5.2f)%s%s\n", cases[i].Name.c_str(),
            cases[i].Compressed.size() / 1024, engine.figures.loaded ? "yes" : "refused", engine.peakMiB,
            engine.seconds, widgets.peakMiB, widgets.seconds, verdict(engine), verdict(widgets));
        for (const Result& r : { engine, widgets })
            within = within && r.ok && r.peakMiB < LimitMiB;
    }
    std::filesystem::remove_all(folder);
    return within ? 0 : 1;
}
