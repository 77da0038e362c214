// The chart window's picture addresses.
#include "StockChart.h"
#include "Exception.h"

#include <gtest/gtest.h>

#include <cctype>

TEST(StockChart, CodesGetTheirMarketOrNone)
{
    struct Case {
        std::string typed;
        std::string code; // empty: no market
    };
    const Case cases[] = {
        { "600000", "sh600000" }, // 6: Shanghai
        { "000001", "sz000001" }, // 0: Shenzhen
        { "300001", "sz300001" }, // 3: Shenzhen
        { "sh600000", "sh600000" }, // prefixed
        { "sz000001", "sz000001" },
        { "SH600000", "sh600000" }, // a prefix in capitals counts, written in lower case
        { "sZ000001", "sz000001" },
        { "900901", "" }, // no market for this first digit
        { "hk00700", "" },
        { "s", "" }, // too short for a prefix, and no digit
        { "", "" }, // an empty box
        { "sh600000/../x", "" }, // nothing that would change the address
        { "600000 ", "" },
        { "sh\xC6\xD6", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChartStockCode(c.typed), c.code) << c.typed;
}

TEST(StockChart, TheKindListAndItsAddresses)
{
    struct Case {
        int kind;
        std::string caption;
        std::string address;
    };
    const Case cases[] = {
        { 0, "\xC8\xD5\xBE\xF9\xCF\xDF", "http://image.sinajs.cn/newchart/min/n/sh600000.gif" }, // 日均线
        { 1, "\xC8\xD5K\xCF\xDF", "http://image.sinajs.cn/newchart/daily/n/sh600000.gif" }, // 日K线
        { 3, "\xD4\xC2K\xCF\xDF", "http://image.sinajs.cn/newchart/monthly/n/sh600000.gif" }, // 月K线
        { 15, "WVA", "http://image.sinajs.cn/newchart/wvad/n/sh600000.gif" }, // caption and segment differ
        { 24, "CCI", "http://image.sinajs.cn/newchart/cci/n/sh600000.gif" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChartKinds[static_cast<std::size_t>(c.kind)].caption, c.caption);
        EXPECT_EQ(ChartAddress(c.kind, "sh600000"), c.address);
    }
    // Every other kind's segment is its caption in lower case.
    for (int kind = 4; kind < ChartKindCount; ++kind) {
        std::string caption = ChartKinds[static_cast<std::size_t>(kind)].caption;
        for (char& c : caption)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (kind != 15) {
            EXPECT_EQ(caption, ChartKinds[static_cast<std::size_t>(kind)].segment) << kind;
        }
    }

    EXPECT_EQ(ChartAddress(-1, "sh600000"), "");
    EXPECT_EQ(ChartAddress(ChartKindCount, "sh600000"), "");
    EXPECT_EQ(ChartAddress(1, ""), "");
}

TEST(StockChart, ACodeWithoutMarketChartsNothingRatherThanThePreviousStock)
{
    TStockChart chart;
    std::vector<std::string> shown;
    EXPECT_THROW(chart.ShowChart(1), EAssertionFailed); // no browser yet
    chart.Web = [&](const std::string& address) { shown.push_back(address); };

    EXPECT_TRUE(chart.SetStockCode("600000"));
    EXPECT_TRUE(chart.ShowChart(1));
    EXPECT_TRUE(chart.ShowChart(1)); // the same picture again
    EXPECT_FALSE(chart.SetStockCode("900901"));
    EXPECT_EQ(chart.StockCode(), "");
    EXPECT_FALSE(chart.ShowChart(1));
    const std::string daily = "http://image.sinajs.cn/newchart/daily/n/sh600000.gif";
    EXPECT_EQ(shown, (std::vector<std::string> { daily, daily }));
}
