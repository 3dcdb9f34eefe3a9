// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sky_positions.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zenthra {

class ChartWheel;
class StatusLabel;

// The chart wheel in a window of its own, which can save it as a picture.
class FrmWheel : public QDialog {
    Q_OBJECT
public:
    explicit FrmWheel(QWidget* parent = nullptr);

    // caption: who and when, shown above the wheel ("RAVI, 15 August 1947 ...").
    void setChart(const QString& caption, double ascendant, const SunAndMoon& sky);
    // What a save proposes as the file's name, before its suffix.
    void setFileBase(const QString& base);

    // Write the wheel, with the caption above it, to a file (written beside
    // it and renamed, so a failure leaves an earlier file intact); false with
    // the reason in error when it fails.
    bool saveAsPng(const QString& path, QString* error = nullptr) const;
    bool saveAsSvg(const QString& path, QString* error = nullptr) const;

private:
    ChartWheel* chartWheel = nullptr;
    QLabel* lblCaption = nullptr;
    QPushButton* cmdSavePng = nullptr;
    QPushButton* cmdSaveSvg = nullptr;
    QPushButton* cmdClose = nullptr;
    // Where the last save went.
    StatusLabel* lblSaved = nullptr;
    QString caption_;
    QString fileBase_;

    void onSavePngClicked();
    void onSaveSvgClicked();
    // Asks where, then writes with save; a failure is shown.
    void askAndSave(const QString& title, const QString& suffix, const QString& filter,
                    bool (FrmWheel::*save)(const QString&, QString*) const);
};

} // namespace zenthra
