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
