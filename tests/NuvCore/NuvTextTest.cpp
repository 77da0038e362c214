#include "NuvText.h"

#include <gtest/gtest.h>

#include <climits>

using namespace std::chrono;

TEST(NuvText, CharToHexAndStrToHex)
{
    EXPECT_EQ(nuv::CharToHex(0x4A), "4A");
    EXPECT_EQ(nuv::CharToHex(0x00), "00");
    EXPECT_EQ(nuv::CharToHex(0xFF), "FF");

    struct Case {
        std::string text;
        char sep;
        std::string hex;
    };
    const Case cases[] = {
        { "AB", '-', "41-42" },
        { "AB", 0, "4142" },
        { "", '-', "" },
        { "A", ' ', "41" },
        { "\xC4\xE3", ':', "C4:E3" },
        { std::string("\0z", 2), ' ', "00 7A" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuv::StrToHex(c.text, c.sep), c.hex) << c.text;
}

TEST(NuvText, StrToHexOfWideTextDumpsBytesLowByteFirst)
{
    EXPECT_EQ(nuv::StrToHex(u"A", u' '), u"41 00");
    EXPECT_EQ(nuv::StrToHex(u"A", 0), u"4100");
    EXPECT_EQ(nuv::StrToHex(u"\u4F60z", u'-'), u"60-4F-7A-00");
    EXPECT_EQ(nuv::StrToHex(u"", u'-'), u"");
}

TEST(NuvText, HexCharToCharReadsEitherCase)
{
    EXPECT_EQ(nuv::HexCharToChar('f', 'F'), '\xFF');
    EXPECT_EQ(nuv::HexCharToChar('4', 'a'), 'J');
    EXPECT_EQ(nuv::HexCharToChar('0', '0'), '\0');
    EXPECT_EQ(nuv::HexCharToChar('9', 'A'), '\x9A');

    for (const auto& [hi, lo] :
        { std::pair { 'G', '0' }, std::pair { '0', 'g' }, std::pair { ' ', '1' }, std::pair { '1', '\0' } }) {
        try {
            nuv::HexCharToChar(hi, lo);
            ADD_FAILURE() << "accepted " << hi << lo;
        } catch (const nuv::EIntError& e) {
            EXPECT_EQ(e.Value(), 0);
            EXPECT_EQ(e.Message(), "0");
        }
    }
}

TEST(NuvText, UrlEncodeEncodesEveryByte)
{
    EXPECT_EQ(nuv::UrlEncode("a b"), "%61%20%62");
    EXPECT_EQ(nuv::UrlEncode(""), "");
    EXPECT_EQ(nuv::UrlEncode("\xC4\xE3"), "%C4%E3");
    EXPECT_EQ(nuv::UrlEncode("%"), "%25");
}

TEST(NuvText, BitToIntParsesBinaryDigits)
{
    struct Case {
        std::string bits;
        std::int32_t value;
    };
    const Case cases[] = {
        { "1011", 11 }, { "", 0 }, { "0", 0 }, { "11111111111111111111111111111111", -1 },
        { "10000000000000000000000000000000", INT32_MIN },
        { "1" + std::string(32, '0') + "101", 5 }, // only the last 32 digits count
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuv::BitToInt(c.bits), c.value) << c.bits;

    for (const std::string bad : { "102", " 1", "1a", "-1" }) {
        try {
            nuv::BitToInt(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const nuv::EIntError& e) {
            EXPECT_EQ(e.Value(), -1);
        }
    }
}

TEST(NuvText, Is2NTrueForExactlyOneBitSet)
{
    for (const std::int32_t n : { 1, 2, 1024, 1 << 30, INT32_MIN })
        EXPECT_TRUE(nuv::Is2N(n)) << n;
    for (const std::int32_t n : { 0, 3, -2, -1, 6, INT32_MAX })
        EXPECT_FALSE(nuv::Is2N(n)) << n;
}

TEST(NuvText, ReplaceEveryOccurrenceLeftToRightWithoutRescanning)
{
    struct Case {
        std::string src, find, repl, result;
    };
    const Case cases[] = {
        { "aaaa", "aa", "b", "bb" },
        { "aaaa", "aa", "aa", "aaaa" },
        { "aaa", "aa", "b", "ba" },
        { "abc", "", "x", "abc" },
        { "abc", "x", "y", "abc" },
        { "", "a", "b", "" },
        { "a.b.c", ".", "", "abc" },
        { "O'Brien's", "'", "''", "O''Brien''s" },
        { "xx", "x", "xx", "xxxx" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuv::Replace(c.src, c.find, c.repl), c.result) << c.src << " / " << c.find;
}

TEST(NuvText, AppendStrAndBooleanConversions)
{
    EXPECT_EQ(nuv::AppendStr("x", "'"), "'x'");
    EXPECT_EQ(nuv::AppendStr("", "\""), "\"\"");
    EXPECT_EQ(nuv::AppendStr("x", ""), "x");

    EXPECT_EQ(nuv::BoolToInt(true), 1);
    EXPECT_EQ(nuv::BoolToInt(false), 0);
    EXPECT_EQ(nuv::BoolToChar(true), '1');
    EXPECT_EQ(nuv::BoolToChar(false), '0');
    EXPECT_FALSE(nuv::CharToBool('0'));
    for (const char c : { '1', 'N', '\0', 'F' })
        EXPECT_TRUE(nuv::CharToBool(c)) << int(c);
}

TEST(NuvText, MonthDaysFollowsTheGregorianCalendar)
{
    struct Case {
        year_month_day date;
        int days;
    };
    const Case cases[] = {
        { 2008y / February / 10, 29 },
        { 1900y / February / 1, 28 },
        { 2000y / February / 28, 29 },
        { 2010y / February / 1, 28 },
        { 2010y / December / 31, 31 },
        { 2010y / January / 1, 31 },
        { 2010y / April / 30, 30 },
        { 2010y / September / 1, 30 },
        { 2010y / August / 15, 31 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuv::MonthDays(c.date), c.days)
            << int(c.date.year()) << "-" << unsigned(c.date.month()) << "-" << unsigned(c.date.day());

    EXPECT_THROW(nuv::MonthDays(year_month_day { 2010y, month { 13 }, day { 1 } }), EConvertError);
    EXPECT_THROW(nuv::MonthDays(year_month_day { 2010y, month { 0 }, day { 1 } }), EConvertError);
}
