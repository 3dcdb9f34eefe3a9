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

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    event->accept();
    // Letting go outside the label cancels the click, as with a button.
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace zenthra
