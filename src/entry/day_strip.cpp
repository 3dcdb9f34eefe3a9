// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/day_strip.h"

#include "engine/western_planet_position.h"
#include "rules/calendar_text.h"
#include "rules/sign_facts.h"
#include "ui/accessibility.h"
#include "ui/sign_colors.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <string_view>

namespace zenthra {
namespace {

const QColor kGapFill(0xE4, 0xE4, 0xE4);
const QColor kGapInk(0x55, 0x55, 0x55);
const QColor kMarker(0x10, 0x10, 0x10);

int signOf(const std::string& code)
{
    return code.empty() ? -1 : signIndexOfCode(code);
}

QString clock(int minute)
{
    return QString::fromStdString(clockText(minute));
}

// Draws the birth-time marker over the bands without taking their clicks.
class MarkerOverlay : public QWidget {
public:
    explicit MarkerOverlay(DayStrip* strip)
        : QWidget(strip)
        , strip_(strip)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (strip_->marker() < 0 || strip_->bands().empty())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double x = width() * (strip_->marker() + 0.5) / kMinutesPerDay;
        // Above and below the middle half of the bands, where their labels
        // stand: the marker never covers a sign's name.
        const double h = height();
        p.setPen(QPen(kMarker, 2));
        p.drawLine(QPointF(x, 0), QPointF(x, h / 4 - 1));
        p.drawLine(QPointF(x, h * 3 / 4 + 1), QPointF(x, h));
        const double s = h / 5.0;
        p.setBrush(kMarker);
        p.drawPolygon(QPolygonF({QPointF(x - s, 0), QPointF(x + s, 0), QPointF(x, s)}));
        p.drawPolygon(QPolygonF({QPointF(x - s, h), QPointF(x + s, h), QPointF(x, h - s)}));
    }

private:
    DayStrip* strip_;
};

} // namespace

DayBandButton::DayBandButton(const RisingBand& band, QWidget* parent)
    : QAbstractButton(parent)
    , band_(band)
    , sign_(signOf(band.code))
{
    const QString text = DayStrip::bandText(band);
    setAccessibleName(text);
    setToolTip(text);
    setFocusPolicy(Qt::ClickFocus);
    setEnabled(sign_ >= 0);
    if (sign_ >= 0)
        setText(QString::fromLatin1(signFacts(sign_).name));
}

QSize DayBandButton::sizeHint() const
{
    return {8, fontMetrics().height() * 2};
}

void DayBandButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    const QRect r = rect();
    if (sign_ < 0) {
        p.fillRect(r, kGapFill);
        p.fillRect(r, QBrush(kGapInk, Qt::BDiagPattern));
        // What the gap is, where it fits; the tooltip and the name say it in full.
        const QFontMetrics m = fontMetrics();
        for (const QString& words : {tr("clocks forward"), tr("skipped")}) {
            if (m.horizontalAdvance(words) + 4 <= r.width()) {
                const QRect behind =
                    m.boundingRect(r, Qt::AlignCenter, words).adjusted(-2, 0, 2, 0);
                p.fillRect(behind, kGapFill);
                p.setPen(kGapInk);
                p.drawText(r, Qt::AlignCenter, words);
                break;
            }
        }
        return;
    }
    p.fillRect(r, signFillColor(sign_));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.bottomLeft());
    // The name where it fits, else the glyph, else nothing.
    p.setPen(signInkColor(sign_));
    const QFontMetrics m = fontMetrics();
    const int room = r.width() - 4;
    if (m.horizontalAdvance(text()) <= room)
        p.drawText(r, Qt::AlignCenter, text());
    else if (m.horizontalAdvance(signGlyph(sign_)) <= room)
        p.drawText(r, Qt::AlignCenter, signGlyph(sign_));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(1, 1, -1, -1);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        p.setPen(QPen(signInkColor(sign_), 2));
        p.drawRect(r.adjusted(1, 1, -1, -1));
    }
}

void DayBandButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        emit stepRequested(-1);
        return;
    case Qt::Key_Right:
        emit stepRequested(1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        animateClick();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void DayBandButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    emit focused();
}

DayStrip::DayStrip(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("dayStrip"));
    setAccessibleName(heading());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    markerOverlay_ = new MarkerOverlay(this);
    hideFromScreenReaders(markerOverlay_); // the description tells where the birth time falls
    updateDescription();
}

QString DayStrip::heading()
{
    return tr("Rising signs through the day");
}

QString DayStrip::bandText(const RisingBand& band)
{
    const int sign = signOf(band.code);
    if (sign < 0)
        return tr("No clock time from %1 to %2: the clocks went forward")
            .arg(clock(band.fromMinute), clock(band.toMinute));
    return tr("%1 rises %2 to %3")
        .arg(QString::fromLatin1(signFacts(sign).name), clock(band.fromMinute),
             clock(band.toMinute));
}

