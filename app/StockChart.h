#pragma once
// The chart window's pictures: the 25 chart kinds of the chart-image service
// and the address of one kind's picture for one stock, which the chart window
// hands to its browser.

#include <array>
#include <functional>
#include <string>

struct TChartKind {
    const char* caption; // as the window's kind list shows it (GBK)
    const char* segment; // the kind's path segment in the picture's address
};

constexpr int ChartKindCount = 25;

// In the order of the window's kind list; the index is the kind.
extern const std::array<TChartKind, ChartKindCount> ChartKinds;

// The service's picture folder; the kind's segment, "/n/", the code and ".gif" follow.
extern const std::string ChartImageUrl;

// The code the service names a stock by: market prefix "sh" or "sz" and the
// code. A typed prefix counts in any letter case and becomes lower case; a
// code without one gets "sz" when it starts with 0 or 3 and "sh" when it
// starts with 6. Empty when no market follows from it (an empty text, any
// other first character, or a character other than an ASCII letter or digit,
// which has no place in the address).
std::string ChartStockCode(const std::string& typed);

// The picture of kind (0 to ChartKindCount - 1) for a prefixed code; empty for
// an empty code or a kind outside the list.
std::string ChartAddress(int kind, const std::string& stockCode);

class TStockChart {
public:
    // Shows an address in the chart window's browser; the window sets it.
    using Navigator = std::function<void(const std::string& address)>;
    Navigator Web;

    // Takes the code the user typed or the main window's list gave. False when
    // it names no market: the code is then cleared, so the window shows a
    // notice instead of charting the stock it showed before.
    bool SetStockCode(const std::string& typed);
    const std::string& StockCode() const { return stockCode_; }

    // Sends the browser to the picture of kind for the current code. False,
    // navigating nowhere, without a code or for a kind outside the list. Raises
    // EAssertionFailed when no browser is set.
    bool ShowChart(int kind) const;

private:
    std::string stockCode_;
};
