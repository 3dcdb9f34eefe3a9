// SPDX-License-Identifier: GPL-3.0-or-later
// The memory zenthra-calc holds for hostile or huge input, import and batch
// alike: 60 MiB of commas, one 50 MB field, a million rows. Each run is a
// process of its own, so that its peak resident memory (ru_maxrss, reported
// as peak_rss_mb) is its own; the budget is 120 MB for any input.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef ZENTHRA_CALC
#error "ZENTHRA_CALC must name the zenthra-calc binary"
#endif

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Read by the import and by the batch alike (the batch leaves name unused).
const std::string kHeader =
    "year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst,name\n";
const std::string kRow = "1947,8,15,0,0,34,77,13,E,28,40,N,0,";

const fs::path& folder()
{
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "input-memory-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return fs::path(pattern);
    }();
    return dir;
}

// The input of the given kind, written once.
std::string inputFile(const std::string& kind)
{
    const fs::path file = folder() / (kind + ".csv");
    if (fs::exists(file))
        return file.string();
    std::ofstream out(file, std::ios::binary);
    if (kind == "commas") {
        const std::string mib(std::size_t{1} << 20, ',');
        for (int i = 0; i < 60; ++i)
            out << mib;
    } else if (kind == "field") {
        const std::string million(1'000'000, 'n');
        out << kHeader << kRow;
        for (int i = 0; i < 50; ++i)
            out << million;
        out << '\n';
    } else {
        out << kHeader;
        for (int i = 0; i < 1'000'000; ++i)
            out << kRow << "Person " << i << '\n';
    }
    return file.string();
}

long ownPeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs zenthra-calc with args, standard input from in and every output to
// /dev/null; its peak resident memory in KiB and exit status. Linux keeps
// the larger of the child's peak and this process's at the spawn: this
// process stays small (inputs are written a megabyte at a time).
struct Run {
    long peakKiB = 0;
    int status = -1;
};
Run runCalc(std::vector<std::string> args, const std::string& in)
{
    args.insert(args.begin(), ZENTHRA_CALC);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    Run run;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            run.status = WEXITSTATUS(status);
            run.peakKiB = usage.ru_maxrss;
        }
    }
    posix_spawn_file_actions_destroy(&files);
    return run;
}

void measure(benchmark::State& state, const std::string& kind, bool import)
{
    const std::string input = inputFile(kind);
    const std::string store = (folder() / "births.sqlite").string();
    Run run;
    for (auto _ : state) {
        fs::remove(store);
        run = import ? runCalc({"--import-births", input, "--store", store}, "/dev/null")
                     : runCalc({"--csv"}, input);
    }
    fs::remove(store);
    fs::remove(store + "-wal");
    fs::remove(store + "-shm");
    if (run.status < 0)
        state.SkipWithError("zenthra-calc did not end normally");
    state.counters["peak_rss_mb"] = static_cast<double>(run.peakKiB) / 1024.0;
    state.counters["exit_status"] = run.status;
    state.counters["bench_rss_mb"] = static_cast<double>(ownPeakKiB()) / 1024.0;
}

} // namespace

BENCHMARK_CAPTURE(measure, import_commas_60MiB, "commas", true)->Iterations(1);
BENCHMARK_CAPTURE(measure, import_field_50MB, "field", true)->Iterations(1);
BENCHMARK_CAPTURE(measure, import_rows_1M, "rows", true)->Iterations(1);
BENCHMARK_CAPTURE(measure, batch_commas_60MiB, "commas", false)->Iterations(1);
BENCHMARK_CAPTURE(measure, batch_field_50MB, "field", false)->Iterations(1);
BENCHMARK_CAPTURE(measure, batch_rows_1M, "rows", false)->Iterations(1);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(folder());
    return 0;
}
