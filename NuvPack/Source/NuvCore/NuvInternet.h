#pragma once
// Whether the Internet can be reached: a real connection attempt to the
// address's host (through the proxy when one applies).

#include <string>

namespace nuv {

// True when the host of url answers now. Never throws; any failure is false.
bool CheckInternetConnection(const std::string& url);

} // namespace nuv
