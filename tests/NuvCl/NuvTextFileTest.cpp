#include "NuvTextFile.h"

#include "NuvCodePage.h"

#include "Exception.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct Case {
    const char* what;
    std::string bytes;
    nuv::TCharEncode encode;
    std::string text; // ToANSI of the detected encoding, GBK bytes
};

using S = std::string;

const Case Cases[] = {
    { "empty file", S(), nuv::ceAnsi, S() },
    { "one byte, even 0xFF", S("\xFF"), nuv::ceAnsi, S("\xFF") },
    { "UTF-8 mark cut to two bytes", S("\xEF\xBB"), nuv::ceAnsi, S("\xEF\xBB") },
    { "8-bit text ends at a zero byte", S("ab\0cd", 5), nuv::ceAnsi, S("ab") },
    { "GBK bytes pass unchanged", S("\xD6\xD0\xCE\xC4"), nuv::ceAnsi, S("\xD6\xD0\xCE\xC4") },
    { "UTF-16", S("\xFF\xFE\x41\x00", 4), nuv::ceUnicode, S("A") },
    { "UTF-16 Chinese", S("\xFF\xFE\x2D\x4E\x87\x65", 6), nuv::ceUnicode, S("\xD6\xD0\xCE\xC4") },
    { "UTF-16 odd length: the lone byte is a low half", S("\xFF\xFE\x41\x00\x42", 5), nuv::ceUnicode,
        S("AB") },
    { "UTF-16 ends at a zero unit", S("\xFF\xFE\x41\x00\x00\x00\x42\x00", 8), nuv::ceUnicode, S("A") },
    { "UTF-16 pair outside GBK is one ?", S("\xFF\xFE\x3D\xD8\x00\xDE\x41\x00", 8), nuv::ceUnicode, S("?A") },
    { "UTF-16 lone surrogate", S("\xFF\xFE\x00\xDC\x41\x00", 6), nuv::ceUnicode, S("?A") },
    { "UTF-16 big-endian", S("\xFE\xFF\x00\x41\x4E\x2D", 6), nuv::ceUnicodeBigEndian, S("A\xD6\xD0") },
    { "UTF-8", S("\xEF\xBB\xBF\x61\x62"), nuv::ceUtf8, S("ab") },
    { "UTF-8 Chinese", S("\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87"), nuv::ceUtf8, S("\xD6\xD0\xCE\xC4") },
    { "UTF-8 four bytes outside GBK", S("\xEF\xBB\xBF\xF0\x9F\x98\x80z"), nuv::ceUtf8, S("?z") },
    { "UTF-8 lead byte cut at the end",
        S("\xEF\xBB\xBF"
          "a\xE4\xB8"),
        nuv::ceUtf8, S() },
    { "UTF-8 stray continuation byte",
        S("\xEF\xBB\xBF"
          "a\x80"
          "b"),
        nuv::ceUtf8, S() },
    { "UTF-8 overlong form", S("\xEF\xBB\xBF\xC0\xAF"), nuv::ceUtf8, S() },
    { "UTF-8 ends at a zero byte",
        S("\xEF\xBB\xBF"
          "a\0\xFF",
            6),
        nuv::ceUtf8, S("a") },
};

} // namespace

TEST(TextFile, DetectsTheMarkAndConvertsTheText)
{
    TempDir dir;
    TNuvTextFile file;
    for (const Case& c : Cases) {
        WriteFile(dir.File("t.txt"), c.bytes);
        file.Load(dir.File("t.txt"));
        EXPECT_EQ(file.GetCharEncode(), c.encode) << c.what;
        EXPECT_EQ(file.ToANSI(file.GetCharEncode()), c.text) << c.what;
    }
}

TEST(TextFile, TheEncodingPassedDecidesTheConversion)
{
    TempDir dir;
    WriteFile(dir.File("t.txt"), "\xFF\xFE\x41\x00");
    TNuvTextFile file;
    file.Load(dir.File("t.txt"));
    EXPECT_EQ(file.ToANSI(nuv::ceAnsi), "\xFF\xFE\x41");
    // Every form stays inside the buffer, even past a content shorter than its mark.
    WriteFile(dir.File("t.txt"), "\xFF");
    file.Load(dir.File("t.txt"));
    EXPECT_EQ(file.ToANSI(nuv::ceUtf8), "");
    EXPECT_EQ(file.ToANSI(nuv::ceUnicode), "");
}

TEST(TextFile, UnreadableFilesGiveAnEmptyTextAndNothingLoadedIsAnError)
{
    TempDir dir;
    TNuvTextFile file;
    EXPECT_THROW(file.GetCharEncode(), EAssertionFailed);
    EXPECT_THROW(file.ToANSI(nuv::ceAnsi), EAssertionFailed);

    WriteFile(dir.File("t.txt"), "old");
    file.Load(dir.File("t.txt"));
    for (const std::string& name : { dir.File("missing.txt"), dir.Folder(), dir.File("*") }) {
        file.Load(name);
        EXPECT_EQ(file.GetCharEncode(), nuv::ceAnsi) << name;
        EXPECT_EQ(file.ToANSI(nuv::ceUnicode), "") << name;
    }

    file.Clear();
    file.Clear();
    EXPECT_THROW(file.ToANSI(nuv::ceAnsi), EAssertionFailed);
}

TEST(CodePage, LongTextsConvertWholeAcrossCharactersThatFail)
{
    // Longer than one conversion slice, with two-byte characters across the
    // slices' ends and characters GBK lacks in between.
    std::string gbk = "a";
    std::u32string points = U"a";
    std::string expected = "a";
    for (int i = 0; i < 400; ++i) {
        gbk += "\xD6\xD0";
        points += i % 7 == 0 ? U'\U0001F600' : U'\u4E2D';
        expected += i % 7 == 0 ? "?" : "\xD6\xD0";
    }
    EXPECT_EQ(nuv::Utf8ToAnsi(nuv::AnsiToUtf8(gbk)), gbk);
    EXPECT_EQ(nuv::CodePointsToAnsi(points), expected);
    EXPECT_EQ(nuv::AnsiToUtf8(gbk + "\x81"), nuv::AnsiToUtf8(gbk) + "\xEF\xBF\xBD")
        << "a lead byte at the very end";
    EXPECT_EQ(nuv::ConvertCharset(gbk + "\x81", "GB2312", "UTF-8"), std::nullopt);
}
