// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zenthra {

// The name every save of a result proposes: "ASHA - Gemini", with what is
// saved after the sign when it is not the result itself ("ASHA - Gemini
// wheel"); the sign alone without a name. Characters that cannot stand in a
// file name on the desktops the program runs on become "_", line breaks and
// other control characters blanks; no leading dot, at most 120 characters.
QString resultFileBase(const QString& person, const QString& sign, const QString& what = {});

// That name with its suffix ("pdf", "png", "svg") in the folder such files
// belong in: the user's documents for a PDF, pictures otherwise (documents
// when there is no pictures folder); the home folder when neither exists.
QString proposedSavePath(const QString& fileBase, const QString& suffix);

// "Saved as /home/asha/Documents/ASHA - Gemini.pdf": the status line after a save.
QString savedMessage(const QString& path);

// For writers that can only write to a named file (a printer printing to a
// PDF file): a hidden file name in target's folder to write first, then
// replaceWith moves it onto target in one step, so that a failed write leaves
// any earlier target intact. Empty when the folder takes no file.
QString temporaryNextTo(const QString& target);
bool replaceWith(const QString& written, const QString& target);

} // namespace zenthra
