// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

#include <vector>

namespace zenthra {

// One band of the day strip: a button that shows the sign it stands for.
class DayBandButton : public QAbstractButton {
    Q_OBJECT
public:
    DayBandButton(const RisingBand& band, QWidget* parent);
    const RisingBand& band() const { return band_; }
    QSize sizeHint() const override;

signals:
    // Left or Right was pressed: move to the neighbouring band.
    void stepRequested(int step);
    void focused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    RisingBand band_;
    int sign_ = -1;
};

// The 24 clock hours of the birth date divided into the signs rising in
// turn, with a marker at the entered birth time. A band is chosen by a click,
// or by Enter or Space once the arrow keys have reached it.
class DayStrip : public QWidget {
    Q_OBJECT
public:
    explicit DayStrip(QWidget* parent = nullptr);

    // No bands hides the strip's contents (the date, place or zone is not valid).
    void setBands(std::vector<RisingBand> bands);
    const std::vector<RisingBand>& bands() const { return bands_; }
    // Clock minute of the birth time, or -1 for none.
    void setMarker(int minuteOfDay);
    int marker() const { return marker_; }

    QList<DayBandButton*> bandButtons() const { return buttons_; }

    // Shown, and told to screen readers, while there are no bands.
    void setPlaceholderText(const QString& text);

    // The heading shown above the strip, which is also its accessible name.
    static QString heading();
    // "Leo rises 06:12 to 08:03", or what a gap in the clock means.
    static QString bandText(const RisingBand& band);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void bandChosen(int fromMinute, int toMinute);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutBands();
    void step(DayBandButton* from, int step);
    void makeTabStop(DayBandButton* button);
    void updateDescription();
    int bandsHeight() const;

    std::vector<RisingBand> bands_;
    QList<DayBandButton*> buttons_;
    QWidget* markerOverlay_ = nullptr;
    int marker_ = -1;
    QString placeholder_;
};

} // namespace zenthra
