// One refresh cycle of 800 codes (the most the quote service takes in one
// request) against the loopback quote service: code list, connectivity probe,
// download into Stocks.dat, parse.
#include "LoopbackWeb.h"
#include "StockDataClient.h"
#include "StockRefresh.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Scratch {
    Scratch()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelvo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        folder = pattern;
    }
    ~Scratch() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

std::vector<std::string> Codes(int count)
{
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i) {
        char code[16];
        std::snprintf(code, sizeof code, "%s%06d", i % 2 ? "sz" : "sh", i % 2 ? i : 600000 + i);
        codes.push_back(code);
    }
    return codes;
}

void RefreshCycle800(benchmark::State& state)
{
    Scratch scratch;
    fakes::FakeServices services;
    fakes::LoopbackWeb web(services, WebLimits {});
    const TStockCodeConfig codeList((scratch.folder / "Stocks.cfg").string());
    codeList.Save(Codes(800));
    TStockDataClient client;
    TStockDataSet set((scratch.folder / "Stocks.dat").string());
    set.Client = &client;
    TStockRefreshCycle cycle;

    for (auto _ : state) {
        cycle.Run(set, codeList);
        if (set.Count() != 800 || !web.reports.empty()) {
            state.SkipWithError("the cycle did not bring 800 quotes");
            break;
        }
    }
    state.counters["answer_bytes"] = static_cast<double>(services.LastQuoteAnswer().size());
}
BENCHMARK(RefreshCycle800)->Unit(benchmark::kMillisecond);

// The download alone, to tell transfer from parse.
void Download800(benchmark::State& state)
{
    Scratch scratch;
    fakes::FakeServices services;
    fakes::LoopbackWeb web(services, WebLimits {});
    const std::string url = QuoteListUrl + JoinStockCodes(Codes(800));
    const std::string file = (scratch.folder / "Stocks.dat").string();
    for (auto _ : state)
        if (!UrlDownloader()->Download({ url, file, QuoteReferer }).ok) {
            state.SkipWithError("download failed");
            break;
        }
}
BENCHMARK(Download800)->Unit(benchmark::kMillisecond);

} // namespace
