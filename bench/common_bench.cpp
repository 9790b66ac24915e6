// Figures for the shared helpers: time texts and CP932 conversion of a large list file.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"
#include "common/time_text.h"

namespace {

using vantrel::TimeFormat;

std::vector<int32_t> RaceTimes() {
    std::vector<int32_t> times;
    uint32_t x = 1;
    for (int i = 0; i < 1024; ++i) {
        x = x * 1103515245u + 12345u;
        times.push_back(static_cast<int32_t>((x >> 8) % 7200000));
    }
    return times;
}

void BM_FormatRaceTime(benchmark::State& state) {
    const auto times = RaceTimes();
    const bool drag = state.range(0) != 0;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            vantrel::FormatRaceTime(times[i++ & 1023], TimeFormat::kMinutesSeconds, drag));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatRaceTime)->Arg(0)->Arg(1);

void BM_ParseTimeText(benchmark::State& state) {
    std::vector<std::string> texts;
    for (const int32_t ms : RaceTimes()) {
        texts.push_back(vantrel::FormatRaceTime(ms, TimeFormat::kMinutesSeconds, false));
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrel::ParseTimeText(texts[i++ & 1023]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseTimeText);

// 20 000 result-list lines with Japanese names, half-width katakana and times.
std::vector<std::string> ListLines() {
    std::vector<std::string> lines;
    lines.reserve(20000);
    for (int i = 0; i < 20000; ++i) {
        lines.push_back(std::to_string(i % 199 + 1) + ",山田 太郎" + std::to_string(i) +
                        ",ｼﾋﾞｯｸ ﾀｲﾌﾟR,1,01:23.456,ﾐｽｺｰｽ,00:41.002,01:02.003,3");
    }
    return lines;
}

void BM_EncodeCp932Lines(benchmark::State& state) {
    const auto lines = ListLines();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string encoded = vantrel::EncodeCp932Lines(lines);
        bytes = encoded.size();
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["lines"] = 20000;
}
BENCHMARK(BM_EncodeCp932Lines)->Unit(benchmark::kMillisecond);

void BM_DecodeCp932Lines(benchmark::State& state) {
    // The same work as reading the file, without the disk: split, then convert each line.
    const std::string file = vantrel::EncodeCp932Lines(ListLines());
    for (auto _ : state) {
        auto lines = vantrel::SplitLines(file);
        for (auto& line : lines) {
            line = vantrel::Cp932ToUtf8(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["lines"] = 20000;
}
BENCHMARK(BM_DecodeCp932Lines)->Unit(benchmark::kMillisecond);

}  // namespace
