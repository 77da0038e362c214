#include "Exception.h"
#include "NuvBase.h"
#include "ProgramFolder.h"
#include "QuoteText.h"
#include "Stockdate.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

using quotetext::Line;
using quotetext::Quote;
using quotetext::UnknownCodeLine;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct Row {
    std::string code, name, price, change;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << "{" << row.code << ", " << row.name << ", " << row.price << ", " << row.change << "}";
}

std::vector<Row> Rows(const TStockDataSet& set)
{
    std::vector<Row> rows;
    for (int i = 0; i < set.Count(); ++i) {
        const TStockData* d = set.Items(i);
        rows.push_back({ d->Code, d->Name, d->Price, d->ChangePercent });
    }
    return rows;
}

class QuoteFile : public ::testing::Test {
protected:
    TempDir dir;
    TStockDataSet set { dir.File("Stocks.dat") };

    void Load(const std::string& bytes)
    {
        WriteFile(set.QuoteFile, bytes);
        set.LoadQuoteFile();
    }
};

Quote Vanke()
{
    Quote q;
    q.key = "sz000002";
    q.name = quotetext::Vanke;
    q.preClose = "10.00";
    q.price = "10.50";
    return q;
}

Quote Older(Quote q)
{
    q.olderEnding = true;
    return q;
}

const std::string Pufa = quotetext::PufaBank;

// The shortest record text that holds all eleven fields: 27 bytes.
const std::string Shortest = "000001=\"nnnnnn,,1,1,,,,,,x\"";

template <class Kind> bool IsA(const Exception& e)
{
    return dynamic_cast<const Kind*>(&e) != nullptr;
}

struct ParseCase {
    const char* what;
    std::string bytes;
    std::vector<Row> rows;
};

} // namespace

TEST_F(QuoteFile, ParsesRecordTexts)
{
    const Row pufa { "600000", Pufa, "7.870", "0.38" };
    const Row vanke { "000002", quotetext::Vanke, "10.50", "5.00" };
    std::string withCrLf = Line(Quote {}) + Line(Vanke());
    for (size_t at = withCrLf.find('\n'); at != std::string::npos; at = withCrLf.find('\n', at + 2))
        withCrLf.insert(at, "\r");
    ASSERT_EQ(Shortest.size(), 27u);

    const ParseCase cases[] = {
        { "current ending", Line(Quote {}) + Line(Vanke()), { pufa, vanke } },
        { "older ending", Line(Older(Quote {})) + Line(Older(Vanke())), { pufa, vanke } },
        { "unknown code between two records", Line(Quote {}) + UnknownCodeLine("sz999999") + Line(Vanke()),
            { pufa, vanke } },
        { "CR LF line ends", withCrLf, { pufa, vanke } },
        { "text after the last ;", Line(Quote {}) + "var hq_str_sh600001=\"x,1,2,3,4,5,6,7,8,9,10,\"",
            { pufa } },
        { "empty file", "", {} },
        { "only an unknown code", UnknownCodeLine("sz999999"), {} },
        { "27-byte record text", Shortest + ";", { { "000001", "nnnnnn", "1", "0.00" } } },
        { "26-byte record text", "000001=\"nnnnn,,1,1,,,,,,x\";", {} },
        { "line feeds inside a value", "var hq_str_sh600000=\"\xC6\xD6\n\xB7\xA2,1,\n2,3,4,5,6,7,8,9,10,\";",
            { { "600000", "\xC6\xD6\xB7\xA2", "3", "50.00" } } },
        { "blanks around commas belong to the value", "var hq_str_sh600000=\" n ,1, 2 ,3 ,4,5,6,7,8,9,10,\";",
            { { "600000", " n ", "3 ", "50.00" } } },
        { "quoted name with comma and doubled quote",
            "var hq_str_sh600000=\"\"a,b\"\"c\"x,1,2,3,4,5,6,7,8,9,10,\";",
            { { "600000", "a,b\"cx", "3", "50.00" } } },
        { "no = in a long text: code from its first bytes", "123456xx\"n,1,2,3,4,5,6,7,8,9,10,\";",
            { { "123456", "23456xx\"n", "3", "50.00" } } },
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        set.Clear();
        Load(c.bytes);
        EXPECT_EQ(Rows(set), c.rows);
    }
}

