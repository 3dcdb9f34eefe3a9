// SPDX-License-Identifier: GPL-3.0-or-later
// The web-search component: the address it builds, the browser it opens, and
// the factory a test can replace.
#include "browser_stand_in.h"
#include "links/web_search.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QTest>
#include <QUrlQuery>

using namespace zenthra;

namespace {

class RecordingSearch : public WebSearch {
public:
    explicit RecordingSearch(QStringList* calls)
        : calls_(calls)
    {
    }
    void search(const QString& searchText, const QString& pageAddress) override
    {
        calls_->append(searchText + '|' + pageAddress);
    }

private:
    QStringList* calls_;
};

} // namespace

class WebSearchTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser_, "open"); }

    void cleanup()
    {
        setWebSearchFactory({});
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        browser_.opened.clear();
    }

    void typedTextStaysInTheQuery_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("place lookup")
            << QStringLiteral("  Pune Maharashtra India Latitude longitude ");
        QTest::newRow("empty") << QString();
        QTest::newRow("ampersand, equals, hash") << QStringLiteral("A&B=C&q=other #frag");
        QTest::newRow("plus") << QStringLiteral("C++ 1+1 +");
        QTest::newRow("slash and question") << QStringLiteral("a/b/../c?d=e");
        QTest::newRow("percent") << QStringLiteral("100% %20 %2B %zz %");
        QTest::newRow("umlaut, non-latin")
            << QStringLiteral("M\u00fcnchen \u6771\u4eac \u0926\u093f\u0932\u094d\u0932\u0940");
        QTest::newRow("address-like") << QStringLiteral("https://user@evil.example:8080/x?y#z");
        QTest::newRow("line break and tab") << QStringLiteral("a\nb\tc\r\n");
    }

    void typedTextStaysInTheQuery()
    {
        QFETCH(QString, text);
        const QUrl base = BrowserWebSearch::searchAddress(QStringLiteral("x"));
        QCOMPARE(base.scheme(), QStringLiteral("https"));
        QVERIFY(!base.host().isEmpty());
        // What the desktop hands to the browser, parsed back as the browser would.
        const QUrl address =
            QUrl::fromEncoded(BrowserWebSearch::searchAddress(text).toEncoded(), QUrl::StrictMode);
        QVERIFY2(address.isValid(), qPrintable(address.errorString()));
        QCOMPARE(address.adjusted(QUrl::RemoveQuery), base.adjusted(QUrl::RemoveQuery));
        const QUrlQuery query(address);
        QCOMPARE(query.queryItems().size(), 1);
        QCOMPARE(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);
        // On the wire: unreserved characters and escapes only; a raw '+' would
        // reach the search engine as a blank.
        static const QRegularExpression onlyEscapes(
            QStringLiteral("^q=(?:[A-Za-z0-9._~-]|%[0-9A-F]{2})*$"));
        const QString wire = address.query(QUrl::FullyEncoded);
        QVERIFY2(onlyEscapes.match(wire).hasMatch(), qPrintable(wire));
    }

    void searchOpensTheBrowserOncePerCall()
    {
        const QString text =
            QStringLiteral("Z\u00fcrich Z\u00fcrich Switzerland Latitude longitude ");
        BrowserWebSearch search;
        search.search(text,
                      QStringLiteral("https://zenthra.example.org/zenthra/ssd.php?page=home-page"));
        search.search(text, QStringLiteral("&q=injected#x")); // the page address changes nothing
        const QUrl want = BrowserWebSearch::searchAddress(text);
        QCOMPARE(browser_.opened, QList<QUrl>({want, want}));
    }

    void factoryIsReplaceable()
    {
        const std::unique_ptr<WebSearch> first = createWebSearch();
        const std::unique_ptr<WebSearch> second = createWebSearch();
        QVERIFY(dynamic_cast<BrowserWebSearch*>(first.get()) != nullptr);
        QVERIFY(first.get() != second.get()); // a new component per use

        QStringList calls;
        setWebSearchFactory([&] { return std::make_unique<RecordingSearch>(&calls); });
        for (const char* city : {"Pune", "Delhi"})
            createWebSearch()->search(QString::fromLatin1(city), QStringLiteral("page"));
        QCOMPARE(calls, QStringList({"Pune|page", "Delhi|page"}));
        QVERIFY(browser_.opened.isEmpty()); // the replacement, not the browser, was used

        setWebSearchFactory({});
        QVERIFY(dynamic_cast<BrowserWebSearch*>(createWebSearch().get()) != nullptr);
    }

private:
    zenthra::test::BrowserStandIn browser_;
};

QTEST_MAIN(WebSearchTest)
#include "web_search_test.moc"
