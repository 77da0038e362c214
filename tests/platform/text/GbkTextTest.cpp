#include "GbkText.h"
#include "GbkCodec.h"

#include <QList>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Bytes(const char* text, std::size_t size)
{
    return std::string(text, size);
}

struct DecodeCase {
    const char* what;
    std::string gbk;
    QString expected;
};

TEST(GbkText, DecodesToQString)
{
    const std::vector<DecodeCase> cases = {
        { "ASCII with a NUL byte", Bytes("sh600000\0,7.85", 14), QString::fromUtf8("sh600000\0,7.85", 14) },
        { "two-byte codes among ASCII", "sh600000,\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0,7.85",
            QString::fromUtf8("sh600000,浦发银行,7.85") },
        { "a trail byte in the ASCII range, full-width letter", "\xCD\xF2 \xBF\xC6\xA3\xC1",
            QString::fromUtf8("万 科Ａ") },
        { "four-byte code outside the BMP", "x\x90\x30\x81\x30y", QString::fromUtf8("x\U00010000y") },
        { "lead byte cut off by the end", "A\xD6", QString::fromUtf8("A\uFFFD") },
        { "lead byte before a byte no sequence continues with", "\xD6\x30X", QString::fromUtf8("\uFFFD0X") },
        { "four-byte code cut off by the end", "\x81\x30\x81", QString::fromUtf8("\uFFFD0\uFFFD") },
        { "bytes that start no sequence", "a\xFF\xA1", QString::fromUtf8("a\uFFFD\uFFFD") },
        { "code page 936's euro sign",
            "\x80"
            "100",
            QString::fromUtf8("€100") },
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkToQString(c.gbk), c.expected) << c.what;
}

struct EncodeCase {
    const char* what;
    QString text;
    std::string expected;
};

TEST(GbkText, EncodesFromQString)
{
    const std::vector<EncodeCase> cases = {
        { "ASCII with a NUL", QString::fromUtf8("a\0b", 3), Bytes("a\0b", 3) },
        { "Chinese among ASCII", QString::fromUtf8("sh600000,浦发银行"),
            "sh600000,\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0" },
        { "full-width letter and pinyin", QString::fromUtf8("Ａé"), "\xA3\xC1\xA8\xA6" },
        { "characters without a two-byte code", QString::fromUtf8("한\U0001F600\u00C0."), "???." },
        { "replacement character", QString::fromUtf8("\uFFFD"), "?" },
        { "lone surrogates", QString(QChar(0xD800)) + QChar(u'x') + QChar(0xDC00) + QString::fromUtf8("中"),
            "?x?\xD6\xD0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(QStringToGbk(c.text), c.expected) << c.what;
}

// Text read from a file or the quote service and written back must come out
// byte for byte, for every two-byte code (a few decode to characters beyond
// the BMP).
TEST(GbkText, EveryTwoByteCodeSurvivesARoundTrip)
{
    int failures = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string code { static_cast<char>(lead), static_cast<char>(trail) };
            const QString text = GbkToQString(code);
            if (text.toUcs4().size() != 1 || text.contains(QChar(0xFFFD)) || QStringToGbk(text) != code)
                if (++failures <= 5)
                    ADD_FAILURE() << std::hex << lead << ' ' << trail;
        }
    EXPECT_EQ(failures, 0);
}

struct PathCase {
    const char* what;
    std::string path;
    std::string expected;
};

TEST(GbkText, PathsBecomeProgramText)
{
    const std::vector<PathCase> cases = {
        { "ASCII path", "/tmp/Stocks.cfg", "/tmp/Stocks.cfg" },
        { "Chinese folder", "/home/\xE7\x94\xA8\xE6\x88\xB7/Stocks.cfg",
            "/home/\xD3\xC3\xBB\xA7/Stocks.cfg" },
        { "byte that is not UTF-8", "/a\xFF.cfg", "/a?.cfg" },
        { "overlong form", "/\xC0\xAF", "/??" },
        { "sequence cut off", "/\xE4\xB8", "/??" },
        { "encoded surrogate", "/\xED\xA0\x80", "/???" },
        { "character without a two-byte code", "/\xF0\x9F\x98\x80.cfg", "/?.cfg" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathToGbk(c.path), c.expected) << c.what;
}

} // namespace