TEST_F(QuoteFile, FillsElevenFieldsInTheServiceOrder)
{
    Quote q = Vanke();
    q.open = "10.10";
    q.high = "10.60";
    q.low = "9.90";
    q.bid = "10.49";
    q.ask = "10.51";
    q.volume = "123456";
    q.amount = "1296000.000";
    Load(Line(q) + "var hq_str_sh600001=\"n,1,2,3,4,5,6,7,8,0\";");

    ASSERT_EQ(set.Count(), 2);
    const TStockData& d = *set.Items(0);
    const std::vector<std::string> fields = { d.Code, d.Name, d.Open, d.PreClose, d.Price, d.High, d.Low,
        d.Bid, d.Ask, d.Volume, d.Amount, d.ChangePercent };
    EXPECT_EQ(fields,
        (std::vector<std::string> { "000002", quotetext::Vanke, "10.10", "10.00", "10.50", "10.60", "9.90",
            "10.49", "10.51", "123456", "1296000.000", "5.00" }));
    // The payload ends before the text's last two bytes, so here it ends in a comma:
    // that comma gives the empty eleventh field.
    EXPECT_EQ(set.Items(1)->Volume, "8");
    EXPECT_EQ(set.Items(1)->Amount, "");
}

TEST_F(QuoteFile, ChangePercentRoundsTheDecimalValueHalfAwayFromZero)
{
    struct Case {
        const char* price;
        const char* preClose;
        const char* change;
    };
    const Case cases[] = {
        { "10.50", "10.00", "5.00" },
        { "9.95", "10.00", "-0.50" },
        { "10.00", "10.00", "0.00" },
        { "20", "10", "100.00" },
        { "7.870", "7.840", "0.38" },
        // Exact halves whose double lies just below the half.
        { "8.01", "8.00", "0.13" },
        { "7.99", "8.00", "-0.13" },
        { "100.005", "100.00", "0.01" },
        { "99.995", "100.00", "-0.01" },
        { "0.038", "8.00", "-99.53" },
        // Rounding to zero shows no sign.
        { "100.004", "100.00", "0.00" },
        { "99.996", "100.00", "0.00" },
        // Number syntax: blanks, signs, exponents, bare fractions.
        { " 10.5 ", "+10", "5.00" },
        { "1.05e1", "1E+1", "5.00" },
        { ".5", "1.", "-50.00" },
        { "-5", "10", "-150.00" },
        { "5", "-10", "-150.00" },
        { "1000000", "0.001", "99999999900.00" },
        // Texts with more digits than exact arithmetic takes.
        { "123.456789012345678901", "100", "23.46" },
        { "0.1000000000000000000001", "0.1", "0.00" },
        // No trade yet: a price of zero shows no change, whatever the close.
        { "0.000", "10.00", "0.00" },
        { "0", "0.000", "0.00" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.price) + " over " + c.preClose);
        Quote q;
        q.price = c.price;
        q.preClose = c.preClose;
        set.Clear();
        Load(Line(q));
        ASSERT_EQ(set.Count(), 1);
        EXPECT_EQ(set.Items(0)->ChangePercent, c.change);
    }
}

