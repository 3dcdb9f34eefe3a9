// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/status_label.h"

namespace zenthra {

StatusLabel::StatusLabel(QWidget* parent)
    : QLabel(parent)
{
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    setVisible(false);
}

void StatusLabel::setText(const QString& text)
{
    QLabel::setText(text);
    setVisible(!text.isEmpty());
}

void StatusLabel::clear()
{
    setText(QString());
}

} // namespace zenthra
