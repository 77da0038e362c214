#pragma once
// A start measured in a fresh process: the benchmark runs its own program
// again as a child, which writes one plain figures struct to a pipe (the pipe
// end's number is its last argument) and exits 0. Its peak resident memory
// comes from wait4. The child is forked, not spawned: a vfork-style spawn
// hands the child the parent's memory high-water mark at exec, so a parent
// that once held a big input would show as the child's peak.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <type_traits>
#include <vector>

template <typename Figures> struct ChildRun {
    bool ok = false; // the figures came and the child exited 0
    Figures figures {};
    double peakMiB = 0;
};

// Runs this program with `arguments` and the pipe end's number after them.
template <typename Figures> ChildRun<Figures> RunSelfAsChild(std::vector<std::string> arguments)
{
    static_assert(std::is_trivially_copyable_v<Figures>);
    ChildRun<Figures> run;
    int ends[2];
    if (::pipe(ends) != 0)
        return run;
    std::string self = "/proc/self/exe";
    arguments.push_back(std::to_string(ends[1]));
    std::vector<char*> argv { self.data() };
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ends[0]);
        ::execv(self.c_str(), argv.data());
        ::_exit(127);
    }
    const bool started = pid > 0;
    ::close(ends[1]);
    const bool read = started && ::read(ends[0], &run.figures, sizeof run.figures) == sizeof run.figures;
    ::close(ends[0]);
    int status = 0;
    rusage usage {};
    if (!started || ::wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // KiB on Linux
    return run;
}

// The child's side: writes its figures to the pipe end `fd` and closes it;
// the exit status to return (0 when written).
template <typename Figures> int SendFigures(int fd, const Figures& figures)
{
    const bool written = ::write(fd, &figures, sizeof figures) == sizeof figures;
    ::close(fd);
    return written ? 0 : 1;
}
