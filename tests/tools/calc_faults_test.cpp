// SPDX-License-Identifier: GPL-3.0-or-later
// zenthra-calc under faults: stores it cannot read, outputs it cannot
// write, inputs beyond the limits.
#include "calc/calc_main.h"
#include "calc/store_option.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

using namespace zenthra::calc;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(std::FILE* f)
{
    std::rewind(f);
    std::string s;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        s.append(buf, n);
    return s;
}

// Runs the command with out as given (standard output in a file when null).
Outcome run(const std::vector<std::string>& args, const std::string& input = {},
            std::FILE* out = nullptr)
{
    std::FILE* in = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::FILE* own = out ? nullptr : std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Outcome r{runCalc(args, in, out ? out : own, err), own ? slurp(own) : "", slurp(err)};
    for (std::FILE* f : {in, err, own})
        if (f)
            std::fclose(f);
    return r;
}

std::string read(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const std::string& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

const std::string kHeader = "year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,"
                            "lat_min,lat_dir,dst,name";
const std::string kRow = "1947,8,15,0,0,34,77,13,E,28,40,N,0,";

class CalcFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!birthStoreAvailable())
            GTEST_SKIP() << "built without the store of births";
        std::string pattern = (fs::temp_directory_path() / "calc-faults-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }
    // A store holding Asha, made as a user makes one.
    std::string goodStore(const std::string& name) const
    {
        write(path("asha.csv"), kHeader + "\n" + kRow + "Asha\n");
        EXPECT_EQ(run({"--import-births", path("asha.csv"), "--store", path(name)}).status, 0);
        return read(path(name));
    }
    std::string dir_;
};

// Byte offset of SQLite's user_version in the file header (sqlite.org/fileformat.html).
constexpr std::size_t kUserVersionAt = 60;

TEST_F(CalcFaults, StoresThatCannotBeReadAreRefusedUntouched)
{
    const std::string good = goodStore("good.sqlite");
    ASSERT_GT(good.size(), 4096u);
    std::string newer = good, foreign = good, schema = good;
    newer[kUserVersionAt + 3] = 9;
    foreign[kUserVersionAt + 3] = 0; // tables, yet not ours: no version of ours
    // Same length, so SQLite's own checks pass; the column is gone.
    schema.replace(schema.find("city TEXT"), 9, "town TEXT");
    struct Kind {
        const char* name;
        std::string bytes; // a folder when empty
        const char* why;   // a part of the message
    };
    const Kind kinds[] = {
        {"folder", "", "is a folder"},
        {"newer", newer, "newer version"},
        {"unknown schema", schema, "no such column: city"},
        {"foreign", foreign, "tables that are not births"},
        {"truncated", good.substr(0, 3000), "malformed"},
        {"not SQLite", std::string(5000, 'z'), "not a database"},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const std::string store = path(std::string(k.name) + ".sqlite");
        if (k.bytes.empty())
            fs::create_directory(store);
        else
            write(store, k.bytes);
        write(path("backup.csv"), "an earlier export");
        for (const std::vector<std::string>& args : {std::vector<std::string>{"--list"},
                                                     {"--export-births", path("backup.csv")},
                                                     {"--export-births"},
                                                     {"--person", "Asha"},
                                                     {"--import-births", path("asha.csv")}}) {
            std::vector<std::string> withStore = args;
            withStore.insert(withStore.end(), {"--store", store});
            const Outcome r = run(withStore);
            EXPECT_EQ(r.status, 1) << args[0];
            EXPECT_NE(r.err.find(store), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(k.why), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "") << args[0];
        }
        EXPECT_EQ(read(path("backup.csv")), "an earlier export");
        if (!k.bytes.empty()) {
            EXPECT_EQ(read(store), k.bytes);
        }
        std::vector<std::string> files;
        for (const auto& e : fs::directory_iterator(dir_))
            files.push_back(e.path().filename().string());
        EXPECT_EQ(files.size(), 4u) << "nothing moved aside or added";
        fs::remove_all(store);
    }
    // An empty file is a store without births yet; a missing one is named.
    write(path("empty.sqlite"), "");
    EXPECT_EQ(run({"--list", "--store", path("empty.sqlite")}).status, 0);
    EXPECT_NE(run({"--list", "--store", path("missing.sqlite")}).err.find("no births file"),
              std::string::npos);
}

