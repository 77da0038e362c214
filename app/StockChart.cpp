#include "StockChart.h"

#include "Exception.h"

const std::array<TChartKind, ChartKindCount> ChartKinds = { {
    { "\xC8\xD5\xBE\xF9\xCF\xDF", "min" }, // 日均线
    { "\xC8\xD5K\xCF\xDF", "daily" }, // 日K线
    { "\xD6\xDCK\xCF\xDF", "weekly" }, // 周K线
    { "\xD4\xC2K\xCF\xDF", "monthly" }, // 月K线
    { "MACD", "macd" },
    { "TRIX", "trix" },
    { "DMI", "dmi" },
    { "EXPMA", "expma" },
    { "BRAR", "brar" },
    { "CR", "cr" },
    { "VR", "vr" },
    { "PSY", "psy" },
    { "OBV", "obv" },
    { "ASI", "asi" },
    { "EMV", "emv" },
    { "WVA", "wvad" },
    { "RSI", "rsi" },
    { "WR", "wr" },
    { "KDJ", "kdj" },
    { "ROC", "roc" },
    { "MIKE", "mike" },
    { "DMA", "dma" },
    { "BOLL", "boll" },
    { "BIAS", "bias" },
    { "CCI", "cci" },
} };

const std::string ChartImageUrl = "http://image.sinajs.cn/newchart/";

namespace {

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string ChartStockCode(const std::string& typed)
{
    if (typed.empty())
        return {};
    for (const char c : typed)
        if (!IsAsciiAlnum(c))
            return {};
    const std::string prefix
        = typed.size() >= 2 ? std::string { Lower(typed[0]), Lower(typed[1]) } : std::string();
    if (prefix == "sh" || prefix == "sz")
        return prefix + typed.substr(2);
    switch (typed[0]) {
    case '0':
    case '3':
        return "sz" + typed;
    case '6':
        return "sh" + typed;
    default:
        return {};
    }
}

std::string ChartAddress(int kind, const std::string& stockCode)
{
    if (stockCode.empty() || kind < 0 || kind >= ChartKindCount)
        return {};
    return ChartImageUrl + ChartKinds[static_cast<std::size_t>(kind)].segment + "/n/" + stockCode + ".gif";
}

bool TStockChart::SetStockCode(const std::string& typed)
{
    stockCode_ = ChartStockCode(typed);
    return !stockCode_.empty();
}

bool TStockChart::ShowChart(int kind) const
{
    if (!Web)
        throw EAssertionFailed("Assertion failed: Web");
    const std::string address = ChartAddress(kind, stockCode_);
    if (address.empty())
        return false;
    Web(address);
    return true;
}
