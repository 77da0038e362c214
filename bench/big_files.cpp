// Start-up with the largest and the most hostile code lists (Stocks.cfg) and
// quote files (Stocks.dat) a user's folder may hold: the program's objects
// made as main makes them, up to the main window's first paint, then the
// option dialog opened on the same list. Each case runs in a fresh process;
// its time is measured inside it and its peak resident memory comes from
// wait4. Prints one line per case and fails when a case needs 256 MiB or
// more, or longer than a second to its first paint.
//
//   build/bench/big_files                          all cases
//   build/bench/big_files --child <folder> <fd>    one case (used by the above)
#include "ChildProcess.h"
#include "ErrorReport.h"
#include "FirstPaint.h"
#include "MainFormFM.h"
#include "OptionFormFM.h"
#include "ProgramObjects.h"
#include "QelvoApplication.h"
#include "RepeatedText.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double LimitMiB = 256;
constexpr double LimitSeconds = 1.0;

void ShowAndWaitForPaint(QWidget& window)
{
    FirstPaint watch;
    WaitForPaint(window, watch);
}

struct Figures {
    double startSeconds = -1; // main() to the main window's first paint
    double optionSeconds = -1; // the option dialog opened, to its first paint
    int rows = 0;
    int reports = 0;
};

int RunChild(const Clock::time_point start, const std::string& folder, int fd)
{
    static int argc = 1;
    static char name[] = "big_files";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Figures figures;
    {
        TQelvoApplication application(argc, argv);
        SetErrorReportHandler([&](const std::string&) { ++figures.reports; });
        TProgramObjects program({ folder + "/Stocks.dat", folder + "/Stocks.cfg" });
        ShowAndWaitForPaint(*MainForm);
        figures.startSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        figures.rows = MainForm->Quotes().Count();
        QCoreApplication::processEvents(); // a refused file's report comes from the event loop
        const auto opened = Clock::now();
        ShowAndWaitForPaint(*OptionForm);
        figures.optionSeconds = std::chrono::duration<double>(Clock::now() - opened).count();
        OptionForm->hide();
        SetErrorReportHandler({});
    }
    return SendFigures(fd, figures);
}

struct Case {
    const char* name;
    std::function<void(std::ofstream& codes, std::ofstream& quotes)> write;
};

std::string QuoteLine(int i)
{
    char code[16];
    std::snprintf(code, sizeof code, "sh6%05d", i % 100000);
    std::string line = std::string("var hq_str_") + code
        + "=\"\xB2\xE2\xCA\xD4,7.850,7.840,7.870,7.900,7.820," + "7.860,7.870,25384617,199713446.000";
    for (int level = 0; level < 10; ++level)
        line += ",1200,7.86" + std::to_string(level);
    return line + ",2026-12-08,15:00:00,00,\";\n";
}

const Case Cases[] = {
    { "no files", [](std::ofstream&, std::ofstream&) {} },
    { "Stocks.cfg: 100,000 codes (the most taken)",
        [](std::ofstream& codes, std::ofstream&) {
            for (int i = 0; i < 100000; ++i)
                codes << "sh6" << 10000 + i % 90000 << "\r\n";
        } },
    { "Stocks.cfg: one 50 MB line",
        [](std::ofstream& codes, std::ofstream&) { codes << std::string(50 << 20, '6'); } },
    { "Stocks.cfg: 1 MiB of line ends",
        [](std::ofstream& codes, std::ofstream&) { codes << std::string(1 << 20, '\n'); } },
    { "Stocks.dat: 4 MiB of quotes (the most taken)",
        [](std::ofstream&, std::ofstream& quotes) {
            std::string all;
            for (int i = 0; all.size() + QuoteLine(i).size() <= MaxQuoteFileBytes(); ++i)
                all += QuoteLine(i);
            quotes << all;
        } },
    { "Stocks.dat: 4 MiB, one record of commas",
        [](std::ofstream&, std::ofstream& quotes) {
            quotes << "var hq_str_sh600000=\"" << std::string(MaxQuoteFileBytes() - 30, ',') << "\";";
        } },
    { "Stocks.dat: 4 MiB, one record of blanks",
        [](std::ofstream&, std::ofstream& quotes) {
            quotes << "var hq_str_sh600000=\"" << testsupport::Repeated("a ", MaxQuoteFileBytes() - 30)
                   << "\";";
        } },
    { "Stocks.dat: 50 MB without separators",
        [](std::ofstream&, std::ofstream& quotes) { quotes << std::string(50 << 20, 'x'); } },
};

} // namespace

int main(int argc, char** argv)
{
    const auto start = Clock::now();
    if (argc == 4 && std::string(argv[1]) == "--child")
        return RunChild(start, argv[2], std::atoi(argv[3]));

    char pattern[] = "/tmp/qelvo-big-files.XXXXXX";
    const std::filesystem::path root = mkdtemp(pattern);
    bool allWithin = true;
    std::printf(
        "%-46s %9s %9s %9s %6s %7s\n", "case", "peak MiB", "start ms", "option ms", "rows", "reports");
    for (const Case& c : Cases) {
        const std::filesystem::path folder = root / "case";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        {
            // Only the files a case writes exist.
            std::ofstream probeCodes(folder / "codes.tmp", std::ios::binary);
            std::ofstream probeQuotes(folder / "quotes.tmp", std::ios::binary);
            c.write(probeCodes, probeQuotes);
            const bool hasCodes = probeCodes.tellp() > 0;
            const bool hasQuotes = probeQuotes.tellp() > 0;
            probeCodes.close();
            probeQuotes.close();
            if (hasCodes)
                std::filesystem::rename(folder / "codes.tmp", folder / "Stocks.cfg");
            if (hasQuotes)
                std::filesystem::rename(folder / "quotes.tmp", folder / "Stocks.dat");
            std::filesystem::remove(folder / "codes.tmp");
            std::filesystem::remove(folder / "quotes.tmp");
        }
        const ChildRun<Figures> result = RunSelfAsChild<Figures>({ "--child", folder.string() });
        const bool within
            = result.ok && result.peakMiB < LimitMiB && result.figures.startSeconds < LimitSeconds;
        allWithin = allWithin && within;
        std::printf("%-46s %9.1f %9.0f %9.0f %6d %7d%s\n", c.name, result.peakMiB,
            result.figures.startSeconds * 1000, result.figures.optionSeconds * 1000, result.figures.rows,
            result.figures.reports, within ? "" : "  <- over the bound");
        std::fflush(stdout);
    }
    std::filesystem::remove_all(root);
    return allWithin ? 0 : 1;
}