TEST_F(CalcFaults, OutputThatCannotBeWrittenIsAnError)
{
    goodStore("a.sqlite");
    const std::string day = "1947-08-15";
    const std::vector<std::string> place = {"--zone", "34", "--lon", "77:13E", "--lat", "28:40N"};
    std::vector<std::string> chart = {"--date", day, "--time", "00:00"},
                             days = {"--date", day, "--day"};
    chart.insert(chart.end(), place.begin(), place.end());
    days.insert(days.end(), place.begin(), place.end());
    const std::vector<std::vector<std::string>> commands = {
        {"--list", "--store", path("a.sqlite")},
        {"--export-births", "--store", path("a.sqlite")},
        {"--person", "Asha", "--store", path("a.sqlite")},
        {"--csv"},
        chart,
        days,
        {"--zones"},
    };
    const std::string batch =
        kHeader.substr(0, kHeader.rfind(',')) + "\n" + kRow.substr(0, kRow.size() - 1) + "\n";
    for (const auto& args : commands) {
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        const Outcome r = run(args, batch, full);
        std::fclose(full);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("could not write the output: No space left on device"),
                  std::string::npos)
            << args[0] << ": " << r.err;
    }
    // An export into a pipe or a device writes into it: it is not replaced.
    const std::string fifo = path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(run({"--export-births", fifo, "--store", path("a.sqlite")}).status, 0);
    char got[4096];
    const ssize_t n = ::read(reader, got, sizeof got);
    close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::string(got, n > 0 ? std::size_t(n) : 0),
              run({"--export-births", "--store", path("a.sqlite")}).out);
}

TEST_F(CalcFaults, ImportsBeyondTheLimitsAreRefused)
{
    const std::string store = path("a.sqlite");
    struct Case {
        std::string header; // kHeader when empty
        std::string row;
        std::string err;
    };
    const std::string bidi = "\xE2\x80\xAE"; // U+202E, right-to-left override
    const Case cases[] = {
        {"", std::string("1980\0junk", 9) + kRow.substr(4) + "A",
         "year '1980\\x00junk' is not a whole number"},
        {"", "1980x" + kRow.substr(4) + "A", "year '1980x' is not a whole number"},
        {"", std::string(300, '7') + kRow.substr(4) + "A",
         "year '" + std::string(64, '7') + "...' is out of range"},
        {kHeader + ",name", kRow + "A,B", "the header has the column 'name' twice"},
        {kHeader + ",saved_at", kRow + "A,2020-01-01T00:00:00",
         "saved_at '2020-01-01T00:00:00' is not an ISO 8601 time with its offset"},
        {kHeader + ",last_used", kRow + "A,9999-01-01T00:00:00Z", "more than a day ahead"},
        {"", kRow + std::string(501, 'n'), "name is longer than 500 characters"},
        {kHeader + ",city", kRow + "A," + std::string(501, 'c'),
         "city is longer than 500 characters"},
        {kHeader + ",dst_box", kRow + "A," + bidi + "x\x1B[2J",
         "dst_box '\\u202Ex\\x1B[2J' is not unchecked"},
    };
    for (const Case& c : cases) {
        write(path("in.csv"), (c.header.empty() ? kHeader : c.header) + "\n" + c.row + "\n");
        const Outcome r = run({"--import-births", path("in.csv"), "--store", store});
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(bidi), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(store)) << "no birth, no store";
    }
    // One byte over the limit through a pipe: refused whole, the good rows
    // before it too.
    const std::string fifo = path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread feeder([&fifo] {
        std::ofstream pipe(fifo, std::ios::binary);
        const std::string head = kHeader + "\n" + kRow + "Asha\n";
        pipe << head;
        const std::string junk(std::size_t{1} << 20, 'x');
        for (std::size_t left = (std::size_t{64} << 20) + 1 - head.size(); left > 0;) {
            const std::size_t n = std::min(left, junk.size());
            pipe.write(junk.data(), std::streamsize(n));
            left -= n;
        }
    });
    const Outcome piped = run({"--import-births", fifo, "--store", store});
    feeder.join();
    EXPECT_EQ(piped.status, 1);
    EXPECT_NE(piped.err.find("larger than 64 MB"), std::string::npos) << piped.err;
    EXPECT_EQ(run({"--list", "--store", store}).out, "");
}

} // namespace
