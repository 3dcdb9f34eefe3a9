// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zenthra {

// A label that shows a value or a message only while it has one: set empty,
// it is hidden (keeping its place in a layout), so a screen reader meets no
// empty label. Its accessible name is its text, kept in step by QLabel; give
// what the text is as the accessible description.
// setText and clear hide QLabel's: call them through this type.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(QWidget* parent = nullptr);
    void setText(const QString& text);
    void clear();
};

} // namespace zenthra