// A bad record ends the load at that record: the records before it and the partly
// filled one stay, nothing after it is read, and the error names the cause.
TEST_F(QuoteFile, BadRecordRaisesAndKeepsWhatWasRead)
{
    struct Case {
        const char* what;
        std::string badRecord;
        bool (*isKind)(const Exception&);
        std::string message;
        std::vector<std::string> lastFields; // Code, PreClose, Price, ChangePercent
    };
    auto quote = [](const char* price, const char* preClose) {
        Quote q;
        q.key = "sh600001";
        q.price = price;
        q.preClose = preClose;
        return Line(q);
    };
    const Case cases[] = {
        { "too few fields", "var hq_str_sh600001=\"n,1,2,3\";\n", IsA<EListError>,
            "List index out of bounds (5)", { "600001", "2", "", "" } },
        { "price not a number", quote("abc", "7.840"), IsA<EConvertError>,
            "'abc' is not a valid floating point value", { "600001", "7.840", "abc", "" } },
        { "close not a number", quote("7.870", "7.84x"), IsA<EConvertError>,
            "'7.84x' is not a valid floating point value", { "600001", "7.84x", "7.870", "" } },
        { "empty price", quote("", "7.840"), IsA<EConvertError>, "'' is not a valid floating point value",
            { "600001", "7.840", "", "" } },
        { "blank inside a number", quote("7. 87", "7.840"), IsA<EConvertError>,
            "'7. 87' is not a valid floating point value", { "600001", "7.840", "7. 87", "" } },
        { "close of zero", quote("7.870", "0.000"), IsA<EZeroDivide>, "Floating point division by zero",
            { "600001", "0.000", "7.870", "" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set.Clear();
        WriteFile(set.QuoteFile, Line(Quote {}) + c.badRecord + Line(Vanke()));
        try {
            set.LoadQuoteFile();
            ADD_FAILURE() << "no error raised";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_TRUE(c.isKind(e));
        }
        ASSERT_EQ(set.Count(), 2);
        EXPECT_EQ(set.Items(0)->Code, "600000");
        const TStockData& last = *set.Items(1);
        EXPECT_EQ((std::vector<std::string> { last.Code, last.PreClose, last.Price, last.ChangePercent }),
            c.lastFields);
    }
}

// No download writes more than the cap, so a larger file is no answer of the
// service: it is refused before it is parsed, whatever it holds.
TEST_F(QuoteFile, AFileLargerThanAnyAnswerIsRefusedUnparsed)
{
    const std::string line = Line(Quote {});
    std::string largest;
    while (largest.size() + line.size() <= MaxQuoteFileBytes())
        largest += line;
    Load(largest);
    EXPECT_EQ(set.Count(), static_cast<int>(largest.size() / line.size()));

    set.Clear();
    std::string message;
    try {
        Load(largest + std::string(MaxQuoteFileBytes() + 1 - largest.size(), ';'));
    } catch (const EReadError& e) {
        message = e.Message();
    }
    EXPECT_NE(message.find("larger than any answer of the quote service"), std::string::npos) << message;
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(QuoteFile, MissingFileAddsNothing)
{
    set.LoadQuoteFile();
    EXPECT_EQ(set.Count(), 0);
}

TEST(QuoteFileLocation, PatternCharactersInTheFolderAndEntriesThatAreNoFiles)
{
    namespace fs = std::filesystem;
    TempDir dir;
    // Read as a pattern, "quotes [1]" names "quotes 1", which holds a shorter answer.
    fs::create_directory(dir.Path() / "quotes [1]");
    fs::create_directory(dir.Path() / "quotes 1");
    WriteFile(dir.File("quotes 1/Stocks.dat"), Line(Quote {}));
    WriteFile(dir.File("quotes [1]/Stocks.dat"), Line(Quote {}) + Line(Vanke()));
    TStockDataSet set(dir.File("quotes [1]/Stocks.dat"));
    set.LoadQuoteFile();
    EXPECT_EQ(set.Count(), 2);

    // A named pipe without a writer, or a folder, yields no records and does not block.
    ASSERT_EQ(::mkfifo(dir.File("pipe.dat").c_str(), 0600), 0);
    for (const char* name : { "pipe.dat", "quotes 1" }) {
        TStockDataSet other(dir.File(name));
        other.LoadQuoteFile();
        EXPECT_EQ(other.Count(), 0) << name;
    }
}

TEST_F(QuoteFile, LoadAppendsAndClearEmpties)
{
    Load(Line(Quote {}));
    set.LoadQuoteFile();
    EXPECT_EQ(set.Count(), 2);
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(QuoteFile, ItemsOutsideTheSetRaise)
{
    Load(Line(Quote {}) + Line(Vanke()));
    for (const int index : { -1, 2, 1000 }) {
        try {
            set.Items(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

TEST(QuoteConstants, NameTheServiceAndTheProgramFolder)
{
    EXPECT_EQ(QuoteListUrl, "http://hq.sinajs.cn/list=");
    EXPECT_EQ(QuoteFileName, ProgramDataFolder() + "Stocks.dat");
    const TStockDataSet set;
    EXPECT_EQ(set.QuoteFile, QuoteFileName);
    EXPECT_EQ(set.Client, nullptr);
}

namespace {

// Switches LC_NUMERIC to a locale whose decimal separator is a comma: an installed
// one if there is any, otherwise one generated into a temporary folder.
class CommaLocale {
public:
    CommaLocale()
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8" }) {
            if (Use(name))
                return;
        }
        const std::string command
            = "localedef -i de_DE -f UTF-8 '" + folder_.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            ::setenv("LOCPATH", folder_.Path().c_str(), 1);
            usedLocPath_ = true;
            Use("de_DE.UTF-8");
        }
    }
    ~CommaLocale()
    {
        std::setlocale(LC_NUMERIC, "C");
        if (usedLocPath_)
            ::unsetenv("LOCPATH");
    }
    bool Active() const { return active_; }

private:
    bool Use(const char* name)
    {
        active_ = std::setlocale(LC_NUMERIC, name) != nullptr && std::localeconv()->decimal_point[0] == ',';
        return active_;
    }

    TempDir folder_;
    bool usedLocPath_ = false;
    bool active_ = false;
};

} // namespace

TEST_F(QuoteFile, NumbersUseTheDotWhateverTheLocale)
{
    CommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma available";

    Load(Line(Quote {}) + Line(Vanke()));
    EXPECT_EQ(Rows(set),
        (std::vector<Row> {
            { "600000", Pufa, "7.870", "0.38" }, { "000002", quotetext::Vanke, "10.50", "5.00" } }));

    Quote half;
    half.price = "8.01";
    half.preClose = "8.00";
    set.Clear();
    Load(Line(half));
    EXPECT_EQ(set.Items(0)->ChangePercent, "0.13");
}
