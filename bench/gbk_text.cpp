// GBK text at the Qt boundary: a quote line (ASCII with a GBK name), pure
// ASCII, which never reaches the converter, and the way back.
#include "GbkText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string QuoteLine
    = "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0,7.850,7.840,7.870,7.900,7.820,"
      "7.860,7.870,25384617,199713446.000\";";
const std::string AsciiLine = "var hq_str_sh600000=\"PUFA BANK,7.850,7.840,7.870,7.900,7.820,"
                              "7.860,7.870,25384617,199713446.000\";";

void GbkToQStringQuoteLine(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GbkToQString(QuoteLine));
}
BENCHMARK(GbkToQStringQuoteLine);

void GbkToQStringAscii(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GbkToQString(AsciiLine));
}
BENCHMARK(GbkToQStringAscii);

void QStringToGbkQuoteLine(benchmark::State& state)
{
    const QString text = GbkToQString(QuoteLine);
    for (auto _ : state)
        benchmark::DoNotOptimize(QStringToGbk(text));
}
BENCHMARK(QStringToGbkQuoteLine);

void QStringToGbkAscii(benchmark::State& state)
{
    const QString text = GbkToQString(AsciiLine);
    for (auto _ : state)
        benchmark::DoNotOptimize(QStringToGbk(text));
}
BENCHMARK(QStringToGbkAscii);

} // namespace
