#include "NuvText.h"

namespace nuv {

namespace {

    const char HexDigits[] = "0123456789ABCDEF";

    int HexDigitValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        throw EIntError(0);
    }

} // namespace

std::string CharToHex(unsigned char c)
{
    return { HexDigits[c >> 4], HexDigits[c & 0x0F] };
}

std::string StrToHex(const std::string& s, char sep)
{
    std::string hex;
    hex.reserve(s.size() * 3);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && sep != 0)
            hex += sep;
        hex += CharToHex(static_cast<unsigned char>(s[i]));
    }
    return hex;
}

std::u16string StrToHex(const std::u16string& s, char16_t sep)
{
    std::u16string hex;
    hex.reserve(s.size() * 6);
    bool first = true;
    for (const char16_t unit : s) {
        const unsigned char bytes[2]
            = { static_cast<unsigned char>(unit & 0xFF), static_cast<unsigned char>(unit >> 8) };
        for (const unsigned char byte : bytes) {
            if (!first && sep != 0)
                hex += sep;
            first = false;
            hex += static_cast<char16_t>(HexDigits[byte >> 4]);
            hex += static_cast<char16_t>(HexDigits[byte & 0x0F]);
        }
    }
    return hex;
}

char HexCharToChar(char hi, char lo)
{
    const int high = HexDigitValue(hi);
    const int low = HexDigitValue(lo);
    return static_cast<char>((high * 16 + low) & 0xFF);
}

std::string UrlEncode(const std::string& s)
{
    if (s.empty())
        return {};
    // Appended in place: GCC 12 warns falsely (-Wrestrict) on "%" + a temporary.
    std::string encoded(1, '%');
    return encoded.append(StrToHex(s, '%'));
}

std::int32_t BitToInt(const std::string& s)
{
    // Unsigned arithmetic: shifting bits out of the top is well defined.
    std::uint32_t value = 0;
    for (const char c : s) {
        if (c != '0' && c != '1')
            throw EIntError(-1);
        value = (value << 1) | static_cast<std::uint32_t>(c == '1');
    }
    return static_cast<std::int32_t>(value);
}

bool Is2N(std::int32_t n)
{
    const auto bits = static_cast<std::uint32_t>(n);
    return bits != 0 && (bits & (bits - 1)) == 0;
}

std::string Replace(const std::string& src, const std::string& find, const std::string& repl)
{
    if (find.empty())
        return src;
    std::string result;
    std::size_t from = 0;
    for (auto at = src.find(find); at != std::string::npos; at = src.find(find, from)) {
        result.append(src, from, at - from);
        result += repl;
        from = at + find.size();
    }
    result.append(src, from, std::string::npos);
    return result;
}

std::string AppendStr(const std::string& s, const std::string& t)
{
    return t + s + t;
}

int BoolToInt(bool b)
{
    return b ? 1 : 0;
}

bool CharToBool(char c)
{
    return c != '0';
}

char BoolToChar(bool b)
{
    return b ? '1' : '0';
}

int MonthDays(const std::chrono::year_month_day& date)
{
    static const int DaysPerMonth[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const unsigned month = static_cast<unsigned>(date.month());
    if (month < 1 || month > 12)
        throw EConvertError("Invalid argument to date encode");
    if (month == 2 && date.year().is_leap())
        return 29;
    return DaysPerMonth[month - 1];
}

} // namespace nuv
