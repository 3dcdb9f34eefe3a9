// SPDX-License-Identifier: GPL-3.0-or-later
// Births files: any input is read row by row without a crash; every birth
// read can be computed, its export reads back to the same bytes, and the
// batch computes each exported row as the store computes the birth.
#include "births/births_csv.h"
#include "calc/calc_main.h"
#include "calc/calc_print.h"
#include "fuzz_check.h"
#include "rules/csv.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace zenthra;

namespace {

// The ascendant of each row the batch computes from csv, as it writes it.
std::vector<std::string> batchAscendants(const QByteArray& csv)
{
    static std::FILE* devNull = std::fopen("/dev/null", "w");
    std::FILE* in =
        fmemopen(const_cast<char*>(csv.constData()), static_cast<std::size_t>(csv.size()), "rb");
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    require(calc::runCsv(in, out, devNull) == 0, "every exported row computes");
    std::fclose(out);
    std::fclose(in);
    std::vector<std::string> ascendants;
    std::FILE* back = fmemopen(text, length, "rb");
    CsvReader reader(back);
    std::vector<std::string_view> fields;
    reader.next(fields); // the header
    while (reader.next(fields))
        ascendants.emplace_back(fields.at(0));
    std::fclose(back);
    std::free(text);
    return ascendants;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CsvBirths read = importBirthsCsv(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    require(read.problems.size() <= BirthsCsvReader::kMaxProblems, "problems are bounded");
    for (const Birth& b : read.births)
        require(!checkBirth(b), "every birth read can be computed");

    const QByteArray exported = exportBirthsCsv(read.births);
    const CsvBirths again = importBirthsCsv(exported);
    require(again.problems.isEmpty(), "an export reads back without problems");
    require(exportBirthsCsv(again.births) == exported, "export, import, export: the same bytes");

    const std::vector<std::string> batch = batchAscendants(exported);
    require(batch.size() == static_cast<std::size_t>(read.births.size()), "one batch row a birth");
    for (std::size_t i = 0; i < batch.size(); ++i) {
        std::string ascendant;
        calc::appendFixed6(
            ascendant,
            chartOf(birthChartInputs(read.births[static_cast<qsizetype>(i)])).varAscendant);
        require(batch[i] == ascendant, "the batch computes the birth as the store does");
    }
    return 0;
}
