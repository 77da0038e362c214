#pragma once
// Conversions between the program's 8-bit text (GBK bytes) and Unicode, and
// between named character sets, all through iconv in this one place.

#include <optional>
#include <string>
#include <string_view>

namespace nuv {

// The program's 8-bit text from Unicode code points; a character GBK lacks (and
// a code point that is no character) becomes "?".
std::string CodePointsToAnsi(std::u32string_view text);

// Code points of UTF-8 text (sequences of one to four bytes). An invalid
// sequence (a cut one, a stray continuation byte, an overlong form, a surrogate
// or a value past U+10FFFF) gives nullopt, or U+FFFD for its first byte when
// `lenient` is set.
std::optional<std::u32string> DecodeUtf8(std::string_view text, bool lenient = false);

// UTF-8 from the program's 8-bit text; a byte that starts no GBK character
// becomes U+FFFD.
std::string AnsiToUtf8(std::string_view text);
// The program's 8-bit text from UTF-8; an invalid byte, or a character GBK
// lacks, becomes "?".
std::string Utf8ToAnsi(std::string_view text);

// Converts between two character sets named as in an XML declaration ("GB2312",
// "UTF-8", ...); nullopt when a set is unknown or a byte does not convert.
// GB2312 is read and written as GBK, its superset, as the desktops that write
// such files do.
std::optional<std::string> ConvertCharset(
    std::string_view text, const std::string& from, const std::string& to);

} // namespace nuv
