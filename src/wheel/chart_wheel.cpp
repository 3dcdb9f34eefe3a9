// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/chart_wheel.h"

#include "rules/chart_notes.h"
#include "rules/sign_facts.h"
#include "ui/sign_colors.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zenthra {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Ring radii as fractions of the wheel's radius.
constexpr double kOuter = 1.0;
constexpr double kSignsInner = 0.80;
constexpr double kPlanetRadius = 0.62;
constexpr double kLabelRadius = 0.51;
constexpr double kHub = 0.10;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kLine(0x55, 0x55, 0x55);

// Screen angle in radians of an ecliptic longitude: the ascendant at nine
// o'clock, longitudes increasing anticlockwise.
double screenAngle(double longitude, double ascendant)
{
    return (180 + longitude - ascendant) * kPi / 180;
}

QPointF onCircle(QPointF centre, double radius, double angle)
{
    return centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
}

void drawCentredText(QPainter& p, QPointF at, const QString& text)
{
    const QFontMetricsF m(p.font());
    const QRectF box = m.boundingRect(text);
    p.drawText(QPointF(at.x() - box.width() / 2, at.y() + (m.ascent() - m.descent()) / 2), text);
}

// "22°05′": the degrees and minutes within the sign.
QString degreesText(double longitude)
{
    const SignPosition p = signPositionOf(longitude);
    return QStringLiteral("%1\u00B0%2\u2032")
        .arg(p.degrees)
        .arg(p.minutes, 2, 10, QLatin1Char('0'));
}

} // namespace

ChartWheel::ChartWheel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chartWheel"));
    setAccessibleName(tr("Chart wheel"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMinimumSize(240, 240);
}

void ChartWheel::setChart(double ascendant, const SunAndMoon& sky)
{
    ascendant_ = ascendant;
    sky_ = sky;
    setAccessibleDescription(positionsInWords());
    update();
}

QString ChartWheel::positionsInWords() const
{
    return tr("Ascendant %1, Sun %2, Moon %3")
        .arg(QString::fromStdString(signPositionText(ascendant_)),
             QString::fromStdString(signPositionText(sky_.sunLongitude)),
             QString::fromStdString(signPositionText(sky_.moonLongitude)));
}

QSize ChartWheel::sizeHint() const
{
    return {440, 440};
}

QColor ChartWheel::sectorColor(int sign)
{
    return signFillColor(sign);
}
QColor ChartWheel::glyphColor(int sign)
{
    return signInkColor(sign);
}

void ChartWheel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintWheel(painter, rect());
}

void ChartWheel::paintWheel(QPainter& p, const QRectF& area) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double side = std::min(area.width(), area.height());
    const QPointF c = area.center();
    const double r = side / 2 - side * 0.02;
    const auto at = [&](double fraction, double longitude) {
        return onCircle(c, r * fraction, screenAngle(longitude, ascendant_));
    };

    p.fillRect(area, Qt::white);

    // The signs' sectors, each a ring segment 30° wide.
    for (int sign = 0; sign < 12; ++sign) {
        const double startDeg = 180 + sign * 30 - ascendant_;
        QPainterPath sector;
        const QRectF outer(c.x() - r, c.y() - r, 2 * r, 2 * r);
        const double ri = r * kSignsInner;
        const QRectF inner(c.x() - ri, c.y() - ri, 2 * ri, 2 * ri);
        sector.arcMoveTo(outer, startDeg);
        sector.arcTo(outer, startDeg, 30);
        sector.arcTo(inner, startDeg + 30, -30);
        sector.closeSubpath();
        p.fillPath(sector, sectorColor(sign));
    }

    // Ticks every 5° on the inner edge of the ring, longer every 10°.
    p.setPen(QPen(kLine, std::max(0.5, r * 0.004)));
    for (int deg = 0; deg < 360; deg += 5) {
        const double len = deg % 30 == 0 ? 0 : (deg % 10 == 0 ? 0.05 : 0.03);
        if (len > 0)
            p.drawLine(at(kSignsInner, deg), at(kSignsInner + len, deg));
    }
    // Sign boundaries and the rings.
    p.setPen(QPen(kLine, std::max(1.0, r * 0.006)));
    for (int sign = 0; sign < 12; ++sign)
        p.drawLine(at(kSignsInner, sign * 30.0), at(kOuter, sign * 30.0));
    p.setBrush(Qt::NoBrush);
    for (const double f : {kOuter, kSignsInner, kHub})
        p.drawEllipse(c, r * f, r * f);

    // Glyphs in the middle of each sector.
    QFont glyphFont(QStringLiteral("DejaVu Sans"));
    glyphFont.setPixelSize(std::max(6, static_cast<int>(r * 0.11)));
    p.setFont(glyphFont);
    for (int sign = 0; sign < 12; ++sign) {
        p.setPen(glyphColor(sign));
        drawCentredText(p, at((kOuter + kSignsInner) / 2, sign * 30 + 15.0), signGlyph(sign));
    }

    // The horizon: ascendant on the left, descendant on the right.
    p.setPen(QPen(kInk, std::max(1.5, r * 0.012)));
    p.drawLine(at(kSignsInner, ascendant_), at(kHub, ascendant_));
    p.drawLine(at(kSignsInner, ascendant_ + 180), at(kHub, ascendant_ + 180));
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(std::max(6, static_cast<int>(r * 0.055)));
    p.setFont(labelFont);
    drawCentredText(p, at((kSignsInner + kHub) / 2, ascendant_) + QPointF(0, -r * 0.05),
                    tr("ASC %1").arg(degreesText(ascendant_)));
    drawCentredText(p, at((kSignsInner + kHub) / 2, ascendant_ + 180) + QPointF(0, -r * 0.05),
                    tr("DSC %1").arg(degreesText(ascendant_ + 180)));

    // The Sun and the Moon: a mark on the ring at the exact longitude, the
    // glyph and its degrees further in. When the two are close the Moon
    // moves inwards so neither hides the other.
    struct Body {
        double longitude;
        QChar glyph;
        double radius;
    };
    double apart = std::fabs(std::fmod(sky_.sunLongitude - sky_.moonLongitude + 540, 360.0) - 180);
    const bool close = apart < 14;
    const Body bodies[] = {
        {sky_.sunLongitude, QChar(0x2609), kPlanetRadius},
        {sky_.moonLongitude, QChar(0x263D), close ? kPlanetRadius - 0.26 : kPlanetRadius},
    };
    QFont bodyFont(QStringLiteral("DejaVu Sans"));
    bodyFont.setPixelSize(std::max(6, static_cast<int>(r * 0.12)));
    for (const Body& b : bodies) {
        p.setPen(QPen(kInk, std::max(1.0, r * 0.008)));
        p.drawLine(at(kSignsInner, b.longitude), at(kSignsInner - 0.05, b.longitude));
        p.setFont(bodyFont);
        drawCentredText(p, at(b.radius, b.longitude), QString(b.glyph));
        p.setFont(labelFont);
        drawCentredText(p, at(b.radius - (kPlanetRadius - kLabelRadius), b.longitude),
                        degreesText(b.longitude));
    }
    p.restore();
}

} // namespace zenthra
