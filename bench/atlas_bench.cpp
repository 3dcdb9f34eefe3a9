// SPDX-License-Identifier: GPL-3.0-or-later
// The search runs on every keystroke in the city box and must stay well
// under 10 ms; the load runs once, off the user-interface thread.
#include "entry/atlas.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

using zenthra::Atlas;

// Each prefix of a name as the user types it, short ones matching thousands.
void searchAsTyped(benchmark::State& state, const char* name)
{
    const Atlas& atlas = Atlas::shared();
    const QString full = QString::fromUtf8(name);
    for (auto _ : state) {
        for (qsizetype n = 1; n <= full.size(); ++n)
            benchmark::DoNotOptimize(atlas.search(full.left(n), 10));
    }
    state.SetItemsProcessed(state.iterations() * full.size());
}
BENCHMARK_CAPTURE(searchAsTyped, sao_paulo, "São Paulo")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, portland_oregon, "Portland, Oregon")
    ->Unit(benchmark::kMicrosecond);

// The worst keystroke: one common letter matches the most names.
void searchOneLetter(benchmark::State& state)
{
    const Atlas& atlas = Atlas::shared();
    const QString query = QStringLiteral("s");
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(query, 10));
}
BENCHMARK(searchOneLetter)->Unit(benchmark::kMicrosecond);

void searchOneLetterNarrowed(benchmark::State& state)
{
    const Atlas& atlas = Atlas::shared();
    const QString query = QStringLiteral("s, united");
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(query, 10));
}
BENCHMARK(searchOneLetterNarrowed)->Unit(benchmark::kMicrosecond);

void loadPlaceList(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Atlas::loadPlaceList());
}
BENCHMARK(loadPlaceList)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
