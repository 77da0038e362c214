#include "Stockcodeconfig.h"

#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvBase.h"
#include "ProgramFolder.h"

const std::string StockCodeFileName = ProgramDataFolder() + "Stocks.cfg";

namespace {

// Lines end with CR LF, LF or CR; the text ends at the first NUL byte.
std::vector<std::string> SplitLines(const std::string& bytes)
{
    const std::string text = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
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
    switch (nuv::ReadWholeFile(fileName_, bytes)) {
    case nuv::FileRead::Done:
        list = SplitLines(bytes);
        return;
    case nuv::FileRead::Missing:
        return;
    default:
        throw EFOpenError(Format("Cannot open file %s", PathToGbk(fileName_).c_str()));
    }
}

void TStockCodeConfig::Save(const std::vector<std::string>& list) const
{
    std::string bytes;
    for (const std::string& entry : list) {
        bytes += entry;
        bytes += "\r\n";
    }
    if (!nuv::ReplaceFile(fileName_, bytes))
        throw EFCreateError(Format("Cannot create file %s", PathToGbk(fileName_).c_str()));
}
