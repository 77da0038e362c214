#pragma once
// Byte-wise text helpers: hex dumps, percent-encoding, binary digits, search and
// replace, quoting, boolean conversions and the length of a month. Text is 8-bit
// (GBK for Chinese); a two-byte character is two bytes to every function here.

#include "Exception.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace nuv {

// Bad input to HexCharToChar (value 0) and BitToInt (value -1): the payload is the
// integer alone, the message is that integer as text.
class EIntError : public Exception {
public:
    explicit EIntError(int value)
        : Exception(std::to_string(value))
        , value_(value)
    {
    }
    int Value() const { return value_; }

private:
    int value_;
};

// Two upper-case hex digits, high nibble first: 0x4A gives "4A".
std::string CharToHex(unsigned char c);

// Hex pairs of every byte, `sep` between two pairs; `sep` 0 means no separator.
std::string StrToHex(const std::string& s, char sep = 0);

// Hex pairs of the bytes of `s` as stored in memory (low byte of each code unit
// first): u"A" gives "41", sep, "00".
std::u16string StrToHex(const std::u16string& s, char16_t sep = 0);

// The byte hi * 16 + lo from two hex digits of either case; throws EIntError(0)
// for any other character.
char HexCharToChar(char hi, char lo);

// Every byte as "%" and two hex digits; empty for empty text.
std::string UrlEncode(const std::string& s);

// Value of a text of "0" and "1" digits (the last 32 count); throws EIntError(-1)
// for any other character; 0 for empty text.
std::int32_t BitToInt(const std::string& s);

// True when `n` has exactly one bit set in its 32-bit pattern (INT32_MIN included).
bool Is2N(std::int32_t n);

// `src` with every occurrence of `find` replaced by `repl`, left to right, never
// searching the replacement again; an empty `find` changes nothing.
std::string Replace(const std::string& src, const std::string& find, const std::string& repl);

// t + s + t, for example a value wrapped in single quotes.
std::string AppendStr(const std::string& s, const std::string& t);

int BoolToInt(bool b);
bool CharToBool(char c); // false exactly for '0'
char BoolToChar(bool b); // '1' or '0'

// Days of the month `date` falls in (February 29 in a Gregorian leap year).
// Throws EConvertError when the month is not 1 to 12.
int MonthDays(const std::chrono::year_month_day& date);

} // namespace nuv
