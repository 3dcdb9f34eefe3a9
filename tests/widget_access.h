// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace zenthra::test {

// The one object of type T named objectName among parent's descendants, as
// tests and screen readers find a window's controls. Ends the test program
// with the name when there is none or more than one.
template <class T> T* child(const QObject& parent, const QString& objectName)
{
    const QList<T*> found = parent.findChildren<T*>(objectName);
    if (found.size() != 1)
        qFatal("%s: %lld objects of type %s named \"%s\", not one", qPrintable(parent.objectName()),
               static_cast<long long>(found.size()), T::staticMetaObject.className(),
               qPrintable(objectName));
    return found.front();
}

} // namespace zenthra::test
