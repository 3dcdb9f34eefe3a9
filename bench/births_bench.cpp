// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the store and loading the most recent birth happen at start-up
// (budget: 100 ms more with 10,000 births than with none); the search runs
// on every keystroke of the type-ahead list (budget: 10 ms).
#include "births/birth_store.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

using zenthra::Birth;
using zenthra::BirthStore;

constexpr int kBirths = 10000;

// 10,000 people spread over 40 first names, 50 family names and 25 places,
// with the accents real names have.
const QString& filledStore()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("births.sqlite"));
    static const bool filled = [] {
        const char* first[] = {
            "Asha",    "Bruno", "Chloé", "Dmitri",  "Elif",    "Fatima",    "Gustavo",   "Hana",
            "Ines",    "Jörg",  "Kiran", "Lucía",   "Mariana", "Nikolai",   "Oluwaseun", "Priya",
            "Quentin", "Rosa",  "Søren", "Tomás",   "Uma",     "Valentina", "Wei",       "Ximena",
            "Yusuf",   "Zoë",   "Amir",  "Beatriz", "Carlos",  "Dana",      "Emeka",     "Freya",
            "Giulia",  "Hiro",  "Ivan",  "Jana",    "Kwame",   "Leila",     "Mateo",     "Noor"};
        const char* family[] = {
            "Oliveira",  "Müller",  "Novák",   "Sharma",    "Okafor", "Ødegård",   "García",
            "Kowalski",  "Nguyen",  "Haddad",  "Smith",     "Rossi",  "Yamamoto",  "Petrov",
            "Dubois",    "Singh",   "Costa",   "Jensen",    "Öztürk", "Fernández", "Kim",
            "Mensah",    "Silva",   "Ivanova", "Schmidt",   "Martin", "Chen",      "Khan",
            "Lopez",     "Wagner",  "Ali",     "Rahman",    "Hughes", "Bianchi",   "Horvat",
            "Lindqvist", "Moreau",  "Santos",  "Takahashi", "Ortiz",  "Walker",    "Reyes",
            "Popescu",   "Nielsen", "Das",     "Jovanović", "Kaya",   "Sato",      "Pereira",
            "Abe"};
        const char* places[][3] = {{"São Paulo", "São Paulo", "Brazil"},
                                   {"Pune", "Maharashtra", "India"},
                                   {"Zürich", "Zurich", "Switzerland"},
                                   {"Kraków", "Lesser Poland", "Poland"},
                                   {"Lagos", "Lagos", "Nigeria"}};
        QList<Birth> births;
        for (int i = 0; i < kBirths; ++i) {
            Birth b;
            b.name = QString::fromUtf8(first[i % 40]) + QLatin1Char(' ') +
                     QString::fromUtf8(family[(i / 40) % 50]);
            if (i >= 2000)
                b.name += QStringLiteral(" %1").arg(i / 2000);
            const auto& place = places[i % 5];
            b.city = QString::fromUtf8(place[0]);
            b.state = QString::fromUtf8(place[1]);
            b.country = QString::fromUtf8(place[2]);
            b.year = 1900 + i % 150, b.month = 1 + i % 12, b.day = 1 + i % 28;
            b.hour = i % 24, b.minute = i % 60;
            b.latDeg = i % 90, b.lonDeg = i % 180;
            births << b;
        }
        BirthStore store(path);
        return store.importBirths(births) && store.count() == kBirths;
    }();
    if (!filled)
        std::abort();
    return path;
}

void openAndLoadMostRecent(benchmark::State& state, bool empty)
{
    QTemporaryDir dir;
    const QString path = empty ? dir.filePath(QStringLiteral("empty.sqlite")) : filledStore();
    for (auto _ : state) {
        BirthStore store(path);
        benchmark::DoNotOptimize(store.mostRecent());
    }
}
BENCHMARK_CAPTURE(openAndLoadMostRecent, births_10000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openAndLoadMostRecent, none, true)->Unit(benchmark::kMillisecond)->UseRealTime();

// One search per prefix of the name as it is typed; the time is per keystroke.
void searchAsTyped(benchmark::State& state, const char* name)
{
    BirthStore store(filledStore());
    const QString full = QString::fromUtf8(name);
    for (auto _ : state)
        for (qsizetype n = 1; n <= full.size(); ++n)
            benchmark::DoNotOptimize(store.search(full.left(n), 50));
    state.SetItemsProcessed(state.iterations() * full.size());
    state.counters["per_keystroke"] = benchmark::Counter(
        double(state.iterations() * full.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK_CAPTURE(searchAsTyped, mariana_oliveira, "Mariana Oliveira")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(searchAsTyped, soren_odegard, "soren odegard")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The worst keystroke: one common letter matches nearly every birth.
void searchOneLetter(benchmark::State& state)
{
    BirthStore store(filledStore());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.search(QStringLiteral("a"), 50));
}
BENCHMARK(searchOneLetter)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // Qt SQL finds its driver plugin through it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
