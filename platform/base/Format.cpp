#include "Format.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, pattern, args);
    }
    va_end(args);
    return text;
}

std::string Abbreviated(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return std::string(text);
    std::size_t end = 0;
    while (end < limit) {
        const auto byte = static_cast<unsigned char>(text[end]);
        std::size_t length = 1;
        if (byte >= 0x81 && byte <= 0xFE && end + 1 < text.size())
            length = text[end + 1] >= '0' && text[end + 1] <= '9' ? 4 : 2; // GB18030 has four-byte codes
        if (end + length > limit)
            break;
        end += length;
    }
    return std::string(text.substr(0, end)) + "...";
}
