// Reading INI text of growing size: parsing must stay linear in the number of
// keys, and a file at the 16 MB cap (about 1.2 million keys) well under a
// second.
#include "core/inifile.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

namespace {

// `keys` lines spread over sections of 1000 keys each, names as the parameter
// files write them.
QByteArray IniText(int keys) {
    QByteArray text;
    text.reserve(qsizetype(keys) * 14);
    for (int i = 0; i < keys; ++i) {
        if (i % 1000 == 0) text += "[s" + QByteArray::number(i / 1000) + "]\n";
        text += "k" + QByteArray::number(i) + "=" + QByteArray::number(i % 97) + "\n";
    }
    return text;
}

void ReadIni(benchmark::State& state) {
    const QByteArray text = IniText(int(state.range(0)));
    for (auto _ : state) {
        tinifile ini;
        ini.LoadFromBytes(text);
        benchmark::DoNotOptimize(ini.Sections().size());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * text.size());
}

// One section of every key: the worst case of a per-section key search.
void ReadIniOneSection(benchmark::State& state) {
    QByteArray text = "[prm]\n";
    for (int i = 0; i < state.range(0); ++i)
        text += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    for (auto _ : state) {
        tinifile ini;
        ini.LoadFromBytes(text);
        benchmark::DoNotOptimize(ini.Keys("prm").size());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(ReadIni)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1200000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadIniOneSection)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 18)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
