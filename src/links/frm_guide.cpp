// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/frm_guide.h"

#include "ui/app_icon.h"
#include "ui/program_font.h"

#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zenthra {

FrmGuide::FrmGuide(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmGuide"));
    setWindowTitle(QStringLiteral("Zenthra Help"));
    setWindowIcon(applicationIcon());
    setFont(programFont());

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setAccessibleName(QStringLiteral("Help"));
    txtGuide->setOpenLinks(false);
    txtGuide->setHtml(guideHtml());
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto* root = new QVBoxLayout(this);
    root->addWidget(txtGuide, 1);
    root->addWidget(cmdClose, 0, Qt::AlignRight);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 520);
    txtGuide->setFocus();
}

QString FrmGuide::guideHtml()
{
    return QStringLiteral(
        "<h2>Finding a rising sign</h2>"
        "<p>Type the name, then choose the month, day and year of birth and the hour, minute "
        "and second on the clock where the person was born.</p>"
        "<p>Start typing the town in <b>City</b>: the list offers the towns of the built-in "
        "atlas; pick one with the arrow keys and Enter, and state, country, latitude, "
        "longitude, time zone and daylight saving are filled in for the birth date. For a "
        "town the atlas lacks, type the latitude and longitude yourself and choose the time "
        "zone; tick <b>Daylight Saving Time</b> only when daylight saving was in force and the "
        "zone is not a "
        "daylight-time entry already. The line under the place says whose coordinates and "
        "zone stand.</p>"
        "<p>Press <b>Find My Zodiac Rising Sign</b> (Alt+R). The result shows the sign, the "
        "ascendant with the local and universal time it was computed for, and the chart "
        "wheel, which can be saved as a picture; the result can be saved as a PDF or "
        "printed.</p>"
        "<h2>The day strip</h2>"
        "<p>The strip under the inputs shows which sign rises at each hour of the birth day "
        "at that place. Click a band, or move along it with the arrow keys and press Enter, "
        "to set the birth time within that sign's hours. A skipped hour (the clock moved "
        "forward) is marked as such; the line shows the birth time.</p>"
        "<h2>Zodiacs</h2>"
        "<p>Signs are counted in the tropical zodiac unless you choose otherwise. The "
        "<b>Zodiac</b> menu offers sidereal zodiacs; the choice is shown with the result and "
        "on the printed page.</p>"
        "<h2>Saved births</h2>"
        "<p>Each Find keeps the birth, and the window shows the most recent one at the next "
        "start. <b>File &gt; Open Birth</b> (Ctrl+O) searches the saved births by name or "
        "place, names that start with what you type first; <b>Save Birth</b> (Ctrl+S) and "
        "<b>Save Birth As</b> keep the entries under a name; the File menu lists the recent "
        "ones.</p>"
        "<h2>Keys</h2>"
        "<p>F1 opens this help, Ctrl+Q ends the program, Escape leaves the result.</p>");
}

void showGuideWindow(QWidget* parent)
{
    static QPointer<FrmGuide> open;
    if (!open) {
        open = new FrmGuide(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
}

} // namespace zenthra
