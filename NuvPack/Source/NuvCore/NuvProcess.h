#pragma once
// Running programs and loadable libraries: the id of a program by its file
// name, and calling a library's registration entry point.

#include <cstdint>
#include <string>

namespace nuv {

// The id of the first running process (lowest id first) whose executable file
// name equals `name` byte for byte, letter case included; 0 when none does.
// The file name is the last part of the executable's path (/proc/<id>/exe). A
// process whose executable cannot be read is skipped: its short name and
// command line are its own to set, so a decoy could claim any name. An
// ordinary user's program therefore finds that user's own processes; root
// finds all.
std::uint32_t GetProcessID(const std::string& name);

// Loads the library `path` and calls its entry point "DllRegisterServer" (`reg`
// true) or "DllUnregisterServer" (`reg` false) without arguments, then unloads
// it. True when the entry point existed and was called, whatever it returned;
// false when it is missing or the file is no loadable library.
bool RegComServer(const std::string& path, bool reg);

} // namespace nuv
