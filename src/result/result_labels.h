// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zenthra {

// A value label that grows or shrinks to its text after every setText, keeping
// its left and top edges, so a long value is never cut off.
// setText hides QLabel::setText: call it through this type.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    explicit AutoSizeLabel(const QString& text, QWidget* parent = nullptr);
    void setText(const QString& text);
};

// A plain label that opens something when clicked: hand pointer, and
// "clicked" on a left press and release inside it.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace zenthra
