// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/request_driver.h"

#include "births/birth.h"
#include "engine/chart_report.h"
#include "engine/sky_positions.h"
#include "entry/birth_text.h"
#include "entry/frm_main.h"
#include "result/frm_display.h"
#include "rules/calendar_text.h"
#include "rules/chart_inputs.h"
#include "rules/chart_notes.h"
#include "rules/sign_facts.h"
#include "rules/zodiac_text.h"
#include "ui/window_memory.h"

#include <QStringList>

namespace zenthra {
namespace {

// The printed page's birth lines from the birth as typed and what its chart
// was computed with: "15 August 1947", "00:00", "Delhi, India, 28° 40′ N
// 77° 13′ E, UTC+05:30".
void describeBirth(ResultPage& page, const Birth& birth, const ChartInputs& in)
{
    page.personName = birth.name.trimmed();
    page.birthDate = QString::fromStdString(birthDateText(in.year, in.month, in.day));
    page.birthTime = QString::fromStdString(clockText(in.hour * 60 + in.minute));
    QStringList parts;
    for (const QString& part : {birth.city, birth.state, birth.country})
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    parts << coordinatesText(birth);
    parts << QString::fromStdString(in.offset().text());
    page.birthPlace = parts.join(QStringLiteral(", "));
}

} // namespace

RequestDriver::RequestDriver(FrmMain& main, QObject* parent)
    : QObject(parent)
    , main_(main)
{
    connect(&main_, &FrmMain::calculateRequested, this, &RequestDriver::onCalculateRequested);
}

void RequestDriver::onCalculateRequested()
{
    // The place is settled before its time: choosing another place chooses its zone.
    if (!main_.Input_Validation() || !main_.confirmPlace() || !main_.checkPlaceTime())
        return;
    const std::optional<ChartInputs> inputs = main_.chartInputs();
    if (!inputs || checkChartInputs(*inputs))
        return;
    const Birth birth = main_.currentBirth();
    chart_ = chartOf(*inputs);
    chart_.strPersonName = birth.name.toStdString();
    const ChartState& c = chart_;

    FrmDisplay& display = ensureDisplay();
    const int sign = signIndexOfCode(c.strAscSign);
    if (sign >= 0) {
        display.showSign(sign + 1, main_.signImages());
        const auto change = nearestSignChange(c);
        ResultPage page;
        page.row = sign + 1;
        page.picture = main_.signImages().picture(sign + 1).toImage();
        describeBirth(page, birth, *inputs);
        page.ascendantLine = QString::fromStdString(ascendantLine(c));
        page.timeLine =
            QString::fromStdString(birthMomentLine(c, birth.city.trimmed().toStdString()));
        page.cuspNote = change ? QString::fromStdString(cuspNote(*change)) : QString();
        page.polarNote = QString::fromStdString(polarNote(c));
        // The polar note shares the cusp note's place: the ascendant's has no room left.
        QStringList notes = {page.polarNote, page.cuspNote};
        notes.removeAll(QString());
        display.showChartFacts(page.ascendantLine, page.timeLine, notes.join(QLatin1Char('\n')),
                               main_.timeFromDayStrip());
        display.showPerson(page.personName);
        const SunAndMoon sky = chartSunAndMoon(c);
        page.bigThree = QString::fromStdString(bigThreeLine(sky, c.strAscSign));
        // The wheel names who, when and where: "RAVI, 15 August 1947, 00:00, Delhi".
        QStringList caption = {page.birthDate, page.birthTime};
        if (!page.personName.isEmpty())
            caption.prepend(page.personName);
        if (!birth.city.trimmed().isEmpty())
            caption.append(birth.city.trimmed());
        const QString zodiac = QString::fromStdString(zodiacSuffix(c));
        display.showSky(c.varAscendant, sky, page.bigThree,
                        caption.join(QStringLiteral(", ")) + zodiac, zodiac);
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
        rememberGeometry(display_, QStringLiteral("result"));
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
