// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace zenthra::test {

// Receives what QDesktopServices would have handed to the browser; register
// it with QDesktopServices::setUrlHandler(scheme, &standIn, "open").
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace zenthra::test
