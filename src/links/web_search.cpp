// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/web_search.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QGuiApplication>

#include <utility>

namespace zenthra {
namespace {

// The one place that names the search engine; its query parameter is "q".
constexpr const char* kSearchEngine = "https://duckduckgo.com/";

WebSearchFactory& currentFactory()
{
    static WebSearchFactory factory;
    return factory;
}

} // namespace

WebSearch::~WebSearch() = default;

QUrl BrowserWebSearch::searchAddress(const QString& searchText)
{
    // toPercentEncoding leaves only unreserved characters bare. QUrlQuery alone
    // would keep '+' as it is, which search engines read as a blank.
    const QByteArray value = QUrl::toPercentEncoding(searchText);
    QUrl address(QString::fromLatin1(kSearchEngine));
    address.setQuery(QStringLiteral("q=") + QString::fromLatin1(value), QUrl::StrictMode);
    return address;
}

void BrowserWebSearch::search(const QString& searchText, const QString& pageAddress)
{
    // The page address names the page the search was started from; the
    // browser needs only the search itself.
    Q_UNUSED(pageAddress);
    // Without a running application there is no desktop to hand the address to.
    if (QGuiApplication::instance() == nullptr)
        return;
    QDesktopServices::openUrl(searchAddress(searchText));
}

std::unique_ptr<WebSearch> createWebSearch()
{
    const WebSearchFactory factory = currentFactory();
    if (factory)
        return factory();
    return std::make_unique<BrowserWebSearch>();
}

void setWebSearchFactory(WebSearchFactory factory)
{
    currentFactory() = std::move(factory);
}

} // namespace zenthra
