// SPDX-License-Identifier: GPL-3.0-or-later
// Batch mode end to end: generated CSV in, results out to /dev/null. Reports
// rows per second and the process's peak resident memory, which must stay
// flat whatever the input size.
#include "calc/calc_main.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

namespace {

std::FILE* generateInput(long rows)
{
    std::FILE* f = std::tmpfile();
    std::fputs(
        "year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst\n", f);
    for (long i = 0; i < rows; ++i)
        std::fprintf(f, "%ld,%ld,%ld,%ld,%ld,%ld,%ld,%ld,%c,%ld,%ld,%c,%ld\n", 1900 + i % 151,
                     1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 71, i % 180, (i / 7) % 60,
                     i % 2 ? 'E' : 'W', i % 90, (i / 3) % 60, i % 3 ? 'N' : 'S', i % 2);
    return f;
}

long peakRssKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_CsvBatch(benchmark::State& state)
{
    const long rows = state.range(0);
    std::FILE* in = generateInput(rows);
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        std::rewind(in);
        benchmark::DoNotOptimize(zenthra::calc::runCsv(in, out, stderr));
    }
    std::fclose(out);
    std::fclose(in);
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["peak_rss_MiB"] = peakRssKiB() / 1024.0;
}
BENCHMARK(BM_CsvBatch)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
