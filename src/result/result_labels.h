// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zenthra {

// A value label that grows or shrinks to its text after every setText, so a
// long value is never cut off. It keeps its top edge and its left edge, or,
// once centreOn has been called, its horizontal centre.
// setText hides QLabel::setText: call it through this type.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    explicit AutoSizeLabel(const QString& text, QWidget* parent = nullptr);
    void setText(const QString& text);
    void centreOn(int x);
    void fitText();

private:
    int centreX_ = -1; // -1: anchored at the left edge
};

} // namespace zenthra
