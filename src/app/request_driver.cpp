// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/request_driver.h"

#include "engine/chart_report.h"
#include "engine/chart_state.h"
#include "engine/sky_positions.h"
#include "engine/western_planet_position.h"
#include "entry/frm_main.h"
#include "result/fill_display.h"
#include "result/frm_display.h"
#include "rules/chart_notes.h"
#include "rules/input_rules.h"
#include "rules/sign_facts.h"
#include "rules/utc_offset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

namespace zenthra {
namespace {

std::optional<std::int16_t> number(const QString& text)
{
    return toInt16(text.toStdString());
}

std::int16_t flag(bool on)
{
    return on ? -1 : 0;
}

// The printed page's birth lines from what the chart was computed with:
// "15 August 1947", "00:00", "Delhi, India, 28° 40′ N 77° 13′ E, UTC+05:30".
void describeBirth(ResultPage& page, const FrmMain& main, const ChartState& c)
{
    page.personName = main.txtName->text().trimmed();
    page.birthDate = QStringLiteral("%1 %2 %3")
                         .arg(c.intBirthDay)
                         .arg(QLatin1String(kMonthNames[(c.intBirthMonth + 11) % 12]))
                         .arg(c.intBirthYear);
    page.birthTime = QStringLiteral("%1:%2")
                         .arg(c.intBirthHour, 2, 10, QLatin1Char('0'))
                         .arg(c.intBirthMinute, 2, 10, QLatin1Char('0'));
    QStringList parts;
    for (const QLineEdit* box : {main.txtMCity, main.txtMState, main.txtMCountry})
        if (!box->text().trimmed().isEmpty())
            parts << box->text().trimmed();
    parts << QStringLiteral("%1° %2′ %3 %4° %5′ %6")
                 .arg(c.intLatDeg)
                 .arg(c.intLatMin, 2, 10, QLatin1Char('0'))
                 .arg(c.bLatSouth ? QLatin1Char('S') : QLatin1Char('N'))
                 .arg(c.intLonDeg)
                 .arg(c.intLonMin, 2, 10, QLatin1Char('0'))
                 .arg(c.bLonEast ? QLatin1Char('E') : QLatin1Char('W'));
    if (const auto zone = main.Zone_Calculation())
        parts << QString::fromStdString(
            UtcOffset::fromSeconds(zone->seconds() + (c.bDST ? 3600 : 0)).text());
    page.birthPlace = parts.join(QStringLiteral(", "));
}

} // namespace

RequestDriver::RequestDriver(FrmMain& main, QObject* parent)
    : QObject(parent)
    , main_(main)
{
    connect(&main_, &FrmMain::calculateRequested, this, &RequestDriver::onCalculateRequested);
}

// Converts every input before anything is written, so that a text which
// cannot be read stops the request instead of leaving a value from an
// earlier one in the chart.
bool RequestDriver::storeInputs()
{
    const auto day = number(main_.cboDate->currentText());
    const auto year = number(main_.cboYear->currentText());
    const auto hour = number(main_.cboHH->currentText());
    const auto minute = number(main_.cboMM->currentText());
    const auto lonDeg = number(main_.txtLonD->text());
    const auto lonMin = number(main_.txtLonM->text());
    const auto latDeg = number(main_.txtLatD->text());
    const auto latMin = number(main_.txtLatM->text());
    const auto offset = main_.Zone_Calculation();
    if (!day || !year || !hour || !minute || !lonDeg || !lonMin || !latDeg || !latMin || !offset)
        return false;

    ChartState& c = chartState();
    c.strPersonName = main_.txtName->text().toStdString();
    const ClockZone zone = chartZone(*offset);
    c.varZoneHours = zone.zoneHours;
    c.varZoneMinutes = zone.zoneMinutes;
    c.intBirthMonth = static_cast<std::int16_t>(main_.cboMonth->currentIndex() + 1);
    c.intBirthDay = *day;
    c.intBirthYear = *year;
    c.intBirthHour = *hour;
    c.intBirthMinute = *minute;
    // Signed, west positive: the zone's own direction, whatever the longitude.
    c.intZoneHours = c.varZoneHours;
    c.intZoneMinutes = c.varZoneMinutes;
    c.intLonDeg = *lonDeg;
    c.intLonMin = *lonMin;
    c.intLatDeg = *latDeg;
    c.intLatMin = *latMin;
    c.bLonEast = flag(main_.optLong[0]->isChecked());
    c.bLatSouth = flag(main_.optLat[1]->isChecked());
    c.bDST = flag(main_.chkDST->checkState() != Qt::Unchecked); // greyed counts as ticked
    return true;
}

void RequestDriver::onCalculateRequested()
{
    if (!main_.Input_Validation() || !main_.checkPlaceTime())
        return;
    if (!storeInputs())
        return;

    Chart_Angles();
    Position_Table();
    ChartState& c = chartState();
    const std::string& entry = c.arrPositionText[10];
    c.strAscSign = entry.size() >= 6 ? entry.substr(3, 3) : std::string();

    FrmDisplay& display = ensureDisplay();
    const int sign = signIndexOfCode(c.strAscSign);
    if (sign >= 0) {
        fillDisplay(display, sign + 1, main_.IMGSign);
        const auto change = nearestSignChange();
        ResultPage page;
        page.row = sign + 1;
        page.picture = main_.IMGSign.picture(sign + 1).toImage();
        describeBirth(page, main_, c);
        page.ascendantLine = QString::fromStdString(ascendantLine(c.varAscendantText));
        page.timeLine = QString::fromStdString(universalTimeLine(universalTimeText()));
        page.cuspNote = change ? QString::fromStdString(cuspNote(*change)) : QString();
        display.showChartFacts(page.ascendantLine, page.timeLine, page.cuspNote,
                               main_.timeFromDayStrip());
        const SunAndMoon sky = sunAndMoonAt(chartJulianDayUt());
        page.bigThree = QString::fromStdString(bigThreeLine(sky, c.strAscSign));
        // The wheel names who and when: "RAVI, 15 August 1947, 00:00".
        QStringList caption = {page.birthDate, page.birthTime};
        if (!page.personName.isEmpty())
            caption.prepend(page.personName);
        display.showSky(c.varAscendant, sky, page.bigThree, caption.join(QStringLiteral(", ")));
        display.setResultPage(page);
    }
    // On disk before the result shows: whatever happens to the program from
    // here on, the birth is kept.
    main_.saveFoundBirth();
    display.show();
    main_.hide();
}

FrmDisplay* RequestDriver::display() const
{
    return display_.data();
}

FrmDisplay& RequestDriver::ensureDisplay()
{
    if (!display_) {
        display_ = new FrmDisplay;
        connect(display_, &FrmDisplay::backRequested, this, &RequestDriver::onBack);
    }
    return *display_;
}

void RequestDriver::onBack()
{
    main_.show();
    main_.activateWindow();
}

} // namespace zenthra
