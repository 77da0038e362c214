#pragma once
// Conversions between the program's 8-bit text (GBK bytes) and Unicode, and
// between named character sets. GBK goes through the program's one GBK codec
// (GbkCodec.h), so the library's files hold the same bytes for a character as
// the windows and the quote engine do ("€" is A2E3 everywhere); other sets go
// through iconv.

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

// Text in a character set named as in an XML declaration ("GB2312", "UTF-8",
// ...), strictly: nullopt when the set is unknown, a byte is not in it, or a
// character has no code in it. GB2312 and its kin are read and written as GBK
// (one- and two-byte codes), their superset, as the desktops that write such
// files do; GB18030 takes its four-byte codes as well.
std::optional<std::u16string> DecodeCharset(std::string_view text, const std::string& charset);
std::optional<std::string> EncodeCharset(std::u16string_view text, const std::string& charset);
std::optional<std::string> ConvertCharset(
    std::string_view text, const std::string& from, const std::string& to);

} // namespace nuv
