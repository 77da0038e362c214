#include "Stockdate.h"

#include "ErrorReport.h"
#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvBase.h"
#include "ProgramFolder.h"
#include "StockDataClient.h"
#include "Stockcodeconfig.h"
#include "WebAccess.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

const std::string QuoteListUrl = "http://hq.sinajs.cn/list=";
const std::string QuoteFileName = ProgramDataFolder() + "Stocks.dat";

std::size_t MaxQuoteFileBytes()
{
    return WebLimits {}.maxBodyBytes;
}

namespace {

// Record texts shorter than this hold no quote (an unknown code answers `...=""`).
constexpr size_t MinRecordTextLength = 27;
constexpr size_t QuoteFieldCount = 11; // Code .. Amount
// After the amount come five bid and five ask levels, then date and time.
constexpr size_t DateField = QuoteFieldCount + 20;
// Fields past the time are never read, so a record is split no further.
constexpr size_t UsedFieldCount = DateField + 2;

// ---------------------------------------------------------------------------
// Text helpers

// Substring with 1-based positions: a start before 1 starts at 1, a length past
// the end is cut there, a start past the end or a length below 1 gives "".
std::string Copy(const std::string& text, long start, long count)
{
    if (start < 1)
        start = 1;
    const long size = static_cast<long>(text.size());
    if (start > size || count < 1)
        return {};
    return text.substr(
        static_cast<size_t>(start - 1), static_cast<size_t>(std::min(count, size - start + 1)));
}

bool IsBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

// The position after the character at i: a GBK lead byte takes its trail byte with it.
size_t NextChar(const std::string& text, size_t i)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    return byte >= 0x81 && byte <= 0xFE && i + 1 < text.size() ? i + 2 : i + 1;
}

