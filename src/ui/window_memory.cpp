// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_memory.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace zenthra {

QSettings programSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Zenthra"), QStringLiteral("Zenthra"));
}

namespace {

QString settingsKey(const QString& key)
{
    return QStringLiteral("windows/%1/geometry").arg(key);
}

// Writes the window's geometry whenever it goes out of sight.
class GeometryKeeper : public QObject {
public:
    GeometryKeeper(QWidget* window, const QString& key)
        : QObject(window)
        , window_(window)
        , key_(settingsKey(key))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
            programSettings().setValue(key_, window_->saveGeometry());
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
    QString key_;
};

} // namespace

void rememberGeometry(QWidget* window, const QString& key)
{
    const QByteArray saved = programSettings().value(settingsKey(key)).toByteArray();
    if (!saved.isEmpty())
        window->restoreGeometry(saved);
    new GeometryKeeper(window, key);
}

} // namespace zenthra
