#include "StockRefresh.h"

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

} // namespace

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

bool TStockRefreshCycle::Run(TStockDataSet& set, const TStockCodeConfig& codeList)
{
    if (running_)
        return false;
    // Marks the cycle as running for its whole life, also when it ends in an error.
    struct Running {
        bool& flag;
        explicit Running(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Running() { flag = false; }
    } running(running_);
    set.Clear();
    set.StockCodes.clear();
    codeList.Load(set.StockCodes);
    set.Refresh();
    return true;
}
