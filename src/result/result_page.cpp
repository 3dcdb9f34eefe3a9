// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/result_page.h"

#include "result/sign_profiles.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

namespace zenthra {
namespace {

const QUrl kPictureUrl(QStringLiteral("zenthra:sign-picture"));
constexpr double kLargestPoints = 11;
constexpr double kSmallestPoints = 6;

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString paragraphs(const QString& text)
{
    // Two line breaks start a new paragraph; one is kept as a break.
    QString html;
    for (const QString& part : text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        html += QStringLiteral("<p>%1</p>")
                    .arg(escaped(part).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    return html;
}

QString row(const QString& caption, const QString& value)
{
    return QStringLiteral("<tr><td><b>%1</b>&nbsp;&nbsp;&nbsp;</td><td>%2</td></tr>")
        .arg(escaped(caption), escaped(value));
}

} // namespace

void buildResultDocument(QTextDocument& document, const ResultPage& page, int pictureSide)
{
    const SignProfile& p = signProfile(page.row);
    if (!page.picture.isNull())
        document.addResource(QTextDocument::ImageResource, kPictureUrl, page.picture);

    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\"><tr>");
    if (!page.picture.isNull())
        html += QStringLiteral("<td width=\"%2\"><img src=\"%1\" width=\"%2\" height=\"%2\"></td>")
                    .arg(kPictureUrl.toString())
                    .arg(pictureSide);
    html += QStringLiteral("<td>");
    html += QStringLiteral("<p style=\"font-size:large\">Your Rising Sign</p><h1>%1</h1>")
                .arg(escaped(p.name));
    if (!page.personName.isEmpty())
        html += QStringLiteral("<p><b>%1</b></p>").arg(escaped(page.personName));
    html +=
        QStringLiteral("<p>Born %1 at %2").arg(escaped(page.birthDate), escaped(page.birthTime));
    if (!page.birthPlace.isEmpty())
        html += QStringLiteral("<br>%1").arg(escaped(page.birthPlace));
    html += QStringLiteral("</p><p>");
    for (const QString& line :
         {page.ascendantLine, page.timeLine, page.polarNote, page.bigThree, page.cuspNote}) {
        if (!line.isEmpty())
            html += escaped(line) + QStringLiteral("<br>");
    }
    html += QStringLiteral("</p></td></tr></table>");

    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    html += row(QStringLiteral("Your Ruling Planet"), p.rulingPlanet);
    html += row(QStringLiteral("Your Symbol"), p.symbol);
    html += row(QStringLiteral("Your Element"), p.element);
    html += row(QStringLiteral("Your Sign Color"), p.signColor);
    html += row(QStringLiteral("Your Type of Sign"), p.typeOfSign);
    html += row(QStringLiteral("Your Lucky Days"), p.luckyDays);
    html += row(QStringLiteral("Your Lucky Numbers"), p.luckyNumbers);
    html += row(QStringLiteral("Your Lucky Direction"), p.luckyDirection);
    html += row(QStringLiteral("Your Lucky Colors"), p.luckyColors);
    html += row(QStringLiteral("Your Lucky Gemstone"), p.luckyGemstone);
    html += QStringLiteral("</table>");

    const std::pair<const char*, const QString*> texts[] = {
        {"Your Nature", &p.nature},
        {"Your Looks", &p.looks},
        {"Your Health", &p.health},
        {"Your Love and Domestic Life", &p.love},
        {"Your Career and Finance", &p.career}};
    for (const auto& [caption, text] : texts)
        html += QStringLiteral("<h3>%1</h3>%2").arg(QLatin1String(caption), paragraphs(*text));
    html += QStringLiteral("</body></html>");
    document.setHtml(html);
}

bool paintResultPage(QPagedPaintDevice& device, const ResultPage& page)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter starts at the top left of the printable area, in device pixels.
    const QRectF area(0, 0, device.width(), device.height());
    QTextDocument document;
    document.setDocumentMargin(0);
    buildResultDocument(document, page, qRound(area.width() / 4));
    document.setTextWidth(area.width());
    // Sizes in points for the device's resolution; shrink until one page holds it all.
    double points = kLargestPoints;
    for (;; points -= 0.5) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(qRound(points * device.logicalDpiY() / 72.0));
        document.setDefaultFont(font);
        if (document.size().height() <= area.height() || points <= kSmallestPoints)
            break;
    }
    document.drawContents(&painter, QRectF(QPointF(0, 0), area.size()));
    return painter.end();
}

bool saveResultPdf(const QString& path, const ResultPage& page, QString* error)
{
    // Written beside the target and renamed at the end: a failed write
    // leaves an earlier file of that name as it was.
    QSaveFile file(path);
    bool written = false;
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Rising sign: %1").arg(signProfile(page.row).name));
        writer.setCreator(QStringLiteral("Zenthra"));
        writer.setResolution(300);
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        written = paintResultPage(writer, page);
    }
    if (written && file.commit())
        return true;
    file.cancelWriting();
    if (error)
        *error = QStringLiteral("The PDF could not be written to %1.").arg(path);
    return false;
}

} // namespace zenthra
