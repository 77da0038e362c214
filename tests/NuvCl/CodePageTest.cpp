// One GBK codec for the whole program: a character typed in a window has the
// same bytes in a text file and in a bookmark file, and comes back the same.
#include "NuvCodePage.h"
#include "NuvTextBookmark.h"
#include "NuvTextFile.h"

#include "GbkText.h"
#include "MenuModel.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct CharacterCase {
    const char* what;
    QString text; // as a window holds it
    std::string gbk; // the program's bytes for it
};

// Window text -> program text -> bookmark file -> program text -> window text.
QString ThroughABookmarkFile(const QString& text, const std::string& file, std::string& saved)
{
    {
        TPopupMenu menu;
        TNuvTextBookmark marks;
        marks.SetPopupMenu(&menu);
        marks.SetFileName(file);
        marks.Add(QStringToGbk(text), 1);
        marks.Save();
    }
    saved = ReadFile(file);
    TPopupMenu menu;
    TNuvTextBookmark marks;
    marks.SetPopupMenu(&menu);
    marks.SetFileName(file);
    marks.Load();
    return GbkToQString(marks.GetItem(0)->Title);
}

// A UTF-8 text file -> program text.
std::string ThroughATextFile(const QString& text, const std::string& file)
{
    WriteFile(file, "\xEF\xBB\xBF" + text.toStdString());
    TNuvTextFile textFile(nullptr);
    textFile.Load(file);
    return textFile.ToANSI(textFile.GetCharEncode());
}

} // namespace

TEST(CodePage, EveryCharacterHasTheSameBytesInWindowsTextFilesAndBookmarks)
{
    const CharacterCase cases[] = {
        { "euro sign", QString::fromUtf8("€100"),
            "\xA2\xE3"
            "100" },
        { "pinyin with grave", QString::fromUtf8("ǹ"), "\xA8\xBF" },
        { "user-defined area AAA1-AFFE", QString(QChar(0xE000)), "\xAA\xA1" },
        { "user-defined area F8A1-FEFE", QString(QChar(0xE234)) + QChar(0xE4C5), "\xF8\xA1\xFE\xFE" },
        { "user-defined area A140-A7A0", QString(QChar(0xE4C6)), "\xA1\x40" },
        { "Chinese among ASCII", QString::fromUtf8("浦发银行 sh600000"),
            "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0 sh600000" },
        { "no two-byte code: four-byte GB18030", QString::fromUtf8("À"), "?" },
        { "no two-byte code: outside the BMP", QString::fromUtf8("😀"), "?" },
    };
    for (const CharacterCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        EXPECT_EQ(QStringToGbk(c.text), c.gbk);
        EXPECT_EQ(ThroughATextFile(c.text, dir.File("text.txt")), c.gbk);
        const bool lossless = c.gbk.find('?') == std::string::npos;
        const QString expected = lossless ? c.text : QStringLiteral("?");
        EXPECT_EQ(GbkToQString(c.gbk), expected);
        std::string saved;
        EXPECT_EQ(ThroughABookmarkFile(c.text, dir.File("marks.xml"), saved), expected);
        EXPECT_NE(saved.find("title=\"" + c.gbk + "\""), std::string::npos) << saved;
    }
}

TEST(CodePage, LegacyEuroBytesReadAsTheEuroSign)
{
    EXPECT_EQ(nuv::AnsiToUtf8("\x80"), "€");
    EXPECT_EQ(nuv::ConvertCharset("\x80", "GB2312", "UTF-8"), std::optional<std::string>("€"));
    EXPECT_EQ(nuv::Utf8ToAnsi("€"), "\xA2\xE3");
}
