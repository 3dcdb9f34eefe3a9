// SPDX-License-Identifier: GPL-3.0-or-later
// The place search runs on every keystroke in the city box: at most 2 ms for
// any keystroke over the whole atlas, the nearest spellings included when
// nothing matches. Opening the compiled atlas reads its header only.
#include "place/atlas.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

using zenthra::Atlas;
using zenthra::Place;

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

// Registered first, so that it sees the shared atlas open: the memory that
// opening it and one search add to the program.
void sharedAtlasMemory(benchmark::State& state)
{
    const long before = residentKb();
    const Atlas& atlas = Atlas::shared();
    benchmark::DoNotOptimize(atlas.search(QStringLiteral("Pune, India"), 10));
    const long after = residentKb();
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.size());
    state.counters["added_MB"] = static_cast<double>(after - before) / 1024.0;
    state.counters["places"] = atlas.size();
}
BENCHMARK(sharedAtlasMemory)->Iterations(1);

// What start-up pays for the atlas.
void openBuiltIn(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Atlas::openBuiltIn());
}
BENCHMARK(openBuiltIn)->Unit(benchmark::kMicrosecond);

// What the suggestion list does for one keystroke.
std::vector<Place> suggest(const Atlas& atlas, const QString& text)
{
    std::vector<Place> places = atlas.search(text, 10);
    return places.empty() ? atlas.nearest(text, 10) : places;
}

// Processor time of this thread in milliseconds: on a busy machine the
// slowest keystroke by the clock on the wall is mostly the time others ran.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Suggests for each query. The slowest keystroke, by its median over the
// runs, goes to worst_ms, with the query as the label.
void keystrokes(benchmark::State& state, const QStringList& queries)
{
    const Atlas& atlas = Atlas::shared();
    std::vector<std::vector<double>> took(static_cast<std::size_t>(queries.size()));
    for (auto _ : state) {
        for (qsizetype i = 0; i < queries.size(); ++i) {
            const double start = threadMs();
            benchmark::DoNotOptimize(suggest(atlas, queries[i]));
            took[static_cast<std::size_t>(i)].push_back(threadMs() - start);
        }
    }
    double worst = 0;
    QString slowest;
    for (qsizetype i = 0; i < queries.size(); ++i) {
        std::vector<double>& times = took[static_cast<std::size_t>(i)];
        std::nth_element(times.begin(),
                         times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                         times.end());
        if (times[times.size() / 2] > worst) {
            worst = times[times.size() / 2];
            slowest = queries[i];
        }
    }
    state.counters["worst_ms"] = worst;
    state.SetLabel(slowest.toStdString());
    state.SetItemsProcessed(state.iterations() * queries.size());
}

// Each prefix of a name as the user types it, short ones matching thousands.
void searchAsTyped(benchmark::State& state, const char* name)
{
    const QString full = QString::fromUtf8(name);
    QStringList typed;
    for (qsizetype n = 1; n <= full.size(); ++n)
        typed << full.left(n);
    keystrokes(state, typed);
}
BENCHMARK_CAPTURE(searchAsTyped, sao_paulo, "São Paulo")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, portland_oregon, "Portland, Oregon")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, st_petersburg_russia, "St. Petersburg, Russia")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, washington_dc, "Washington, DC")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, springfield_illin, "Springfield, Illin")
    ->Unit(benchmark::kMicrosecond);
// Misspelt: once nothing matches, every keystroke looks for the nearest names.
BENCHMARK_CAPTURE(searchAsTyped, misspelt_bombey, "Bombey")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, misspelt_saint_petersbrg, "Saint Petersbrg")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, misspelt_llanfair, "Llanfairpwllgwyngyll")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(searchAsTyped, garbage, "Xqzvbnmkjhgfdswertyuiop")->Unit(benchmark::kMicrosecond);

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

// Every one- and two-letter beginning, alone and narrowed to a country: the
// slowest of them (counter worst_ms) is the worst keystroke there is.
void everyShortBeginning(benchmark::State& state)
{
    QStringList queries;
    for (char16_t a = u'a'; a <= u'z'; ++a) {
        queries << QString(QChar(a)) << QString(QChar(a)) + QStringLiteral(", us");
        for (char16_t b = u'a'; b <= u'z'; ++b)
            queries << QString(QChar(a)) + QChar(b);
    }
    keystrokes(state, queries);
}
BENCHMARK(everyShortBeginning)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
