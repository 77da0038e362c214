#include "NuvDelimited.h"

#include "Exception.h"

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

namespace {

Items Split(const std::string& text, char delim)
{
    Items items { "stale" };
    nuv::GetDelimiterText(&items, text, delim);
    return items;
}

} // namespace

TEST(NuvDelimited, GetDelimiterTextSplitsAtDelimitersAndBlanks)
{
    struct Case {
        std::string text;
        char delim;
        Items items;
    };
    const Case cases[] = {
        { "a b;c;;d;", ';', { "a", "b", "c", "", "d", "" } },
        { "\"x y\";z", ';', { "x y", "z" } },
        { "", ';', {} },
        { "   \t\r\n", ';', {} },
        { ";", ';', { "", "" } },
        { ";a", ';', { "", "a" } },
        { "a;", ';', { "a", "" } },
        { "a ; b", ';', { "a", "b" } },
        { "a; ", ';', { "a" } }, // the delimiter is not the last character here
        { "a,b c", ',', { "a", "b", "c" } },
        { "a;b", ',', { "a;b" } },
        { "  lead", ',', { "lead" } },
        { "\"say \"\"hi\"\"\",x", ',', { "say \"hi\"", "x" } },
        { "\"\",x", ',', { "", "x" } },
        { "\"open ended", ',', { "open ended" } },
        { "\"ab\"cd,e", ',', { "ab", "cd", "e" } },
        { "a\tb\nc", '|', { "a", "b", "c" } },
        { std::string("a\0b", 3), ',', { "a", "b" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text, c.delim), c.items) << c.text;
}

TEST(NuvDelimited, GetDelimiterTextStepsOverDoubleByteCharactersWhole)
{
    // "\x95\x7C" is one GBK character whose second byte is "|"; "\xC4\xE3" is 你.
    EXPECT_EQ(Split("\x95\x7C|\xC4\xE3", '|'), (Items { "\x95\x7C", "\xC4\xE3" }));
    EXPECT_EQ(Split("\"\x95\x7C|x\"|y", '|'), (Items { "\x95\x7C|x", "y" }));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(Split("a|\x95", '|'), (Items { "a", "\x95" }));
    // A GBK second byte that looks like a quote is no quote.
    EXPECT_EQ(Split("\"\x81\"\"", ','), (Items { "\x81\"" }));
}

TEST(NuvDelimited, GetDelimiterTextSplittingOneOfItsOwnItemsIsSafe)
{
    Items items { "a,b" };
    nuv::GetDelimiterText(&items, items[0], ',');
    EXPECT_EQ(items, (Items { "a", "b" }));
}

TEST(NuvDelimited, GetDelimiterTextNullListIsAProgrammingError)
{
    EXPECT_THROW(nuv::GetDelimiterText(nullptr, "a", ','), EAssertionFailed);
}

TEST(NuvDelimited, SetDelimiterTextJoinsWithoutQuoting)
{
    EXPECT_EQ(nuv::SetDelimiterText({ "a", "b" }, ','), "a,b");
    EXPECT_EQ(nuv::SetDelimiterText({ "a" }, ','), "a");
    EXPECT_EQ(nuv::SetDelimiterText({}, ','), "");
    EXPECT_EQ(nuv::SetDelimiterText({ "", "" }, ';'), ";");
    EXPECT_EQ(nuv::SetDelimiterText({ "x y", "z" }, ';'), "x y;z");
}

TEST(NuvDelimited, SetDelimiterTextRoundTripsPlainItems)
{
    const Items items { "sh600000", "sz000001", "", "sh601398" };
    EXPECT_EQ(Split(nuv::SetDelimiterText(items, ','), ','), items);
}
