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
// Bad input never stops a conversion: each byte that does not start a valid
// GBK sequence (including a sequence cut off by the end of the text) decodes
// to U+FFFD and decoding resumes at the next byte, so an ASCII byte after a
// broken lead byte is kept. A lone surrogate encodes to '?'.

#include <cstddef>
#include <string>
#include <string_view>

// Decodes gbk into UTF-16 at out, which must have room for gbk.size() code
// units (no text needs more); returns the number of units written.
std::size_t DecodeGbk(std::string_view gbk, char16_t* out);

// Encodes UTF-16 text as GBK bytes.
std::string EncodeGbk(std::u16string_view text);

// A file name (UTF-8) as GBK program text, for messages such as
// "Cannot open file %s". Bytes that are not UTF-8 become '?'.
std::string PathToGbk(std::string_view path);
