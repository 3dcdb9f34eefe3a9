// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Whole numbers typed or read from a file: one reader for zenthra-calc's
// options, its batch and the births files.
namespace zenthra {

// Without the blanks around it.
std::string_view trimmed(std::string_view s);

// Why readWhole failed; compared by address, so defined once.
extern const char* const kNotWhole;   // "is not a whole number"
extern const char* const kOutOfRange; // "is out of range"

// A whole number with blanks around it and an optional sign; anything else
// in the text, a NUL byte included, makes it no number. Returns nothing when
// it is read, else why not (kNotWhole or kOutOfRange).
const char* readWhole(std::string_view s, int& value);

} // namespace zenthra
