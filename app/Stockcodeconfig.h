#pragma once
// The user's list of stock codes, kept in Stocks.cfg in the program's data folder:
// one entry a line, written with CR LF, read with any line ending.

#include <cstddef>
#include <string>
#include <vector>

// ProgramDataFolder() followed by "Stocks.cfg"; set once at start-up.
extern const std::string StockCodeFileName;

// Bounds of a code list, far beyond any real one: the file's size, its
// entries, and the bytes of one entry (a code has eight).
constexpr std::size_t MaxCodeListBytes = 1024 * 1024;
constexpr std::size_t MaxCodeListEntries = 100'000;
constexpr std::size_t MaxCodeEntryBytes = 256;

class TStockCodeConfig {
public:
    explicit TStockCodeConfig(std::string fileName = StockCodeFileName);

    // Replaces the content of list with the file's entries, in file order.
    // A missing file leaves list exactly as it was; a file that exists but
    // cannot be read raises EFOpenError "Cannot open file %s", and one beyond
    // the bounds above EReadError, leaving list as it was.
    void Load(std::vector<std::string>& list) const;

    // Writes every entry followed by CR LF. The old file is replaced in one step,
    // so a failed save (EFCreateError "Cannot create file %s", which says so
    // when the disk is full) leaves it as it was. A list beyond the bounds
    // raises EReadError and writes nothing.
    void Save(const std::vector<std::string>& list) const;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};
