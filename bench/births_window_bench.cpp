// SPDX-License-Identifier: GPL-3.0-or-later
// The saved births as the windows use them. Start-up: opening the store,
// building the main window and filling in the most recent birth, with
// 10,000 births against none (budget: 100 ms more). Open Birth: one keystroke
// in its search box, the list refilled (budget: 10 ms).
//   births_window_bench --fill-store PATH  writes the 10,000 births to PATH
//   (for bench/startup.sh with XDG_DATA_HOME pointing at a folder).
#include "births/birth_store.h"
#include "entry/frm_main.h"
#include "entry/frm_open_birth.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdlib>

namespace {

using namespace zenthra;

constexpr int kBirths = 10000;

bool fill(const QString& path)
{
    const char* first[] = {"ASHA",  "BRUNO",   "CHLOÉ", "DMITRI", "ELIF",  "FATIMA",  "GUSTAVO",
                           "HANA",  "INES",    "JÖRG",  "KIRAN",  "LUCÍA", "MARIANA", "NIKOLAI",
                           "PRIYA", "QUENTIN", "ROSA",  "SØREN",  "TOMÁS", "ZOË"};
    const char* family[] = {"OLIVEIRA", "MÜLLER", "NOVÁK",    "SHARMA",  "OKAFOR",
                            "ØDEGÅRD",  "GARCÍA", "KOWALSKI", "NGUYEN",  "HADDAD",
                            "SMITH",    "ROSSI",  "YAMAMOTO", "PETROV",  "DUBOIS",
                            "SINGH",    "COSTA",  "JENSEN",   "ÖZTÜRK",  "FERNÁNDEZ",
                            "KIM",      "MENSAH", "SILVA",    "IVANOVA", "SCHMIDT"};
    const char* places[][3] = {{"São Paulo", "São Paulo", "Brazil"},
                               {"Pune", "Maharashtra", "India"},
                               {"Zürich", "Zurich", "Switzerland"},
                               {"Kraków", "Lesser Poland", "Poland"},
                               {"Kathmandu", "Bagmati", "Nepal"}};
    QList<Birth> births;
    for (int i = 0; i < kBirths; ++i) {
        Birth b;
        b.name = QString::fromUtf8(first[i % 20]) + QLatin1Char(' ') +
                 QString::fromUtf8(family[(i / 20) % 25]) + QStringLiteral(" %1").arg(i / 500);
        const auto& place = places[i % 5];
        b.city = QString::fromUtf8(place[0]);
        b.state = QString::fromUtf8(place[1]);
        b.country = QString::fromUtf8(place[2]);
        b.year = 1900 + i % 150, b.month = 1 + i % 12, b.day = 1 + i % 28;
        b.hour = i % 24, b.minute = i % 60;
        b.latDeg = i % 90, b.lonDeg = i % 180;
        if (i % 5 == 4)
            b.placeTime = PickedPlaceTime{QStringLiteral("Asia/Kathmandu"), 20700, false};
        births << b;
    }
    BirthStore store(path);
    return store.importBirths(births) && store.count() == kBirths;
}

const QString& filledStore()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("births.sqlite"));
    static const bool filled = fill(path);
    if (!filled)
        std::abort();
    return path;
}

void startMainWindow(benchmark::State& state, bool empty)
{
    QTemporaryDir dir;
    const QString path = empty ? dir.filePath(QStringLiteral("empty.sqlite")) : filledStore();
    for (auto _ : state) {
        BirthStore store(path);
        FrmMain window;
        window.setBirthStore(&store);
        benchmark::DoNotOptimize(window.currentBirth().name);
    }
}
BENCHMARK_CAPTURE(startMainWindow, births_10000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(startMainWindow, none, true)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each keystroke of a name typed into Open Birth's search box, the list
// refilled each time; the time is per keystroke.
void openBirthTyping(benchmark::State& state, const char* typed)
{
    BirthStore store(filledStore());
    FrmOpenBirth dialog(store);
    auto* search = dialog.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    const QString full = QString::fromUtf8(typed);
    for (auto _ : state)
        for (qsizetype n = 0; n <= full.size(); ++n)
            search->setText(full.left(n));
    state.counters["per_keystroke"] = benchmark::Counter(
        double(state.iterations() * (full.size() + 1)),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK_CAPTURE(openBirthTyping, zoe_odegard, "zoe odegard")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(openBirthTyping, a_common_letter, "a")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--fill-store") == 0)
        return fill(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