void DayStrip::setBands(std::vector<RisingBand> bands)
{
    // Keep the keyboard on the same place of the day when the bands change.
    int focusedMinute = -1;
    for (DayBandButton* b : buttons_) {
        if (b->hasFocus())
            focusedMinute = b->band().fromMinute;
    }
    qDeleteAll(buttons_);
    buttons_.clear();
    bands_ = std::move(bands);
    DayBandButton* refocus = nullptr;
    for (const RisingBand& band : bands_) {
        auto* button = new DayBandButton(band, this);
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            emit bandChosen(button->band().fromMinute, button->band().toMinute);
        });
        connect(button, &DayBandButton::stepRequested, this,
                [this, button](int delta) { step(button, delta); });
        connect(button, &DayBandButton::focused, this, [this, button] { makeTabStop(button); });
        buttons_.append(button);
        if (focusedMinute >= band.fromMinute && focusedMinute < band.toMinute &&
            button->isEnabled())
            refocus = button;
        button->show();
    }
    markerOverlay_->raise();
    layoutBands();
    // One tab stop for the whole strip: the band of the birth time.
    DayBandButton* stop = nullptr;
    if (const std::optional<std::size_t> i = marker_ >= 0 ? bandAt(bands_, marker_) : std::nullopt)
        stop = buttons_[static_cast<int>(*i)];
    for (DayBandButton* b : buttons_) {
        if (!stop && b->isEnabled())
            stop = b;
    }
    makeTabStop(refocus ? refocus : stop);
    if (refocus)
        refocus->setFocus(Qt::OtherFocusReason);
    updateDescription();
    update();
}

void DayStrip::setMarker(int minuteOfDay)
{
    marker_ = minuteOfDay;
    markerOverlay_->update();
    updateDescription();
}

void DayStrip::setPlaceholderText(const QString& text)
{
    placeholder_ = text;
    updateDescription();
    update();
}

void DayStrip::makeTabStop(DayBandButton* button)
{
    for (DayBandButton* b : buttons_)
        b->setFocusPolicy(b == button ? Qt::StrongFocus : Qt::ClickFocus);
}

void DayStrip::step(DayBandButton* from, int delta)
{
    int i = static_cast<int>(buttons_.indexOf(from));
    for (i += delta; i >= 0 && i < buttons_.size(); i += delta) {
        if (buttons_[i]->isEnabled()) {
            makeTabStop(buttons_[i]);
            buttons_[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void DayStrip::updateDescription()
{
    QString text = tr("The signs rising over the birth date");
    if (bands_.empty() && !placeholder_.isEmpty())
        text += QStringLiteral(". ") + placeholder_;
    if (marker_ >= 0) {
        if (const std::optional<std::size_t> i = bandAt(bands_, marker_))
            text +=
                tr("; the birth time %1 falls in: %2").arg(clock(marker_), bandText(bands_[*i]));
    }
    setAccessibleDescription(text);
}

int DayStrip::bandsHeight() const
{
    return fontMetrics().height() * 2;
}

QSize DayStrip::sizeHint() const
{
    return {480, bandsHeight() + fontMetrics().height() + 4};
}
QSize DayStrip::minimumSizeHint() const
{
    return {240, sizeHint().height()};
}

void DayStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutBands();
}

void DayStrip::layoutBands()
{
    const int w = width();
    const int h = bandsHeight();
    const auto xOf = [w](int minute) {
        return static_cast<int>(static_cast<long long>(w) * minute / kMinutesPerDay);
    };
    for (DayBandButton* b : buttons_) {
        const int x0 = xOf(b->band().fromMinute);
        b->setGeometry(x0, 0, std::max(1, xOf(b->band().toMinute) - x0), h);
    }
    markerOverlay_->setGeometry(0, 0, w, h);
}

void DayStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (buttons_.isEmpty()) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        const QRect area(0, 0, width(), bandsHeight());
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, placeholder_); // two lines of room
        return;
    }
    // Hour marks under the bands, labelled every three hours.
    p.setPen(palette().color(QPalette::WindowText));
    const int top = bandsHeight();
    const QFontMetrics m = fontMetrics();
    for (int hour = 0; hour <= 24; ++hour) {
        const int x = std::min(width() - 1, width() * hour / 24);
        p.drawLine(x, top, x, top + (hour % 3 == 0 ? 4 : 2));
        if (hour % 3 != 0)
            continue;
        const QString label = QString::number(hour);
        const int tw = m.horizontalAdvance(label);
        const int tx = std::clamp(x - tw / 2, 0, width() - tw);
        p.drawText(tx, top + 4 + m.ascent(), label);
    }
}

} // namespace zenthra
