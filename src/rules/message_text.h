// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Input quoted in messages, wherever a message is made: no input can end a
// line, clear a terminal, turn the text around it right to left or fill a
// screen.
namespace zenthra {

// The most characters of one input a message quotes.
inline constexpr std::size_t kMaxQuotedChars = 64;

// UTF-8 text with control characters (C0, DEL, C1) and the bidirectional
// controls (U+061C, U+200E/F, U+202A-E, U+2066-9) as visible escapes: "\n",
// "\x1B", "\u202E"; a byte that is not UTF-8 becomes "\xFF".
std::string escaped(std::string_view s);

// Input for a message: in single quotes, escaped, cut after kMaxQuotedChars
// characters with "..." at the cut.
std::string shown(std::string_view s);

} // namespace zenthra
