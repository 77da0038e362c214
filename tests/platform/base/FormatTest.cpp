#include "Format.h"
#include "Exception.h"

#include <gtest/gtest.h>

TEST(Format, FillsPlaceholdersOfAnyLength)
{
    EXPECT_EQ(Format("List index out of bounds (%d)", -1), "List index out of bounds (-1)");
    EXPECT_EQ(Format("Cannot open file %s", "/x/Stocks.cfg"), "Cannot open file /x/Stocks.cfg");
    const std::string longText(5000, 'a');
    EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
    EXPECT_EQ(Format("%s", ""), "");
}

TEST(Exception, CarriesItsMessageThroughTheHierarchy)
{
    try {
        throw EFOpenError(Format("Cannot open file %s", "a"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot open file a");
        EXPECT_NE(dynamic_cast<const EStreamError*>(&e), nullptr);
    }
}

TEST(Abbreviated, CutsLongTextAtACharacterBoundary)
{
    const std::string zhong = "\xD6\xD0"; // 中, two bytes
    const std::string euro4 = "\x81\x30\x81\x30"; // a four-byte GB18030 code
    struct Case {
        std::string text;
        std::size_t limit;
        std::string expected;
    } const cases[] = {
        { "http://hq.sinajs.cn/list=sh600000", 200, "http://hq.sinajs.cn/list=sh600000" },
        { std::string(1'000'000, 'a'), 200, std::string(200, 'a') + "..." },
        { "abc", 3, "abc" },
        { "abcd", 3, "abc..." },
        { "a" + zhong + zhong, 4, "a" + zhong + "..." }, // the second 中 would be cut
        { "a" + euro4, 4, "a..." },
        { "ab" + euro4, 6, "ab" + euro4 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Abbreviated(c.text, c.limit), c.expected) << c.text.substr(0, 20) << " / " << c.limit;
}
