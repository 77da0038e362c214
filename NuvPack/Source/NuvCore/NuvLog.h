#pragma once
// Append-only debug log "debug_log.txt" in the program's folder.

#include <ctime>
#include <string>

namespace nuv {

// Appends one entry (CR LF, "time: " date time, "from: ", "message: " lines) to
// GetAppPath() + "debug_log.txt". The entry is written with one exclusive write;
// when another writer holds the log, or it cannot be opened, the entry is lost.
void WriteLog(const std::string& from, const std::string& message);

// The same, on a log file named by the caller.
void WriteLogTo(const std::string& logPath, const std::string& from, const std::string& message);

// The bytes of one entry stamped with `when` (local time), date and time in
// digits only ("03/21/08 14:05:09"), whatever the locale.
std::string BuildLogEntry(const std::tm& when, const std::string& from, const std::string& message);

} // namespace nuv
