// SPDX-License-Identifier: GPL-3.0-or-later
// The search runs on every keystroke in the city box and must stay well
// under 10 ms; the load runs once, off the user-interface thread.
#include "place/atlas.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>

namespace {

using zenthra::Atlas;

// Resident memory of the process in kB (Linux), 0 where unknown.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// Registered first, so that it sees the shared atlas load: the memory it
// adds to the program, once loaded (the limit is 60 MB).
void sharedAtlasMemory(benchmark::State& state)
{
    const long before = residentKb();
    const Atlas& atlas = Atlas::shared();
    const long after = residentKb();
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.size());
    state.counters["added_MB"] = static_cast<double>(after - before) / 1024.0;
    state.counters["places"] = atlas.size();
}
BENCHMARK(sharedAtlasMemory)->Iterations(1);

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
BENCHMARK_CAPTURE(searchAsTyped, st_petersburg_russia, "St. Petersburg, Russia")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, washington_dc, "Washington, DC")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, springfield_illin, "Springfield, Illin")
    ->Unit(benchmark::kMicrosecond);

// The slowest single keystroke: every first letter, each on its own.
void searchFirstLetter(benchmark::State& state)
{
    const Atlas& atlas = Atlas::shared();
    const QString query(QChar(static_cast<char16_t>(u'a' + state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(query, 10));
    state.SetLabel(query.toStdString());
}
BENCHMARK(searchFirstLetter)->DenseRange(0, 25)->Unit(benchmark::kMicrosecond);

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
    const QString query = QStringLiteral("s, united states");
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(query, 10));
}
BENCHMARK(searchOneLetterNarrowed)->Unit(benchmark::kMicrosecond);

void loadPlaceList(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Atlas::openBuiltIn());
}
BENCHMARK(loadPlaceList)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
