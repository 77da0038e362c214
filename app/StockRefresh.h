#pragma once
// The refresh cycle the main window's quote timer runs: reload the code list,
// fetch fresh quotes and parse them into the quote set.

#include <string>
#include <vector>

class TStockCodeConfig;
class TStockDataSet;

// The codes joined by commas as the request carries them: an entry holding a
// blank or control character, a comma or a double quote is written in double
// quotes (inner ones doubled); a list of one empty entry gives "\"\"".
std::string JoinStockCodes(const std::vector<std::string>& codes);

// The refresh cycle of one quote timer. Run clears the set, reloads its codes
// from the code list file, then refreshes it. A cycle that would start while
// this one's previous run is still going (the error report of a failed
// download waits for the user while the timer keeps firing) is skipped and
// returns false. Parse errors travel to the caller.
class TStockRefreshCycle {
public:
    bool Run(TStockDataSet& set, const TStockCodeConfig& codeList);
    bool Running() const { return running_; }

private:
    bool running_ = false;
};
