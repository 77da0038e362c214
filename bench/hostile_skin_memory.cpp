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
//   build/bench/hostile_skin_memory --child engine|widgets <file>   one case (used by the above)
//   build/bench/hostile_skin_memory --write <folder>  the case files only
#include "HostileSkins.h"

#include <QApplication>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr long LimitKiB = 256L * 1024;

int RunChild(const std::string& pass, const char* path)
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
        return 0;
    if (pass == "widgets")
        return LoadAndBuildSkinnedWindows(bytes).empty() ? 3 : 0;
    bool loaded = LoadAndBuildSkinPictures(bytes, 4096, 4096);
    loaded = LoadAndBuildSkinPictures(bytes, 314, 333) && loaded;
    return loaded ? 0 : 3;
}

struct Result {
    bool ok = false;
    bool loaded = false;
    long peakKiB = 0;
    double seconds = 0;
};

Result Measure(const std::filesystem::path& self, const char* pass, const std::filesystem::path& file)
{
    Result result;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(self.c_str(), self.c_str(), "--child", pass, file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.ok = WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3);
    result.loaded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.peakKiB = usage.ru_maxrss; // KiB on Linux
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--child")
        return RunChild(argv[2], argv[3]);

    if (argc == 3 && std::string(argv[1]) == "--write") {
        std::filesystem::create_directories(argv[2]);
        for (const HostileSkin& skin : MakeHostileSkins())
            std::ofstream(std::filesystem::path(argv[2]) / skin.Name, std::ios::binary) << skin.Compressed;
        return 0;
    }
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
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
        const Result engine = Measure(self, "engine", file);
        const Result widgets = Measure(self, "widgets", file);
        auto verdict = [](const Result& r) {
            return !r.ok ? "  CRASHED" : r.peakKiB >= LimitKiB ? "  OVER 256 MiB" : "";
        };
        std::printf("%-26s %9zu %8s %12.1f (%5.2f) %12.1f (%5.2f)%s%s\n", cases[i].Name.c_str(),
            cases[i].Compressed.size() / 1024, engine.loaded ? "yes" : "refused", engine.peakKiB / 1024.0,
            engine.seconds, widgets.peakKiB / 1024.0, widgets.seconds, verdict(engine), verdict(widgets));
        for (const Result& r : { engine, widgets })
            within = within && r.ok && r.peakKiB < LimitKiB;
    }
    std::filesystem::remove_all(folder);
    return within ? 0 : 1;
}
