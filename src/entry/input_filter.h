// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/key_rules.h"

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;

namespace zenthra {

// The characters a key press types, as the key-press event of the desktop
// carries them: Control with a letter gives its control code (Control+B is
// 2), Backspace 8, Enter 13. Empty for keys that type nothing: arrows, Home,
// End, Delete, Tab, Escape, function keys, modifiers alone, Alt combinations,
// and the editing shortcuts (Control+A, C, V, X, Y, Z, with Shift or not).
QString typedCharacters(const QKeyEvent& event);

// Keeps a text box to a KeyRule. Typed keys are checked before they reach the
// box; text that arrives any other way (paste, drag and drop, input method)
// is checked after the box took it and taken out again when refused, so that
// every route obeys the same rule. Text set by the program is not checked.
class InputFilter : public QObject {
    Q_OBJECT
public:
    // Owned by the box.
    InputFilter(QLineEdit* box, KeyRule rule);

signals:
    // Something was refused; the box is as it was. For typed keys this comes
    // before the key press returns, for other routes just after.
    void refused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkEdit(const QString& text);

    QLineEdit* box_;
    KeyRule rule_;
    QString lastText_; // the box's text before the edit being checked
};

} // namespace zenthra
