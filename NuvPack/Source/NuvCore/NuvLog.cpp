#include "NuvLog.h"

#include "Clock.h"
#include "NuvFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace nuv {

namespace {

const char* const LogFileName = "debug_log.txt";
const char* const LineEnd = "\r\n";

// The whole entry goes out in one write; should the system accept only part of it
// (a signal), the rest follows at once while the lock is still held.
void WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return;
        done += static_cast<std::size_t>(wrote);
    }
}

}  // namespace

std::string BuildLogEntry(const std::tm& when, const std::string& from, const std::string& message)
{
    // The time of day is formatted before the date, each on its own.
    char time[128];
    const std::size_t timeLength = std::strftime(time, sizeof time, "%X", &when);
    char date[128];
    // The locale's short date is wanted as it is, two-digit year and all.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    const std::size_t dateLength = std::strftime(date, sizeof date, "%x", &when);
#pragma GCC diagnostic pop
    std::string entry;
    entry.reserve(40 + from.size() + message.size());
    entry += LineEnd;
    entry += "time: ";
    entry.append(date, dateLength);
    entry += ' ';
    entry.append(time, timeLength);
    entry += LineEnd;
    entry += "from: " + from + LineEnd;
    entry += "message: " + message + LineEnd;
    return entry;
}

void WriteLogTo(const std::string& logPath, const std::string& from, const std::string& message)
{
    // Non-blocking: a named pipe in the log's place must not hang the program.
    const int fd = open(logPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // Exclusive for the length of one entry: a second writer at the same moment
    // loses its entry instead of interleaving with this one.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    const std::time_t now = std::chrono::system_clock::to_time_t(ClockNow());
    std::tm local{};
    localtime_r(&now, &local);
    WriteAll(fd, BuildLogEntry(local, from, message));
    close(fd);  // releases the lock
}

void WriteLog(const std::string& from, const std::string& message)
{
    WriteLogTo(GetAppPath() + LogFileName, from, message);
}

}  // namespace nuv
