#include "StockRefresh.h"

#include "StockDataClient.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

namespace {

bool NeedsQuotes(const std::string& entry)
{
    for (const char ch : entry)
        if (static_cast<unsigned char>(ch) <= ' ' || ch == ',' || ch == '"')
            return true;
    return false;
}

std::string Quoted(const std::string& entry)
{
    std::string quoted = "\"";
    for (const char ch : entry) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

// Marks a cycle as running for its whole life, also when it ends in an error.
class CycleGuard {
public:
    CycleGuard() : entered_(!running_) { running_ = true; }
    ~CycleGuard()
    {
        if (entered_)
            running_ = false;
    }
    CycleGuard(const CycleGuard&) = delete;
    CycleGuard& operator=(const CycleGuard&) = delete;

    bool Entered() const { return entered_; }

private:
    static inline bool running_ = false;  // only the user-interface thread runs cycles
    bool entered_;
};

}  // namespace

std::string JoinStockCodes(const std::vector<std::string>& codes)
{
    if (codes.size() == 1 && codes.front().empty())
        return "\"\"";
    std::string joined;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0)
            joined += ',';
        joined += NeedsQuotes(codes[i]) ? Quoted(codes[i]) : codes[i];
    }
    return joined;
}

void TStockDataSet::Refresh()
{
    if (Client)
        Client->Download(QuoteListUrl + JoinStockCodes(StockCodes), QuoteFile);
    // Always: fresh quotes after a good download, the earlier answer otherwise.
    LoadQuoteFile();
}

bool RunRefreshCycle(TStockDataSet& set, const TStockCodeConfig& codeList)
{
    const CycleGuard guard;
    if (!guard.Entered())
        return false;
    set.Clear();
    set.StockCodes.clear();
    codeList.Load(set.StockCodes);
    set.Refresh();
    return true;
}
