#pragma once
// GBK program text and Unicode, without Qt, for the layers that must stay
// Qt-free. The program's 8-bit text is GBK; file names are the file system's
// bytes, which are UTF-8 here.
//
// Decoding reads GB18030, the superset of GBK, so every GBK sequence and the
// four-byte sequences of newer data decode. Encoding writes one- and two-byte
// sequences only, i.e. bytes any GBK reader takes; a character that has no
// two-byte code becomes '?'. Two-byte text therefore survives a decode and
// encode unchanged.
//
// The single byte 0x80, which Windows' code page 936 gives the euro sign,
// decodes to "€" as well (it is written as GB18030's A2E3).
//
// Bad input never stops a conversion: each byte that does not start a valid
// GBK sequence (including a sequence cut off by the end of the text) decodes
// to U+FFFD and decoding resumes at the next byte, so an ASCII byte after a
// broken lead byte is kept. A lone surrogate encodes to '?'.
//
// This is the program's one GBK codec: the Qt boundary (GbkText.h), the file
// names in messages and the library's code-page conversions all use it, so a
// character has the same bytes everywhere.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Decodes gbk into UTF-16 at out, which must have room for gbk.size() code
// units (no text needs more); returns the number of units written.
std::size_t DecodeGbk(std::string_view gbk, char16_t* out);
std::u16string DecodeGbk(std::string_view gbk);

// Encodes UTF-16 text as GBK bytes.
std::string EncodeGbk(std::u16string_view text);

// The strict forms, for files that declare their encoding: nullopt when a byte
// starts no character, or a character has no code. GBK has one- and two-byte
// codes; with `fourByte` (a file in GB18030) the four-byte codes count too.
std::optional<std::u16string> DecodeGbkStrict(std::string_view gbk, bool fourByte = false);
std::optional<std::string> EncodeGbkStrict(std::u16string_view text, bool fourByte = false);

// UTF-8 and UTF-16. Decoding takes sequences of one to four bytes; a bad one
// (cut, a stray continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF) gives U+FFFD for its first byte, or nullopt from the strict form.
// Encoding writes a lone surrogate as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::optional<std::u16string> Utf8ToUtf16Strict(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// A file name (UTF-8) as GBK program text, for messages such as
// "Cannot open file %s". Bytes that are not UTF-8 become '?'.
std::string PathToGbk(std::string_view path);
