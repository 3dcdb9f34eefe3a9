// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace zenthra::test {

// What a modal window looked like when the watcher met it.
struct SeenModal {
    QString className;
    QString title;
    QString text;                                 // message boxes only
    QMessageBox::Icon icon = QMessageBox::NoIcon; // message boxes only
};

// Polls every 10 ms for a modal window and deals with it: a message box is
// recorded and answered with the first button whose text starts with one of
// the answers given (in turn, one answer a box), else its OK button, else
// rejected; any other window is handed to `act` (closed when there is none).
// It keeps watching until it goes out of scope, so a handler that shows
// several boxes in a row is covered too.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> act = {})
        : act_(std::move(act))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    const QList<SeenModal>& seen() const { return seen_; }
    // The buttons' texts of every message box met, "|" between them.
    const QStringList& buttons() const { return buttons_; }
    void answer(const QStringList& answers) { answers_ = answers; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        SeenModal record;
        record.className = QLatin1String(modal->metaObject()->className());
        record.title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            record.text = box->text();
            record.icon = box->icon();
            seen_.append(record);
            QStringList texts;
            QAbstractButton* chosen = box->button(QMessageBox::Ok);
            const QString answer = answers_.isEmpty() ? QString() : answers_.takeFirst();
            for (QAbstractButton* b : box->buttons()) {
                texts << b->text();
                if (!answer.isEmpty() && b->text().startsWith(answer))
                    chosen = b;
            }
            buttons_ << texts.join(QLatin1Char('|'));
            if (chosen != nullptr)
                chosen->click();
            else
                box->reject();
            return;
        }
        seen_.append(record);
        if (act_)
            act_(modal);
        else
            modal->close();
    }

    std::function<void(QWidget*)> act_;
    QTimer timer_;
    QList<SeenModal> seen_;
    QStringList buttons_;
    QStringList answers_;
};

} // namespace zenthra::test
