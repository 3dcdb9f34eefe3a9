// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"
#include "rules/message_text.h"
#include "rules/whole_number.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading zenthra-calc's options and fields, and the messages about them
// (escaped, shown, trimmed and readWhole come from the rules).
namespace zenthra::calc {

// "zenthra-calc: <why>" on err, then the usage lines.
void usageError(std::FILE* err, const std::string& why);
// "zenthra-calc: <why>" on err.
void inputError(std::FILE* err, const std::string& why);

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
