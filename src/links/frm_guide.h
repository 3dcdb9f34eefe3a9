// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

namespace zenthra {

// A short guide to the program that needs no network: entering a birth, the
// day strip, the zodiacs and the saved births. F1 opens it from either window.
class FrmGuide : public QDialog {
    Q_OBJECT
public:
    explicit FrmGuide(QWidget* parent = nullptr);

    // The guide's text, as HTML.
    static QString guideHtml();

private:
    QTextBrowser* txtGuide = nullptr;
    QPushButton* cmdClose = nullptr;
};

// Shows the guide over parent, one window however often it is asked for.
void showGuideWindow(QWidget* parent);

} // namespace zenthra
