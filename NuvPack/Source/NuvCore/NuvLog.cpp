#include "NuvLog.h"

#include "Clock.h"
#include "NuvFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace nuv {

namespace {

    const char* const LogFileName = "debug_log.txt";
    const char* const LineEnd = "\r\n";

} // namespace

std::string BuildLogEntry(const std::tm& when, const std::string& from, const std::string& message)
{
    // Digits only, in one fixed layout (mm/dd/yy hh:mm:ss): the locale's month
    // names, day-period words or digits would mix encodings within one log.
    char stamp[64];
    const int stampLength
        = std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d", when.tm_mon + 1, when.tm_mday,
            ((when.tm_year % 100) + 100) % 100, when.tm_hour, when.tm_min, when.tm_sec);
    std::string entry;
    entry.reserve(40 + from.size() + message.size());
    entry += LineEnd;
    entry += "time: ";
    entry.append(stamp, static_cast<std::size_t>(std::max(stampLength, 0)));
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
    std::tm local {};
    localtime_r(&now, &local);
    WriteAll(fd, BuildLogEntry(local, from, message));
    close(fd); // releases the lock
}

void WriteLog(const std::string& from, const std::string& message)
{
    WriteLogTo(GetAppPath() + LogFileName, from, message);
}

} // namespace nuv
