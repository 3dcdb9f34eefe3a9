// SPDX-License-Identifier: GPL-3.0-or-later
// The six page operations and the opener they go through.
#include "browser_stand_in.h"
#include "links/mod_help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

using namespace zenthra;

namespace {

using Operation = void (*)();

// The configured site (no trailing slash in the build's setting), then the fixed path and query.
QUrl expectedAddress(const char* key)
{
    return QUrl(QStringLiteral(ZENTHRA_SITE "/zenthra/ssd.php?page=") + QLatin1String(key));
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class ModHelpTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        opened_.clear();
        modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
    }

    void cleanup() { modHelp::setPageOpener({}); }

    void eachOperationOpensItsPage_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("pageKey");
        const std::pair<Operation, const char*> rows[] = {
            {modHelp::OpenHomePage, "home-page"},
            {modHelp::OpenHelpPage, "help-web-page"},
            {modHelp::OpenDownloadPage, "download-web-page"},
            {modHelp::OpenDonatePage, "donate"},
            {modHelp::OpenFullBrandPage, "fully-branded"},
            {modHelp::OpenCoBrandPage, "co-brand"}};
        for (const auto& [operation, key] : rows)
            QTest::newRow(key) << operation << QString::fromLatin1(key);
    }

    void eachOperationOpensItsPage()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, pageKey);
        QVERIFY(QApplication::topLevelWidgets().isEmpty()); // no window needed
        operation();
        operation(); // a second click opens the page again; nothing guards against it
        const QUrl page = expectedAddress(qPrintable(pageKey));
        QCOMPARE(opened_, QList<QUrl>({page, page}));
        QCOMPARE(modHelp::pageAddress(qPrintable(pageKey)), page);
    }

    void defaultOpenerGoesToTheDesktop()
    {
        modHelp::setPageOpener({});
        zenthra::test::BrowserStandIn browser;
        const QString scheme = expectedAddress("donate").scheme();
        QDesktopServices::setUrlHandler(scheme, &browser, "open");
        modHelp::OpenDonatePage();
        modHelp::OpenHelpPage();
        QDesktopServices::unsetUrlHandler(scheme);
        QVERIFY(opened_.isEmpty());
        QCOMPARE(browser.opened,
                 QList<QUrl>({expectedAddress("donate"), expectedAddress("help-web-page")}));
    }

    void replacingTheOpenerDuringACallIsSafe()
    {
        // An opener that replaces itself while it runs must finish its own call.
        int calls = 0;
        modHelp::setPageOpener([&calls](const QUrl&) {
            ++calls;
            modHelp::setPageOpener([](const QUrl&) {});
        });
        modHelp::OpenHomePage();
        modHelp::OpenHomePage();
        QCOMPARE(calls, 1);
    }

private:
    QList<QUrl> opened_;
};

QTEST_MAIN(ModHelpTest)
#include "mod_help_test.moc"
