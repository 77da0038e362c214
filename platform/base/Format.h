#pragma once
// printf-style formatting into std::string, for the system's message texts
// such as "Cannot open file %s" or "List index out of bounds (%d)".

#include <cstddef>
#include <string>
#include <string_view>

#if defined(__GNUC__)
#define QELVO_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QELVO_PRINTF(fmt, args)
#endif

std::string Format(const char* pattern, ...) QELVO_PRINTF(1, 2);

// What a message quotes of an address, a name or a value read from a file: at
// most `limit` bytes, cut before a GBK character that would not fit whole and
// then ended with "...", so that a message box never lays out megabytes.
std::string Abbreviated(std::string_view text, std::size_t limit = 200);
