// Peak memory of loading each hostile stored skin and building the frame,
// menu and control pictures from it at 4096 x 4096 (and at 314 x 333), each
// in a fresh process so one case's peak cannot hide another's. Prints one
// line per case and fails when any case peaks at 256 MiB or more.
//
//   build/bench/hostile_skin_memory            all cases
//   build/bench/hostile_skin_memory --child <file>   one case (used by the above)
//   build/bench/hostile_skin_memory --write <folder>  the case files only
#include "HostileSkins.h"

#include <QGuiApplication>

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

int RunChild(const char* path)
{
    static int argc = 1;
    static char name[] = "hostile_skin_memory";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes == "idle")
        return 0;
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

Result Measure(const std::filesystem::path& self, const std::filesystem::path& file)
{
    Result result;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(self.c_str(), self.c_str(), "--child", file.c_str(), static_cast<char*>(nullptr));
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
    if (argc == 3 && std::string(argv[1]) == "--child")
        return RunChild(argv[2]);

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

    std::vector<HostileSkin> cases
        = { { "process only (no skin)", "idle" }, { "base skin", CompressSkin() } };
    for (HostileSkin& skin : MakeHostileSkins())
        cases.push_back(std::move(skin));

    std::printf("%-26s %10s %9s %10s %8s\n", "case", "file KiB", "loaded", "peak MiB", "seconds");
    bool within = true;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::filesystem::path file = folder / std::to_string(i);
        std::ofstream(file, std::ios::binary) << cases[i].Compressed;
        const Result r = Measure(self, file);
        std::printf("%-26s %10zu %9s %10.1f %8.2f%s\n", cases[i].Name.c_str(),
            cases[i].Compressed.size() / 1024, r.loaded ? "yes" : "refused", r.peakKiB / 1024.0, r.seconds,
            !r.ok                       ? "  CRASHED"
                : r.peakKiB >= LimitKiB ? "  OVER 256 MiB"
                                        : "");
        within = within && r.ok && r.peakKiB < LimitKiB;
    }
    std::filesystem::remove_all(folder);
    return within ? 0 : 1;
}
