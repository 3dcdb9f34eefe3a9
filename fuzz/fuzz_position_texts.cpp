// SPDX-License-Identifier: GPL-3.0-or-later
// The position texts: the long form of any double, and the short form of
// any text and of every long form.
#include "engine/western_planet_position.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)zenthra::Short_Position_Text(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        double p = value;
        const std::string text = zenthra::Sign_DMS_Text(p);
        if (std::isfinite(value)) {
            require(p == std::abs(value), "the argument becomes its absolute value");
            require(zenthra::Short_Position_Text(text).has_value(), "a long form has a short form");
        } else {
            require(text.empty(), "no text for NaN and infinities");
        }
    }
    return 0;
}
