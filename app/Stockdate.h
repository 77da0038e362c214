#pragma once
// The quote record, the ordered set of records with its code list, and the
// parser that turns the quote service's answer (Stocks.dat) into records.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The quote service's list endpoint; the comma-joined codes follow the "=".
extern const std::string QuoteListUrl;
// ProgramDataFolder() followed by "Stocks.dat": the last answer of the service.
extern const std::string QuoteFileName;
// The largest quote file read: the largest answer a download takes.
std::size_t MaxQuoteFileBytes();

class TStockDataClient;

// One stock's quote. Every field holds the answer's bytes unchanged (names in GBK).
class TStockData {
public:
    std::string Code; // six digits, without the market prefix
    // The code with its market prefix as the answer names the record
    // ("sh600000" of "var hq_str_sh600000=..."): the code list entry it answers.
    std::string FullCode;
    std::string Name;
    std::string Open;
    std::string PreClose;
    std::string Price;
    std::string High;
    std::string Low;
    std::string Bid;
    std::string Ask;
    std::string Volume;
    std::string Amount;
    std::string ChangePercent; // "0.00" format, computed from Price and PreClose
    // The date ("2010-03-23") and time ("15:00:05") of the quote as the
    // answer gives them; empty when the record ends before them.
    std::string Date;
    std::string Time;
};

namespace NSStockData {
using TDataSet = std::vector<std::unique_ptr<TStockData>>;
}

class TStockDataSet {
public:
    explicit TStockDataSet(std::string quoteFile = QuoteFileName);
    ~TStockDataSet();
    TStockDataSet(const TStockDataSet&) = delete;
    TStockDataSet& operator=(const TStockDataSet&) = delete;

    TStockDataClient* Client = nullptr; // not owned; the owner sets it
    std::vector<std::string> StockCodes; // with market prefix, in the user's order
    NSStockData::TDataSet Data; // records in the order of the quote file
    std::string QuoteFile; // read by LoadQuoteFile, the download target of Refresh

    void Clear();
    int Count() const;
    // The record at index (0 to Count() - 1), still owned by the set;
    // any other index raises EListError "List index out of bounds (%d)".
    TStockData* Items(int index);
    const TStockData* Items(int index) const;

    // Appends one record for each complete record text of QuoteFile; a missing
    // file adds none. A malformed record raises and ends the load: the records
    // before it and the partly filled one stay. A file larger than
    // MaxQuoteFileBytes raises EReadError and adds nothing.
    void LoadQuoteFile();
    // The same for an answer already in memory.
    void LoadQuoteText(const std::string& bytes);

    // Asks the quote service for StockCodes through Client, then LoadQuoteFile.
    void Refresh();

private:
    void ParseQuoteLine(const std::string& recordText);
    void AddStockData(const std::string& text, const std::string& fullCode);
    void FillStockData(const std::vector<std::string>& fields, TStockData& data);

    std::vector<std::string> fields_; // reused by AddStockData to spare allocations
};

// Why a quote answer must not replace the quote file, or "" when it may: the
// error of a record that does not parse, or, when codes were asked for, that
// the service answered nothing (no bytes, or only blanks and line ends).
std::string QuoteAnswerProblem(const std::string& answer, bool codesAsked);
