#include "ErrorReport.h"
#include "Exception.h"
#include "ProgramWindows.h"

#include <gtest/gtest.h>

TEST(ErrorReportText, AppendsAFullStopAfterCharactersSortingAfterIt)
{
    struct Case {
        std::string message, shown;
    };
    const Case cases[] = {
        { "Error downloading URL: http://h/list=sh600000", "Error downloading URL: http://h/list=sh600000." },
        { "Cannot open file /x/Stocks.cfg.", "Cannot open file /x/Stocks.cfg." },
        { "List index out of bounds (3)", "List index out of bounds (3)" }, // ')' sorts before '.'
        { "Done!", "Done!" },
        { "1", "1." },
        { "\xB4\xED", "\xB4\xED." }, // a GBK character's last byte sorts after '.'
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message;
}

TEST(ErrorReport, GoesToTheInstalledHandlerUntilTheDefaultIsRestored)
{
    std::vector<std::string> seen;
    SetErrorReportHandler([&seen](const std::string& m) { seen.push_back(m); });
    ShowErrorReport("first");
    const ErrorReportHandler previous = SetErrorReportHandler({});
    ShowErrorReport("to stderr");
    ASSERT_TRUE(previous);
    previous("direct");
    EXPECT_EQ(seen, (std::vector<std::string> { "first", "direct" }));
}

TEST(ErrorMessageOf, TakesTheErrorsTextAndNothingFromOtherThrownObjects)
{
    EXPECT_EQ(
        ErrorMessageOf(std::make_exception_ptr(EFOpenError("Cannot open file x"))), "Cannot open file x");
    EXPECT_EQ(ErrorMessageOf(std::make_exception_ptr(std::out_of_range("index"))), "index");
    EXPECT_EQ(ErrorMessageOf(std::make_exception_ptr(42)), "");
}

TEST(ProgramWindowShowing, IsFalseUntilTheMainWindowSaysOtherwise)
{
    EXPECT_FALSE(ProgramWindowShowing());
    SetProgramWindowShowingPredicate([] { return true; });
    EXPECT_TRUE(ProgramWindowShowing());
    SetProgramWindowShowingPredicate({});
    EXPECT_FALSE(ProgramWindowShowing());
}
