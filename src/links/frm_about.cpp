// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/frm_about.h"

#include "ui/program_font.h"

#include "links/mod_help.h"
#include "ui/accessibility.h"
#include "ui/app_icon.h"
#include "ui/app_strings.h"
#include "ui/link_label.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace zenthra {
namespace {

constexpr int kIconSize = 64;     // logical pixels; sharp at 200 % from the 128 px rendering
constexpr int kTextColumnEm = 30; // width of the text column, in em, so it grows with the font

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent)
    : QDialog(parent)
{
    installAccessibility();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QLatin1String(kProgramTitle));
    setWindowIcon(applicationIcon());
    setModal(true);

    const QFont verdana = programFont();
    setFont(verdana);

    // The site's host names the maker in the texts, so they follow the configured site.
    const QString site = modHelp::pageAddress("home-page").host();

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(applicationIcon().pixmap(kIconSize, kIconSize));
    picIcon->setFixedSize(kIconSize, kIconSize);
    picIcon->setAccessibleName(tr("Zenthra icon"));

    Label2 = makeLabel(QLatin1String(kProgramTitle), "Label2", this);
    QFont titleFont = verdana;
    titleFont.setBold(true);
    titleFont.setPointSizeF(verdana.pointSizeF() * 1.4);
    Label2->setFont(titleFont);

    Label1 = makeLabel(
        QStringLiteral("Zenthra calculates your rising sign or ascendant based on Western "
                       "astrology concepts. The rising sign describes the personality that "
                       "you present to the world.") +
            QLatin1Char(' ') +
            tr("All rights to this software are held by %1, who publish it as free "
               "software under the GNU General Public License, version 3 or later.")
                .arg(site),
        "Label1", this);

    Line2 = new QFrame(this);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Sunken);

    Label6 = makeLabel(QStringLiteral("Home Business Opportunity. Start your own Internet "
                                      "business and make money online. Get this software "
                                      "fully branded for your website."),
                       "Label6", this);

    auto* detailsLink = new LinkLabel(QStringLiteral("Click here for more details"), this);
    detailsLink->setObjectName(QStringLiteral("Label5"));
    connect(detailsLink, &LinkLabel::clicked, this, [] { modHelp::OpenFullBrandPage(); });
    Label5 = detailsLink;

    auto* homeLink = new LinkLabel(tr("Visit our home page at %1").arg(site), this);
    homeLink->setObjectName(QStringLiteral("lblHomePage"));
    homeLink->setWordWrap(true);
    connect(homeLink, &LinkLabel::clicked, this, [] { modHelp::OpenHomePage(); });
    lblHomePage = homeLink;

    lblCredits = makeLabel(QStringLiteral("Place data: GeoNames (geonames.org), CC BY 4.0. Time "
                                          "zones: timezone-boundary-builder, ODbL."),
                           "lblCredits", this);
    QFont small = lblCredits->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblCredits->setFont(small);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    const int columnWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * kTextColumnEm;
    for (QLabel* label : {Label1, Label6, lblHomePage, lblCredits})
        label->setFixedWidth(columnWidth);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(Label2);
    textColumn->addSpacing(6);
    textColumn->addWidget(Label1);
    textColumn->addSpacing(6);
    textColumn->addWidget(Line2);
    textColumn->addSpacing(6);
    textColumn->addWidget(Label6);
    textColumn->addWidget(Label5, 0, Qt::AlignLeft);
    textColumn->addSpacing(6);
    textColumn->addWidget(lblHomePage, 0, Qt::AlignLeft);
    textColumn->addSpacing(6);
    textColumn->addWidget(lblCredits);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(picIcon, 0, Qt::AlignTop);
    body->addLayout(textColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // Fixed border: the window takes the size its contents need and no other.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    cmdOK->setFocus();
}

void showAboutWindow(QWidget* parent)
{
    // A guarded pointer: if the parent goes away during exec(), it takes the
    // about window with it and there is nothing left to delete here.
    QPointer<FrmAbout> about = new FrmAbout(parent);
    about->exec();
    delete about.data();
}

} // namespace zenthra
