// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/mod_help.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QString>

#include <utility>

#ifndef ZENTHRA_SITE
#error "ZENTHRA_SITE must name the maker's site (scheme and host)"
#endif

namespace zenthra::modHelp {
namespace {

void openInBrowser(const QUrl& address)
{
    // The desktop services need a running application; without one there is
    // nothing to show the page with, and the call must not crash.
    if (QGuiApplication::instance() == nullptr)
        return;
    // The outcome is deliberately ignored: a missing browser is not our error.
    QDesktopServices::openUrl(address);
}

PageOpener& currentOpener()
{
    static PageOpener opener = openInBrowser;
    return opener;
}

void openPage(const char* pageKey)
{
    const PageOpener opener = currentOpener(); // a copy: the opener may replace itself
    opener(pageAddress(pageKey));
}

} // namespace

QUrl pageAddress(const char* pageKey)
{
    QString site = QStringLiteral(ZENTHRA_SITE);
    // A site configured with a trailing slash would otherwise give "//zenthra".
    while (site.endsWith(QLatin1Char('/')))
        site.chop(1);
    return QUrl(site + QStringLiteral("/zenthra/ssd.php?page=") + QLatin1String(pageKey),
                QUrl::StrictMode);
}

void setPageOpener(PageOpener opener)
{
    currentOpener() = opener ? std::move(opener) : PageOpener(openInBrowser);
}

void OpenHomePage()
{
    openPage("home-page");
}
void OpenHelpPage()
{
    openPage("help-web-page");
}
void OpenDownloadPage()
{
    openPage("download-web-page");
}
void OpenDonatePage()
{
    openPage("donate");
}
void OpenFullBrandPage()
{
    openPage("fully-branded");
}
void OpenCoBrandPage()
{
    openPage("co-brand");
}

} // namespace zenthra::modHelp
