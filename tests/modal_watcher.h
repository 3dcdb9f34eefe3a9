// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
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
// recorded and answered with its OK button, any other window is handed to
// `act` (closed when there is none). It keeps watching until it goes out of
// scope, so a handler that shows several boxes in a row is covered too.
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
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            if (ok != nullptr)
                ok->click();
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
};

} // namespace zenthra::test
