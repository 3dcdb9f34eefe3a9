// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the name box and the four coordinate boxes let in, as character codes,
// free of any widget.
namespace zenthra {

enum class KeyRule {
    Letters, // the name: A-Z (small letters become capitals), space, Enter, Backspace
    Digits,  // degrees and minutes: 0-9 and Backspace
};

// A typed key's character code: the code that goes on (a small letter
// becomes its capital), or 0 when the key is refused.
int filterKeyCode(KeyRule rule, int code);

// Control with one of these capital letters, Shift or not, is an editing
// shortcut of the box (select all, copy, paste, cut, undo, redo), never a
// typed character; what a paste brings is checked as it arrives.
bool isEditingShortcutLetter(int capital);

// Text that arrives without typing (pasted, dropped, from an input method):
// the text to insert, or nothing when any character of it is refused. Only
// characters that stand in the box count here; Enter and Backspace do not.
std::optional<std::u16string> filterArrivingText(KeyRule rule, std::u16string_view text);

} // namespace zenthra
