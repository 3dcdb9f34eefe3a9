// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/web_search.h"

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QTest>
#include <QUrlQuery>

using namespace zenthra;

namespace {

// Receives what QDesktopServices would have handed to the browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

struct Call {
    QString searchText;
    QString pageAddress;
};

class RecordingSearch : public WebSearch {
public:
    explicit RecordingSearch(QList<Call>* calls) : calls_(calls) {}
    void search(const QString& searchText, const QString& pageAddress) override
    {
        calls_->append({searchText, pageAddress});
    }

private:
    QList<Call>* calls_;
};

} // namespace

class WebSearchTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void typedTextStaysInTheQuery_data();
    void typedTextStaysInTheQuery();
    void searchOpensTheBrowserOnce();
    void pageAddressDoesNotChangeTheSearch();
    void defaultFactoryMakesABrowserSearch();
    void factoryCanBeReplacedAndRestored();
};

void WebSearchTest::cleanup()
{
    setWebSearchFactory({});
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void WebSearchTest::typedTextStaysInTheQuery_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("place lookup shape")
        << QStringLiteral("Pune Maharashtra India Latitude longitude ");
    QTest::newRow("leading blanks") << QStringLiteral("  Goa India Latitude longitude ");
    QTest::newRow("empty") << QString();
    QTest::newRow("ampersand and equals") << QStringLiteral("A&B=C&q=other");
    QTest::newRow("hash") << QStringLiteral("St. John's #2 #frag");
    QTest::newRow("plus") << QStringLiteral("C++ 1+1 +");
    QTest::newRow("slash and question") << QStringLiteral("a/b/../c?d=e");
    QTest::newRow("percent") << QStringLiteral("100% %20 %2B %zz %");
    QTest::newRow("umlaut") << QStringLiteral("M\u00fcnchen Bayern Deutschland");
    QTest::newRow("non-latin") << QStringLiteral("\u6771\u4eac \u0928\u0908 \u0926\u093f\u0932\u094d\u0932\u0940");
    QTest::newRow("address-like") << QStringLiteral("https://evil.example:8080/x?y#z");
    QTest::newRow("line break and tab") << QStringLiteral("a\nb\tc\r\n");
    QTest::newRow("at and colon") << QStringLiteral("user@host:pass");
}

void WebSearchTest::typedTextStaysInTheQuery()
{
    QFETCH(QString, text);
    const QUrl base = BrowserWebSearch::searchAddress(QStringLiteral("x"));
    const QUrl address = BrowserWebSearch::searchAddress(text);

    QVERIFY2(address.isValid(), qPrintable(address.errorString()));
    QCOMPARE(address.scheme(), QStringLiteral("https"));
    QVERIFY(!address.host().isEmpty());
    QCOMPARE(address.host(), base.host());
    QCOMPARE(address.port(), base.port());
    QCOMPARE(address.path(), base.path());
    QCOMPARE(address.userInfo(), QString());
    QVERIFY(!address.hasFragment());

    const QUrlQuery query(address);
    QCOMPARE(query.queryItems().size(), 1);
    QVERIFY(query.hasQueryItem(QStringLiteral("q")));
    QCOMPARE(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);

    // On the wire the value is unreserved characters and escapes only: a raw
    // '+' would reach the search engine as a blank.
    const QString wire = address.query(QUrl::FullyEncoded);
    static const QRegularExpression onlyEscapes(
        QStringLiteral("^q=(?:[A-Za-z0-9._~-]|%[0-9A-F]{2})*$"));
    QVERIFY2(onlyEscapes.match(wire).hasMatch(), qPrintable(wire));

    // What the desktop hands to the browser parses back to the same search.
    const QUrl reparsed = QUrl::fromEncoded(address.toEncoded(), QUrl::StrictMode);
    QVERIFY(reparsed.isValid());
    QCOMPARE(reparsed.host(), base.host());
    QCOMPARE(reparsed.path(), base.path());
    QCOMPARE(QUrlQuery(reparsed).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);
}

void WebSearchTest::searchOpensTheBrowserOnce()
{
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    const QString text = QStringLiteral("Z\u00fcrich Z\u00fcrich Switzerland Latitude longitude ");

    BrowserWebSearch search;
    search.search(text, QStringLiteral("https://zenthra.example.org/zenthra/ssd.php?page=home-page"));
    QCOMPARE(browser.opened.size(), 1);
    QCOMPARE(browser.opened.at(0), BrowserWebSearch::searchAddress(text));
    QCOMPARE(QUrlQuery(browser.opened.at(0)).queryItemValue(QStringLiteral("q"),
                                                            QUrl::FullyDecoded),
             text);

    search.search(text, QString());
    QCOMPARE(browser.opened.size(), 2);
}

void WebSearchTest::pageAddressDoesNotChangeTheSearch()
{
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    BrowserWebSearch search;
    const QString text = QStringLiteral("Pune Maharashtra India Latitude longitude ");
    search.search(text, QStringLiteral("https://zenthra.example.org/zenthra/ssd.php?page=home-page"));
    search.search(text, QStringLiteral("&q=injected#x"));
    QCOMPARE(browser.opened.size(), 2);
    QCOMPARE(browser.opened.at(1), browser.opened.at(0));
}

void WebSearchTest::defaultFactoryMakesABrowserSearch()
{
    const std::unique_ptr<WebSearch> first = createWebSearch();
    const std::unique_ptr<WebSearch> second = createWebSearch();
    QVERIFY(dynamic_cast<BrowserWebSearch*>(first.get()) != nullptr);
    QVERIFY(dynamic_cast<BrowserWebSearch*>(second.get()) != nullptr);
    QVERIFY(first.get() != second.get()); // a new component per use
}

void WebSearchTest::factoryCanBeReplacedAndRestored()
{
    QList<Call> calls;
    int created = 0;
    setWebSearchFactory([&] {
        ++created;
        return std::make_unique<RecordingSearch>(&calls);
    });

    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    for (const char* city : {"Pune", "Delhi"}) {
        const std::unique_ptr<WebSearch> search = createWebSearch();
        QVERIFY(search != nullptr);
        search->search(QString::fromLatin1(city), QStringLiteral("page"));
    }
    QCOMPARE(created, 2);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).searchText, QStringLiteral("Pune"));
    QCOMPARE(calls.at(1).searchText, QStringLiteral("Delhi"));
    QCOMPARE(calls.at(1).pageAddress, QStringLiteral("page"));
    QVERIFY(browser.opened.isEmpty()); // the replacement, not the browser, was used

    setWebSearchFactory({});
    const std::unique_ptr<WebSearch> restored = createWebSearch();
    QVERIFY(dynamic_cast<BrowserWebSearch*>(restored.get()) != nullptr);
    QCOMPARE(created, 2);
}

QTEST_MAIN(WebSearchTest)
#include "web_search_test.moc"
