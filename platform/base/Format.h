#pragma once
// printf-style formatting into std::string, for the system's message texts
// such as "Cannot open file %s" or "List index out of bounds (%d)".

#include <string>

#if defined(__GNUC__)
#define QELVO_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QELVO_PRINTF(fmt, args)
#endif

std::string Format(const char* pattern, ...) QELVO_PRINTF(1, 2);
