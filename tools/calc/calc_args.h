// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading zenthra-calc's options and fields, and the messages about them.
namespace zenthra::calc {

// Control bytes in a message become visible escapes, so that no input can
// end a line, clear a terminal or hide text.
std::string escaped(std::string_view s);
// Input quoted in a message: long texts are cut, on a character boundary.
std::string shown(std::string_view s);

// "zenthra-calc: <why>" on err, then the usage lines.
void usageError(std::FILE* err, const std::string& why);
// "zenthra-calc: <why>" on err.
void inputError(std::FILE* err, const std::string& why);

// Without the blanks around it.
std::string_view trimmed(std::string_view s);

// Why readWhole failed; compared by address, so defined once.
extern const char* const kNotWhole;   // "is not a whole number"
extern const char* const kOutOfRange; // "is out of range"

// A whole number with blanks around it and an optional sign. Returns nothing
// when it is read, else why not (kNotWhole or kOutOfRange).
const char* readWhole(std::string_view s, int& value);

// A direction letter, in either case: true for the second of the two.
std::optional<bool> direction(std::string_view s, char first, char second);

// The parts of an option's value: "77:13E" with ':' gives "77" and "13E".
// The first part may begin with a sign, which is no separator.
std::vector<std::string_view> splitAt(std::string_view s, char sep);

// The sidereal zodiac --sidereal names; nothing, the usage error given, for
// any other value.
std::optional<Zodiac> readSidereal(const std::string& value, std::FILE* err);

bool isOneOf(const std::string& name, const char* const* from, const char* const* to);

} // namespace zenthra::calc