// Splits a quote payload at commas. Only the comma separates: blanks belong to the
// value, since the service writes names such as "万 科Ａ" with a blank inside.
// A field that begins with a double quote runs to the closing one ("" stands for
// one quote); bytes after the closing quote up to the comma join the value.
// Blanks and control characters at the very start are skipped, and a comma that
// is the last byte adds one empty field. At most `limit` fields are split off.
void SplitQuoteFields(const std::string& text, std::vector<std::string>& fields, size_t limit)
{
    fields.clear();
    const size_t size = text.size();
    size_t i = 0;
    while (i < size && IsBlankOrControl(text[i]))
        ++i;
    while (i < size && fields.size() < limit) {
        std::string value;
        if (text[i] == '"') {
            ++i;
            while (i < size) {
                if (text[i] == '"') {
                    if (i + 1 < size && text[i + 1] == '"') {
                        value += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                const size_t next = NextChar(text, i);
                value.append(text, i, next - i);
                i = next;
            }
        }
        const size_t start = i;
        while (i < size && text[i] != ',')
            i = NextChar(text, i);
        value.append(text, start, i - start);
        fields.push_back(std::move(value));
        if (i < size) {
            ++i; // the comma
            if (i == size)
                fields.emplace_back();
        }
    }
}

// ---------------------------------------------------------------------------
// Numbers: always "." as decimal separator, whatever the process locale.

// A number as written: digits × 10^exponent, with the digits' leading and trailing
// zeros removed (no digits for zero), and its nearest double.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    long exponent = 0;
    double value = 0;
};

// Accepts optional blanks, an optional sign, digits with an optional "." (at least
// one digit), an optional exponent and optional blanks.
bool ReadDecimal(const std::string& text, DecimalNumber& number)
{
    size_t i = 0;
    const size_t size = text.size();
    while (i < size && text[i] == ' ')
        ++i;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        number.negative = text[i++] == '-';
    const size_t unsignedStart = i;

    std::string digits;
    long fractionDigits = 0;
    bool anyDigit = false;
    for (bool inFraction = false; i < size; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            digits += c;
            fractionDigits += inFraction ? 1 : 0;
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;

    long exponent = 0;
    if (i < size && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < size && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        const size_t exponentStart = i;
        for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000000L);
        if (i == exponentStart)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    const size_t numberEnd = i;
    while (i < size && text[i] == ' ')
        ++i;
    if (i != size)
        return false;

    const char* first = text.data() + unsignedStart;
    const auto [end, error] = std::from_chars(first, text.data() + numberEnd, number.value);
    if (error != std::errc() || end != text.data() + numberEnd)
        return false; // out of the range of a double
    if (number.negative)
        number.value = -number.value;

    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return true; // zero
    const size_t lastNonZero = digits.find_last_not_of('0');
    number.digits = digits.substr(firstNonZero, lastNonZero - firstNonZero + 1);
    number.exponent = exponent - fractionDigits + static_cast<long>(digits.size() - 1 - lastNonZero);
    return true;
}

DecimalNumber ToNumber(const std::string& text)
{
    DecimalNumber number;
    if (!ReadDecimal(text, number))
        throw EConvertError(Format("'%s' is not a valid floating point value", Abbreviated(text).c_str()));
    return number;
}

// "12345" hundredths -> "123.45"; "5" -> "0.05". No sign for zero.
std::string FormatHundredths(bool negative, std::string hundredths)
{
    const size_t firstNonZero = hundredths.find_first_not_of('0');
    hundredths.erase(0, std::min(firstNonZero, hundredths.size()));
    if (hundredths.empty())
        return "0.00";
    if (hundredths.size() < 3)
        hundredths.insert(0, 3 - hundredths.size(), '0');
    hundredths.insert(hundredths.size() - 2, 1, '.');
    return negative ? "-" + hundredths : hundredths;
}

__extension__ typedef unsigned __int128 UInt128;

std::string ToText(UInt128 value)
{
    std::string text;
    do {
        text += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

// Exact path: both numbers as integers over a common power of ten, so the change
// in hundredths of a percent is the fraction 10000 × (price − close) / close,
// rounded with halves away from zero in integer arithmetic. Declines numbers
// whose digits do not fit 128 bits.
bool ExactChangeText(const DecimalNumber& price, const DecimalNumber& close, std::string& text)
{
    constexpr long MaxDigits = 33; // keeps 2 × 10000 × |difference| below 2^128
    if (price.digits.size() > 18 || close.digits.size() > 18)
        return false;
    const long commonExponent = std::min(price.exponent, close.exponent);
    const long priceShift = price.exponent - commonExponent;
    const long closeShift = close.exponent - commonExponent;
    if (static_cast<long>(price.digits.size()) + priceShift > MaxDigits
        || static_cast<long>(close.digits.size()) + closeShift > MaxDigits)
        return false;

    auto scaled = [](const DecimalNumber& number, long shift) {
        UInt128 value = 0;
        for (char digit : number.digits)
            value = value * 10 + static_cast<unsigned>(digit - '0');
        for (long k = 0; k < shift; ++k)
            value *= 10;
        return value;
    };
    const UInt128 priceValue = scaled(price, priceShift);
    const UInt128 closeValue = scaled(close, closeShift);

    // |price − close| and its sign, from the magnitudes and signs.
    bool differenceNegative;
    UInt128 difference;
    if (price.negative == close.negative) {
        const bool priceLarger = priceValue >= closeValue;
        difference = priceLarger ? priceValue - closeValue : closeValue - priceValue;
        differenceNegative = priceLarger ? price.negative : !price.negative;
    } else {
        difference = priceValue + closeValue;
        differenceNegative = price.negative;
    }
    const UInt128 hundredths = (2 * 10000 * difference + closeValue) / (2 * closeValue);
    text = FormatHundredths(differenceNegative != close.negative, ToText(hundredths));
    return true;
}

// Fallback for numbers with very many digits: the double result written with 17
// significant digits (to_chars rounds correctly), then rounded on those digits.
std::string ApproximateChangeText(const DecimalNumber& price, const DecimalNumber& close)
{
    const double change = (price.value - close.value) / close.value * 100;
    if (!std::isfinite(change))
        throw EMathError("Floating point overflow");
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(change), std::chars_format::scientific, 16);
    const std::string written(buffer, result.ptr); // d.dddddddddddddddde±xx
    std::string digits = written.substr(0, 1) + written.substr(2, 16);
    const long exponent = std::stol(written.substr(written.find('e') + 1)) - 16;

    // Keep the digits down to the hundredths, then round on the first dropped one.
    const long keep = static_cast<long>(digits.size()) + exponent + 2;
    std::string hundredths;
    if (keep >= static_cast<long>(digits.size())) {
        hundredths = digits + std::string(static_cast<size_t>(keep) - digits.size(), '0');
    } else if (keep >= 0) {
        // Built in place: GCC 12 warns falsely (-Wrestrict) on "0" + a temporary.
        hundredths.assign(1, '0').append(digits, 0, static_cast<size_t>(keep));
        if (digits[static_cast<size_t>(keep)] >= '5') {
            size_t at = hundredths.size();
            while (hundredths[--at] == '9')
                hundredths[at] = '0';
            ++hundredths[at];
        }
    }
    return FormatHundredths(change < 0, hundredths);
}

// The change of price against the previous close in percent, formatted "0.00" with
// halves away from zero. Rounding is decided on the decimal value a person computes
// from the texts (0.125 gives "0.13"), not on the nearest double, which may lie just
// below the half. A price of zero means no trade yet (before the opening, or a
// suspended stock): the change is then "0.00".
std::string ChangePercentText(const std::string& priceText, const std::string& closeText)
{
    const DecimalNumber price = ToNumber(priceText);
    const DecimalNumber close = ToNumber(closeText);
    if (price.digits.empty())
        return "0.00";
    if (close.digits.empty())
        throw EZeroDivide("Floating point division by zero");
    std::string text;
    if (ExactChangeText(price, close, text))
        return text;
    return ApproximateChangeText(price, close);
}

} // namespace

// ---------------------------------------------------------------------------

TStockDataSet::TStockDataSet(std::string quoteFile)
    : QuoteFile(std::move(quoteFile))
{
}

TStockDataSet::~TStockDataSet()
{
    Clear();
}

void TStockDataSet::Clear()
{
    Data.clear();
}

int TStockDataSet::Count() const
{
    return static_cast<int>(Data.size());
}

const TStockData* TStockDataSet::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    return Data[static_cast<size_t>(index)].get();
}

TStockData* TStockDataSet::Items(int index)
{
    return const_cast<TStockData*>(std::as_const(*this).Items(index));
}

void TStockDataSet::LoadQuoteFile()
{
    // Only the bytes actually read count: a file that cannot be read, a named pipe
    // or a folder gives no records. A file larger than any answer the download
    // takes is no quote answer and is not read further.
    std::string bytes;
    const std::size_t limit = MaxQuoteFileBytes();
    if (nuv::ReadWholeFile(QuoteFile, bytes, static_cast<std::int64_t>(limit) + 1) == nuv::FileRead::Missing)
        return;
    if (bytes.size() > limit)
        throw EReadError(Format("%s is larger than any answer of the quote service (more than %zu KiB)",
            Abbreviated(PathToGbk(QuoteFile)).c_str(), limit / 1024));
    LoadQuoteText(bytes);
}

void TStockDataSet::LoadQuoteText(const std::string& bytes)
{
    // Records end with ";"; line feeds are dropped wherever they stand, and bytes
    // after the last ";" never form a record.
    std::string recordText;
    size_t start = 0;
    for (size_t end; (end = bytes.find(';', start)) != std::string::npos; start = end + 1) {
        recordText.clear();
        for (size_t from = start; from < end;) {
            const void* found = std::memchr(bytes.data() + from, '\n', end - from);
            const size_t lineFeed
                = found ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data()) : end;
            recordText.append(bytes, from, lineFeed - from);
            from = lineFeed + 1;
        }
        ParseQuoteLine(recordText);
    }
}

