#pragma once
// Big inputs for tests and benchmarks: a unit repeated as often as it fits
// whole in a given number of bytes.

#include <cstddef>
#include <string>

namespace testsupport {

inline std::string Repeated(const std::string& unit, std::size_t bytes)
{
    std::string text;
    text.reserve(bytes);
    while (text.size() + unit.size() <= bytes)
        text += unit;
    return text;
}

} // namespace testsupport
