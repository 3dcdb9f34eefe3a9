// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sky_positions.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

namespace zenthra {

// The zodiac as a wheel seen from the birth place: the ascendant on the left
// on the horizon line, the signs running anticlockwise from it, and the Sun
// and the Moon at their longitudes. Drawn as vectors so it stays sharp at any
// scale and can be written as SVG.
class ChartWheel : public QWidget {
    Q_OBJECT
public:
    explicit ChartWheel(QWidget* parent = nullptr);

    void setChart(double ascendant, const SunAndMoon& sky);
    double ascendant() const { return ascendant_; }
    const SunAndMoon& sky() const { return sky_; }

    // "Ascendant Gemini 0° 53′, Sun Leo 21° 13′, Moon Cancer 27° 5′"
    QString positionsInWords() const;

    // Draws the whole wheel into the square centred in area.
    void paintWheel(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

    // The fill of a sign's sector and the colour of its glyph: light tints
    // of the element's colour with dark glyphs, at least 4.5:1 apart.
    static QColor sectorColor(int sign);
    static QColor glyphColor(int sign);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double ascendant_ = 0;
    SunAndMoon sky_;
};

} // namespace zenthra
