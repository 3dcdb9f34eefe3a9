// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace zenthra {

// Looks a text up on the web for the user. The place lookup creates one per
// click and throws it away afterwards; nothing it does is reported back.
class WebSearch {
public:
    WebSearch() = default;
    WebSearch(const WebSearch&) = delete;
    WebSearch& operator=(const WebSearch&) = delete;
    virtual ~WebSearch();

    virtual void search(const QString& searchText, const QString& pageAddress) = 0;
};

// Opens the user's browser on a web search and returns at once; a browser
// that does not start goes unnoticed.
class BrowserWebSearch final : public WebSearch {
public:
    void search(const QString& searchText, const QString& pageAddress) override;

    // The search engine's address with searchText as its query, every
    // character of it percent-encoded, so typed text cannot reach beyond it.
    static QUrl searchAddress(const QString& searchText);
};

// A new component for one search: a BrowserWebSearch unless a test has put
// another factory in place. May be null if a replacement factory returns null.
std::unique_ptr<WebSearch> createWebSearch();

// Replaces the factory behind createWebSearch(); an empty function restores
// the browser.
using WebSearchFactory = std::function<std::unique_ptr<WebSearch>()>;
void setWebSearchFactory(WebSearchFactory factory);

} // namespace zenthra