// `var hq_str_sh600000="name,...,00,"`: the code is the six bytes before the "=",
// the payload runs from after `="` to before the last two bytes.
void TStockDataSet::ParseQuoteLine(const std::string& recordText)
{
    if (recordText.size() < MinRecordTextLength)
        return;
    const size_t equals = recordText.find('=');
    const long p = equals == std::string::npos ? 0 : static_cast<long>(equals) + 1;
    const long length = static_cast<long>(recordText.size());
    const std::string code = Copy(recordText, p - 6, 6);
    const std::string payload = Copy(recordText, p + 2, length - p - 3);
    AddStockData(code + "," + payload, Copy(recordText, p - 8, 8));
}

void TStockDataSet::AddStockData(const std::string& text, const std::string& fullCode)
{
    if (text.empty())
        return;
    // Appended before any field is read, so a failing record stays partly filled.
    Data.push_back(std::make_unique<TStockData>());
    Data.back()->FullCode = fullCode;
    SplitQuoteFields(text, fields_, UsedFieldCount);
    FillStockData(fields_, *Data.back());
}

void TStockDataSet::FillStockData(const std::vector<std::string>& fields, TStockData& data)
{
    std::string* const targets[QuoteFieldCount] = { &data.Code, &data.Name, &data.Open, &data.PreClose,
        &data.Price, &data.High, &data.Low, &data.Bid, &data.Ask, &data.Volume, &data.Amount };
    for (size_t i = 0; i < QuoteFieldCount; ++i) {
        if (i >= fields.size())
            throw EListError(Format("List index out of bounds (%d)", static_cast<int>(i)));
        *targets[i] = fields[i];
    }
    data.ChangePercent = ChangePercentText(data.Price, data.PreClose);
    if (fields.size() > DateField + 1) {
        data.Date = fields[DateField];
        data.Time = fields[DateField + 1];
    }
}

void TStockDataSet::Refresh()
{
    if (Client)
        Client->Download(QuoteListUrl + JoinStockCodes(StockCodes), QuoteFile, !StockCodes.empty());
    // Always: fresh quotes after a good download, the earlier answer otherwise.
    LoadQuoteFile();
}

std::string QuoteAnswerProblem(const std::string& answer, bool codesAsked)
{
    if (codesAsked && answer.find_first_not_of(" \t\r\n") == std::string::npos)
        return "The quote service answered nothing";
    try {
        TStockDataSet check(std::string {});
        check.LoadQuoteText(answer);
    } catch (...) {
        return ErrorMessageOf(std::current_exception());
    }
    return {};
}
