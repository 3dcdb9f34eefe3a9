// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: its names and captions, its two links, and closing it.
#include "links/frm_about.h"
#include "links/mod_help.h"
#include "modal_watcher.h"
#include "widget_access.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace zenthra;
using zenthra::test::child;

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        opened_.clear();
        modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
    }

    void cleanup()
    {
        modHelp::setPageOpener({});
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void namesAndCaptions()
    {
        FrmAbout about;
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("Zenthra v1.35"));
        const char* captions[][2] = {
            {"Label2", "Zenthra v1.35"},
            {"Label6", "Home Business Opportunity. Start your own Internet business and make money "
                       "online. Get this software fully branded for your website."},
            {"Label5", "Click here for more details"},
            {"cmdOK", "&OK"}};
        for (const auto& [name, caption] : captions) {
            auto* widget = about.findChild<QWidget*>(name);
            const QString got = widget ? widget->property("text").toString() : QString();
            QVERIFY2(got == caption, name);
        }
        const QString given = QStringLiteral(
            "Zenthra calculates your rising sign or ascendant based on Western astrology "
            "concepts. The rising sign describes the personality that you present to the world. ");
        QVERIFY2(child<QLabel>(about, "Label1")->text().startsWith(given),
                 qPrintable(child<QLabel>(about, "Label1")->text()));
        const QString rights = child<QLabel>(about, "Label1")->text().mid(given.size());
        const QString site = modHelp::pageAddress("home-page").host();
        QVERIFY2(rights.contains(site), qPrintable(rights));
        QCOMPARE(rights.count('.') - site.count('.'), 1); // one sentence
        QVERIFY2(child<QLabel>(about, "lblHomePage")->text().contains(site),
                 qPrintable(child<QLabel>(about, "lblHomePage")->text()));
        // The place data's licences ask for it.
        QVERIFY(child<QLabel>(about, "lblCredits")->text().contains("GeoNames"));
        QVERIFY(child<QLabel>(about, "lblCredits")->text().contains("ODbL"));
        QCOMPARE(child<QFrame>(about, "Line2")->frameShape(), QFrame::HLine);
        QVERIFY(!child<QLabel>(about, "picIcon")->pixmap().isNull());
        for (QWidget* widget : std::initializer_list<QWidget*>{child<QLabel>(about, "Label1"),
                                                               child<QLabel>(about, "lblHomePage"),
                                                               child<QPushButton>(about, "cmdOK")})
            QVERIFY2(widget->font().families().contains("Verdana"),
                     qPrintable(widget->objectName()));

        // A fixed border, and every text fits.
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        for (QLabel* label : {child<QLabel>(about, "Label1"), child<QLabel>(about, "Label6"),
                              child<QLabel>(about, "lblHomePage")})
            QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                     qPrintable(label->objectName()));
    }

    void linksOpenTheirPages_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("pageKey");
        QTest::newRow("Label5") << "Label5"
                                << "fully-branded";
        QTest::newRow("lblHomePage") << "lblHomePage"
                                     << "home-page";
    }

    void linksOpenTheirPages()
    {
        QFETCH(QString, label);
        QFETCH(QString, pageKey);
        FrmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* link = about.findChild<QLabel*>(label);
        QVERIFY(link != nullptr);
        QTest::mouseClick(link, Qt::RightButton); // only a left click follows a link
        QTest::mouseClick(child<QLabel>(about, "Label6"), Qt::LeftButton); // plain text, not a link
        QVERIFY(opened_.isEmpty());

        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::LeftButton);
        const QUrl page = modHelp::pageAddress(qPrintable(pageKey));
        QCOMPARE(opened_, QList<QUrl>({page, page}));
        QVERIFY(about.isVisible()); // following a link leaves the window open
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"OK", "close box", "Esc"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void closing()
    {
        QFETCH(QString, how);
        QWidget caller;
        caller.show();
        QVERIFY(QTest::qWaitForWindowExposed(&caller));
        QPointer<FrmAbout> seen;
        bool wasModal = false;
        test::ModalWatcher watcher([&](QWidget* modal) {
            seen = qobject_cast<FrmAbout*>(modal);
            wasModal = seen && seen->isModal() && seen->parentWidget() == &caller;
            if (!seen || how == "close box")
                modal->close(); // what the window manager's close box does
            else if (how == "OK")
                QTest::mouseClick(child<QPushButton>(*seen, "cmdOK"), Qt::LeftButton);
            else
                QTest::keyClick(seen, Qt::Key_Escape);
        });
        showAboutWindow(&caller); // blocks until the window is closed
        QVERIFY(wasModal);
        QVERIFY(seen.isNull()); // unloaded by the time control returns
        QVERIFY(caller.findChildren<FrmAbout*>().isEmpty());
        QVERIFY(opened_.isEmpty());
    }

    void returnsToTheWindowThatOpenedIt()
    {
        QWidget first;
        QWidget second;
        first.show();
        second.show();
        QList<QWidget*> parents;
        test::ModalWatcher watcher([&](QWidget* modal) {
            parents.append(modal->parentWidget());
            modal->close();
        });
        for (QWidget* caller : {&first, &second, &first})
            showAboutWindow(caller);
        QCOMPARE(parents, (QList<QWidget*>{&first, &second, &first}));
    }

private:
    QList<QUrl> opened_;
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
