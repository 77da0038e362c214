// Parsing the quote service's answer (Stocks.dat) into records, against merely
// reading the same file into memory. Target: 1,000 records in under 2 ms.

#include "Stockdate.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace {

// One record in the service's current shape, ended by LF.
std::string QuoteLine(int index)
{
    const bool shanghai = index % 2 == 0;
    const std::string code = std::to_string(100000 + index % 900000).substr(0, 6);
    const std::string name = shanghai ? "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0" : "\xCD\xF2 \xBF\xC6\xA3\xC1";
    std::string line = "var hq_str_" + std::string(shanghai ? "sh" : "sz") + code + "=\"" + name
        + ",7.850,7.840,7.870,7.900,7.820,7.860,7.870,25384617,199713446.000";
    for (int level = 0; level < 5; ++level)
        line += ",1200,7.86" + std::to_string(level);
    for (int level = 0; level < 5; ++level)
        line += ",3400,7.87" + std::to_string(level);
    return line + ",2026-12-08,15:00:00,00,\";\n";
}

// One answer file per record count, in a folder removed at exit.
class Answers {
public:
    Answers()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelvo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
    }
    ~Answers() { std::filesystem::remove_all(folder_); }

    const std::string& File(int records)
    {
        auto found = files_.find(records);
        if (found != files_.end())
            return found->second;
        std::string bytes;
        for (int i = 0; i < records; ++i)
            bytes += QuoteLine(i);
        const std::string path = (folder_ / ("Stocks" + std::to_string(records) + ".dat")).string();
        std::FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        return files_.emplace(records, path).first->second;
    }

private:
    std::filesystem::path folder_;
    std::map<int, std::string> files_;
};

Answers& TheAnswers()
{
    static Answers answers;
    return answers;
}

void ReportRates(benchmark::State& state, int records, const std::string& path)
{
    const auto bytes = static_cast<double>(std::filesystem::file_size(path));
    state.counters["records/s"] = benchmark::Counter(records, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes/s"] = benchmark::Counter(
        bytes, benchmark::Counter::kIsIterationInvariantRate, benchmark::Counter::OneK::kIs1000);
}

void LoadQuoteFile(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const std::string& path = TheAnswers().File(records);
    TStockDataSet set(path);
    for (auto _ : state) {
        set.Clear();
        set.LoadQuoteFile();
        benchmark::DoNotOptimize(set.Count());
    }
    if (set.Count() != records)
        state.SkipWithError("wrong record count");
    ReportRates(state, records, path);
}

void ReadFileOnly(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const std::string& path = TheAnswers().File(records);
    const auto size = std::filesystem::file_size(path);
    for (auto _ : state) {
        std::string bytes(size, '\0');
        std::FILE* in = std::fopen(path.c_str(), "rb");
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
        std::fclose(in);
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportRates(state, records, path);
}

} // namespace

BENCHMARK(LoadQuoteFile)->Arg(1)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadFileOnly)->Arg(1)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
