// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zenthra {

// The about window: program name and version, what it does, its licence, and
// two links to the maker's site. Shown modally; OK or the close box unloads it.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

private:
    QLabel* picIcon = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Line2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblHomePage = nullptr;
    // Credit for the city data of the place atlas.
    QLabel* lblCredits = nullptr;
    QPushButton* cmdOK = nullptr;
};

// Shows a fresh about window modally over parent and returns when it is
// closed; the window is deleted then.
void showAboutWindow(QWidget* parent);

} // namespace zenthra
