#include "Stockcodeconfig.h"

#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvBase.h"
#include "ProgramFolder.h"

#include <cerrno>
#include <string_view>

const std::string StockCodeFileName = ProgramDataFolder() + "Stocks.cfg";

namespace {

std::string QuotedPath(const std::string& path)
{
    return Abbreviated(PathToGbk(path));
}

// A code is eight bytes; a file beyond these bounds is no code list (a damaged
// file, or another file under its name), and reading it whole would cost the
// program memory and time for nothing.
void CheckEntryCount(std::size_t count, const std::string& path)
{
    if (count > MaxCodeListEntries)
        throw EReadError(
            Format("%s holds more than %zu codes", QuotedPath(path).c_str(), MaxCodeListEntries));
}

void CheckEntry(std::string_view entry, std::size_t number, const std::string& path)
{
    if (entry.size() > MaxCodeEntryBytes)
        throw EReadError(Format("Line %zu of %s is too long for a stock code (more than %zu bytes)", number,
            QuotedPath(path).c_str(), MaxCodeEntryBytes));
}

// Lines end with CR LF, LF or CR; the text ends at the first NUL byte. A UTF-8
// byte-order mark that an editor put in front is no part of the first code.
std::vector<std::string> SplitLines(std::string_view bytes, const std::string& path)
{
    std::string_view text = bytes.substr(0, bytes.find('\0'));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        CheckEntryCount(lines.size() + 1, path);
        CheckEntry(text.substr(start, end - start), lines.size() + 1, path);
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

TStockCodeConfig::TStockCodeConfig(std::string fileName)
    : fileName_(std::move(fileName))
{
}

void TStockCodeConfig::Load(std::vector<std::string>& list) const
{
    std::string bytes;
    switch (nuv::ReadWholeFile(fileName_, bytes, MaxCodeListBytes + 1)) {
    case nuv::FileRead::Done:
        if (bytes.size() > MaxCodeListBytes)
            throw EReadError(Format("%s is too large for a list of stock codes (more than %zu KiB)",
                QuotedPath(fileName_).c_str(), MaxCodeListBytes / 1024));
        list = SplitLines(bytes, fileName_);
        return;
    case nuv::FileRead::Missing:
        return;
    default:
        throw EFOpenError(Format("Cannot open file %s", QuotedPath(fileName_).c_str()));
    }
}

void TStockCodeConfig::Save(const std::vector<std::string>& list) const
{
    // Nothing is written that Load would refuse.
    CheckEntryCount(list.size(), fileName_);
    std::string bytes;
    for (std::size_t i = 0; i < list.size(); ++i) {
        CheckEntry(list[i], i + 1, fileName_);
        bytes += list[i];
        bytes += "\r\n";
    }
    if (!nuv::ReplaceFile(fileName_, bytes)) {
        const std::string note = nuv::DiskFullNote(errno);
        throw EFCreateError(Format("Cannot create file %s", QuotedPath(fileName_).c_str()) + note);
    }
}
