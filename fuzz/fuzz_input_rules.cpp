// SPDX-License-Identifier: GPL-3.0-or-later
// The input rules and the key rules. The input is read as text for the
// number parsers, as lines (name, four coordinates, then date bytes) for the
// validation, and as UTF-16 for the key rules.
#include "fuzz_check.h"
#include "rules/input_rules.h"
#include "rules/key_rules.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace zenthra;

namespace {

bool allowed(KeyRule rule, int code)
{
    return rule == KeyRule::Letters ? (code >= 'A' && code <= 'Z') || code == ' '
                                    : code >= '0' && code <= '9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto v = parseNumber(text))
        require(std::isfinite(*v), "a finite number");
    if (toInt16(text))
        require(parseNumber(text).has_value(), "an integer is a number");

    std::vector<std::string> lines(1);
    for (const char ch : text) {
        if (ch == '\n' && lines.size() < 6)
            lines.emplace_back();
        else
            lines.back() += ch;
    }
    lines.resize(6);
    BirthInputs in;
    in.name = lines[0];
    in.lonDeg = lines[1];
    in.lonMin = lines[2];
    in.latDeg = lines[3];
    in.latMin = lines[4];
    const std::string& date = lines[5];
    if (date.size() >= 3) {
        in.year = 1900 + static_cast<unsigned char>(date[0]) % 151;
        in.monthIndex = static_cast<unsigned char>(date[1]) % 13 - 1;
        in.dayIndex = static_cast<unsigned char>(date[2]) % 31;
    }
    if (!validateInputs(in)) {
        const std::pair<const std::string*, InputLimit> limits[] = {{&in.lonDeg, kLonDegLimit},
                                                                    {&in.lonMin, kLonMinLimit},
                                                                    {&in.latDeg, kLatDegLimit},
                                                                    {&in.latMin, kLatMinLimit}};
        for (const auto& [value, limit] : limits) {
            const auto n = toInt16(*value);
            require(n && !checkLimit(limit, *n), "a passing text converts within its limits");
        }
    }

    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        wide += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    for (const KeyRule rule : {KeyRule::Letters, KeyRule::Digits}) {
        for (const char16_t c : wide) {
            const int kept = filterKeyCode(rule, c);
            require(kept == 0 || allowed(rule, kept) || kept == 8 ||
                        (rule == KeyRule::Letters && kept == 13),
                    "a typed key goes on as an allowed code");
        }
        if (const auto kept = filterArrivingText(rule, wide)) {
            require(kept->size() == wide.size(), "arriving text is kept whole");
            for (const char16_t c : *kept)
                require(allowed(rule, c), "only allowed characters arrive");
        }
    }
    return 0;
}
