// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/mod_help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace zenthra;

namespace {

using Operation = void (*)();

// Receives what QDesktopServices would have handed to the browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// The configured site (no trailing slash in the build's setting), then the
// fixed path and query.
QString expectedAddress(const QString& key)
{
    return QStringLiteral(ZENTHRA_SITE "/zenthra/ssd.php?page=") + key;
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class ModHelpTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachOperationOpensItsPage_data();
    void eachOperationOpensItsPage();
    void addressHasTheSiteShape_data();
    void addressHasTheSiteShape();
    void defaultOpenerGoesToTheDesktop();
    void replacingTheOpenerDuringACallIsSafe();

private:
    QList<QUrl> opened_;
};

void ModHelpTest::init()
{
    opened_.clear();
    modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
}

void ModHelpTest::cleanup()
{
    modHelp::setPageOpener({});
}

void ModHelpTest::eachOperationOpensItsPage_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("OpenHomePage") << Operation(modHelp::OpenHomePage) << "home-page";
    QTest::newRow("OpenHelpPage") << Operation(modHelp::OpenHelpPage) << "help-web-page";
    QTest::newRow("OpenDownloadPage") << Operation(modHelp::OpenDownloadPage)
                                      << "download-web-page";
    QTest::newRow("OpenDonatePage") << Operation(modHelp::OpenDonatePage) << "donate";
    QTest::newRow("OpenFullBrandPage") << Operation(modHelp::OpenFullBrandPage)
                                       << "fully-branded";
    QTest::newRow("OpenCoBrandPage") << Operation(modHelp::OpenCoBrandPage) << "co-brand";
}

void ModHelpTest::eachOperationOpensItsPage()
{
    QFETCH(Operation, operation);
    QFETCH(QString, pageKey);

    // No window of the program is open: the operations must not need one.
    QVERIFY(QApplication::topLevelWidgets().isEmpty());

    operation();
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_.at(0).toString(), expectedAddress(pageKey));

    // A second click opens the page a second time; nothing guards against it.
    operation();
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(opened_.at(1), opened_.at(0));
}

void ModHelpTest::addressHasTheSiteShape_data()
{
    QTest::addColumn<QString>("pageKey");
    for (const char* key : {"home-page", "help-web-page", "download-web-page", "donate",
                            "fully-branded", "co-brand"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void ModHelpTest::addressHasTheSiteShape()
{
    QFETCH(QString, pageKey);
    const QUrl site(QStringLiteral(ZENTHRA_SITE));
    const QUrl address = modHelp::pageAddress(pageKey.toLatin1().constData());

    QVERIFY2(address.isValid(), qPrintable(address.errorString()));
    QCOMPARE(address.scheme(), site.scheme());
    QCOMPARE(address.host(), site.host());
    QCOMPARE(address.port(), site.port());
    QCOMPARE(address.path(), QStringLiteral("/zenthra/ssd.php"));
    QCOMPARE(address.fragment(), QString());
    const QUrlQuery query(address);
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("page")), pageKey);
}

void ModHelpTest::defaultOpenerGoesToTheDesktop()
{
    modHelp::setPageOpener({});
    BrowserStandIn browser;
    const QString scheme = modHelp::pageAddress("donate").scheme();
    QDesktopServices::setUrlHandler(scheme, &browser, "open");

    modHelp::OpenDonatePage();
    modHelp::OpenHelpPage();

    QDesktopServices::unsetUrlHandler(scheme);
    QVERIFY(opened_.isEmpty());
    QCOMPARE(browser.opened.size(), 2);
    QCOMPARE(browser.opened.at(0).toString(), expectedAddress(QStringLiteral("donate")));
    QCOMPARE(browser.opened.at(1).toString(), expectedAddress(QStringLiteral("help-web-page")));
}

void ModHelpTest::replacingTheOpenerDuringACallIsSafe()
{
    // An opener that restores the default while it runs must finish its own call.
    int calls = 0;
    modHelp::setPageOpener([&calls](const QUrl&) {
        ++calls;
        modHelp::setPageOpener([](const QUrl&) {});
    });
    modHelp::OpenHomePage();
    modHelp::OpenHomePage();
    QCOMPARE(calls, 1);
}

QTEST_MAIN(ModHelpTest)
#include "mod_help_test.moc"
