// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/result_labels.h"

#include <QMouseEvent>

namespace zenthra {

AutoSizeLabel::AutoSizeLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void AutoSizeLabel::setText(const QString& text)
{
    QLabel::setText(text);
    fitText();
}

void AutoSizeLabel::centreOn(int x)
{
    centreX_ = x;
    fitText();
}

void AutoSizeLabel::fitText()
{
    adjustSize(); // keeps the top-left corner
    if (centreX_ >= 0)
        move(centreX_ - width() / 2, y());
}

} // namespace zenthra
