// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV batch end to end: any input gives a well-formed result, one row for
// every record after the header, with the default limits and with small ones
// that short inputs can reach; and the limits never move record boundaries.
#include "calc/calc_main.h"
#include "fuzz_check.h"
#include "rules/csv.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace zenthra;
using namespace zenthra::calc;

namespace {

std::FILE* reading(const std::uint8_t* data, std::size_t size)
{
    // fmemopen refuses an empty buffer.
    static char empty[1];
    std::FILE* f =
        size ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb") : fmemopen(empty, 1, "rb");
    if (!size)
        std::fgetc(f);
    return f;
}

// Records after the header that are not blank lines.
std::size_t countRecords(const std::uint8_t* data, std::size_t size, const CsvLimits& limits)
{
    std::FILE* in = reading(data, size);
    CsvReader reader(in, limits);
    std::vector<std::string_view> fields;
    std::size_t n = 0;
    if (reader.next(fields))
        while (reader.next(fields))
            n += !reader.blank();
    std::fclose(in);
    return n;
}

// Where records begin and end never depends on the limits: read in step
// with the default limits and with small ones, the same records come out,
// with the same fields wherever the small limits are kept.
void compareLimits(const std::uint8_t* data, std::size_t size, const CsvLimits& small)
{
    std::FILE* a = reading(data, size);
    std::FILE* b = reading(data, size);
    CsvReader wide(a);
    CsvReader narrow(b, small);
    std::vector<std::string_view> wideFields, narrowFields;
    for (;;) {
        const bool more = wide.next(wideFields);
        require(narrow.next(narrowFields) == more, "the same number of records");
        if (!more)
            break;
        require(wide.recordLine() == narrow.recordLine() && wide.blank() == narrow.blank() &&
                    wide.unterminatedQuote() == narrow.unterminatedQuote() &&
                    wide.fieldCount() == narrow.fieldCount(),
                "the same record");
        if (!narrow.tooLong() && narrow.fieldCount() <= small.maxFields)
            require(wideFields == narrowFields, "the same fields");
    }
    std::fclose(a);
    std::fclose(b);
}

void check(const std::uint8_t* data, std::size_t size, const CsvLimits& limits)
{
    static std::FILE* devNull = std::fopen("/dev/null", "w");
    std::FILE* in = reading(data, size);
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    const int status = runCsv(in, out, devNull, limits);
    std::fclose(out);
    std::fclose(in);

    require(status >= 0 && status <= 2, "exit status");
    if (status == 2) {
        require(length == 0, "no rows after a usage error");
    } else {
        std::FILE* back = fmemopen(text, length, "rb");
        CsvReader reader(back);
        std::vector<std::string_view> fields;
        std::size_t rows = 0;
        bool anyError = false;
        while (reader.next(fields)) {
            require(!reader.blank() && !reader.unterminatedQuote() && fields.size() == 5,
                    "five columns");
            if (rows++ == 0)
                continue;
            const std::string_view error = fields[4];
            anyError |= !error.empty();
            for (const char ch : error)
                require(static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F, "no control bytes");
            require(error.empty() != fields[0].empty(), "either a result or an error");
            if (error.empty()) {
                const double asc = std::strtod(std::string(fields[0]).c_str(), nullptr);
                require(asc >= 0 && asc < 360, "ascendant in range");
            }
        }
        std::fclose(back);
        require(rows >= 1, "a header row");
        require(rows - 1 == countRecords(data, size, limits), "one row per record");
        require((status == 1) == anyError, "status matches the rows");
    }
    std::free(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CsvLimits small{160, 16};
    check(data, size, CsvLimits{});
    check(data, size, small);
    compareLimits(data, size, small);
    return 0;
}
