// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader and a keyboard user meet in both windows: names, roles,
// descriptions and actions through QAccessible, the tree without hidden
// widgets, the town suggestions, Enter, and windows larger than the screen.
#include "entry/frm_main.h"
#include "entry/place_completer.h"
#include "links/frm_about.h"
#include "links/mod_help.h"
#include "modal_watcher.h"
#include "result/frm_display.h"
#include "ui/app_strings.h"
#include "ui/link_label.h"
#include "ui/screen_fit.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace zenthra;
using zenthra::test::child;

namespace {

// Names of every node under iface that a screen reader can reach.
void collectNames(QAccessibleInterface* iface, QStringList& names)
{
    names << iface->text(QAccessible::Name);
    if (iface->role() == QAccessible::ComboBox)
        return; // thousands of list entries, none of interest here
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            collectNames(child, names);
}

QStringList treeNames(QWidget* window)
{
    QStringList names;
    collectNames(QAccessible::queryAccessibleInterface(window), names);
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<FrmDisplay> display_;
    std::unique_ptr<SignImageList> images_;
    QList<QUrl> opened_;

    using Pick = std::function<QWidget*(AccessibilityTest&)>;

private slots:
    void initTestCase()
    {
        images_ = std::make_unique<SignImageList>();
        modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
        setProcessEnder([] {});
    }

    void init()
    {
        opened_.clear();
        main_ = std::make_unique<FrmMain>();
        main_->show();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        display_ = std::make_unique<FrmDisplay>();
        display_->setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(display_->showSign(3, *images_)); // Gemini
        display_->showChartFacts(QStringLiteral("Ascendant 0° 54' 10\" Gemini"),
                                 QStringLiteral("for 14 August 1947, 18:30 UT"), QString());
    }

    void cleanup()
    {
        display_.reset();
        main_.reset();
    }

    void namesRolesAndDescriptions_data()
    {
        QTest::addColumn<Pick>("pick");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        const QString title = QLatin1String(kProgramTitle);
        const QString banner = QLatin1String(kBannerText);
        const auto row = [](const char* tag, Pick pick, QAccessible::Role role, const QString& name,
                            const QString& description) {
            QTest::newRow(tag) << pick << int(role) << name << description;
        };
        row("main window", [](auto& t) { return t.main_.get(); }, QAccessible::Window, title, {});
        row("result window", [](auto& t) { return t.display_.get(); }, QAccessible::Window, title,
            {});
        const std::pair<const char*, const char*> lists[] = {
            {"cboMonth", "Birth month"}, {"cboDate", "Birth day"},  {"cboYear", "Birth year"},
            {"cboHH", "Birth hour"},     {"cboMM", "Birth minute"}, {"cboSS", "Birth second"},
            {"cmbTimeZone", "Time zone"}};
        for (const auto& [name, words] : lists)
            row(
                name,
                [n = QString::fromLatin1(name)](auto& t) {
                    return t.main_->template findChild<QComboBox*>(n);
                },
                QAccessible::ComboBox, QLatin1String(words), QLatin1String(words));
        row("main banner", [](auto& t) { return child<LinkLabel>(*t.main_, "Label61"); },
            QAccessible::Link, banner, {});
        row("result banner", [](auto& t) { return child<LinkLabel>(*t.display_, "Label61"); },
            QAccessible::Link, banner, {});
        row("result full brand",
            [](auto& t) { return child<LinkLabel>(*t.display_, "lblFullBrand"); },
            QAccessible::Link, QLatin1String(kFullBrandText), {});
        row(
            "ascendant", [](auto& t) { return child<StatusLabel>(*t.display_, "lblAscendant"); },
            QAccessible::StaticText,
            QStringLiteral("Ascendant 0° 54' 10\" Gemini\nfor 14 August 1947, 18:30 UT"),
            QStringLiteral("Ascendant"));
        row("sign picture", [](auto& t) { return child<QLabel>(*t.display_, "picSign"); },
            QAccessible::Graphic, QStringLiteral("Gemini picture"), {});
    }

    void namesRolesAndDescriptions()
    {
        QFETCH(Pick, pick);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QWidget* widget = pick(*this);
        QVERIFY(widget);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
    }

    // The names follow the texts: a new sign, a cusp note, the place time.
    void namesFollowTheirTexts()
    {
        QVERIFY(display_->showSign(9, *images_)); // Sagittarius
        display_->showChartFacts(QStringLiteral("A"), QStringLiteral("T"), QStringLiteral("Near"));
        child<StatusLabel>(*main_, "lblPlaceTime")->setText(QStringLiteral("Pune: UTC+05:30"));
        const std::tuple<QWidget*, QString, QString> rows[] = {
            {child<QLabel>(*display_, "picSign"), QStringLiteral("Sagittarius picture"), QString()},
            {child<StatusLabel>(*display_, "lblCuspNote"), QStringLiteral("Near"),
             QStringLiteral("Cusp note")},
            {child<StatusLabel>(*main_, "lblPlaceTime"), QStringLiteral("Pune: UTC+05:30"),
             QStringLiteral("Place time")}};
        for (const auto& [widget, name, description] : rows) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
            QCOMPARE(iface->text(QAccessible::Name), name);
            QCOMPARE(iface->text(QAccessible::Description), description);
            QVERIFY(treeNames(widget->window()).contains(name));
        }
    }

    // Each banner once, hidden and empty labels not at all.
    void treeHoldsWhatShowsOnce()
    {
        const QStringList mainTree = treeNames(main_.get());
        QCOMPARE(mainTree.count(QLatin1String(kBannerText)), 1); // the shadow is not read
        QCOMPARE(mainTree.count(QLatin1String(kFullBrandText)), 1);
        QCOMPARE(mainTree.count(QLatin1String(kCoBrandText)), 0); // under the full brand
        QVERIFY(child<StatusLabel>(*main_, "lblPlaceTime")->isHidden());
        main_->applyBannerDraw(1);
        QCOMPARE(treeNames(main_.get()).count(QLatin1String(kCoBrandText)),
                 child<LinkLabel>(*main_, "lblCobrand")->isVisible() ? 1 : 0);

        const QStringList resultTree = treeNames(display_.get());
        QCOMPARE(resultTree.count(QLatin1String(kBannerText)), 1);
        QCOMPARE(resultTree.count(QLatin1String(kFullBrandText)), 1);
        QCOMPARE(resultTree.count(QLatin1String(kCoBrandText)), 0);
        QVERIFY(child<StatusLabel>(*display_, "lblCuspNote")->isHidden()); // nothing to say
        QVERIFY(!resultTree.contains(QStringLiteral("Cusp note")));
    }

    // Every link: the press action, Enter and Space each open its page once.
    void linksPressFromKeyboardAndAssistiveTechnology()
    {
        FrmAbout about;
        about.show();
        const std::pair<LinkLabel*, const char*> links[] = {
            {child<LinkLabel>(*main_, "Label61"), "home-page"},
            {child<LinkLabel>(*main_, "lblFullBrand"), "fully-branded"},
            {child<LinkLabel>(*display_, "Label61"), "home-page"},
            {child<LinkLabel>(*display_, "lblFullBrand"), "fully-branded"},
            {static_cast<LinkLabel*>(child<QLabel>(about, "Label5")), "fully-branded"},
            {static_cast<LinkLabel*>(child<QLabel>(about, "lblHomePage")), "home-page"}};
        for (const auto& [link, page] : links) {
            opened_.clear();
            QCOMPARE(QAccessible::queryAccessibleInterface(link)->role(), QAccessible::Link);
            QVERIFY(link->focusPolicy() & Qt::TabFocus);
            QAccessibleActionInterface* actions =
                QAccessible::queryAccessibleInterface(link)->actionInterface();
            QVERIFY(actions);
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
            actions->doAction(QAccessibleActionInterface::pressAction());
            QTest::keyClick(link, Qt::Key_Return);
            QTest::keyClick(link, Qt::Key_Space);
            QCOMPARE(opened_.size(), 3);
            for (const QUrl& url : opened_)
                QCOMPARE(url, modHelp::pageAddress(page));
        }
    }

    void suggestionsAreInTheTreeWhileTheyShow()
    {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(main_.get());
        const int closedCount = window->childCount();
        child<QLineEdit>(*main_, "txtMCity")->setFocus();
        QTest::keyClicks(child<QLineEdit>(*main_, "txtMCity"), QStringLiteral("Delhi"));
        QAbstractItemView* list = child<PlaceCompleter>(*main_, "placeCompleter")->popup();
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(window->childCount(), closedCount + 1);
        QAccessibleInterface* listIface = window->child(closedCount);
        QCOMPARE(listIface->object(), list);
        QCOMPARE(listIface->role(), QAccessible::List);
        QCOMPARE(listIface->childCount(),
                 int(child<PlaceCompleter>(*main_, "placeCompleter")->suggestions().size()));
        QCOMPARE(listIface->child(0)->text(QAccessible::Name),
                 PlaceCompleter::suggestionText(
                     child<PlaceCompleter>(*main_, "placeCompleter")->suggestions().front()));
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(window->childCount(), closedCount);
    }

    // The click that closes the suggestions lands where it was aimed.
    void clickElsewhereClosesSuggestionsAndActs()
    {
        child<QLineEdit>(*main_, "txtMCity")->setFocus();
        QTest::keyClicks(child<QLineEdit>(*main_, "txtMCity"), QStringLiteral("Delhi"));
        QAbstractItemView* list = child<PlaceCompleter>(*main_, "placeCompleter")->popup();
        QTRY_VERIFY(list->isVisible());
        // While the list shows, the window system hands it every click. The
        // list lies over the boxes below the city box; aim above it.
        QLineEdit* name = child<QLineEdit>(*main_, "txtName");
        const QPoint aim = list->mapFromGlobal(name->mapToGlobal(name->rect().center()));
        QTest::mouseClick(list, Qt::LeftButton, {}, aim);
        QVERIFY(!list->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(name));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ADA"));
        QCOMPARE(name->text(), QStringLiteral("ADA"));
        QCOMPARE(child<QLineEdit>(*main_, "txtMCity")->text(), QStringLiteral("Delhi"));
    }

    void enterPressesFind_data()
    {
        QTest::addColumn<Pick>("pick");
        QTest::addColumn<int>("finds");
        QTest::addColumn<int>("lookups");
        QTest::newRow("name") << Pick([](auto& t) { return child<QLineEdit>(*t.main_, "txtName"); })
                              << 1 << 0;
        QTest::newRow("month list")
            << Pick([](auto& t) { return child<QComboBox>(*t.main_, "cboMonth"); }) << 1 << 0;
        QTest::newRow("city") << Pick([](auto& t) {
            return child<QLineEdit>(*t.main_, "txtMCity");
        }) << 1 << 0;
        QTest::newRow("latitude") << Pick([](auto& t) {
            return child<QLineEdit>(*t.main_, "txtLatD");
        }) << 1 << 0;
        QTest::newRow("south") << Pick([](auto& t) {
            return child<QRadioButton>(*t.main_, "optLat_1");
        }) << 1 << 0;
        QTest::newRow("zone list")
            << Pick([](auto& t) { return child<QComboBox>(*t.main_, "cmbTimeZone"); }) << 1 << 0;
        QTest::newRow("daylight saving")
            << Pick([](auto& t) { return child<QCheckBox>(*t.main_, "chkDST"); }) << 1 << 0;
        QTest::newRow("find") << Pick([](auto& t) {
            return child<QPushButton>(*t.main_, "cmdRashi");
        }) << 1 << 0;
        // A focused button takes Enter itself.
        QTest::newRow("lookup button")
            << Pick([](auto& t) { return child<QPushButton>(*t.main_, "cmdBrowser"); }) << 0 << 1;
    }

    void enterPressesFind()
    {
        QFETCH(Pick, pick);
        QFETCH(int, finds);
        QFETCH(int, lookups);
        QSignalSpy find(main_.get(), &FrmMain::calculateRequested);
        QSignalSpy lookup(main_.get(), &FrmMain::placeLookupRequested);
        QWidget* box = pick(*this);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(find.count(), 2 * finds);
        QCOMPARE(lookup.count(), 2 * lookups);
    }

    // An open list or the suggestions take Enter as a pick.
    void enterPicksInOpenLists()
    {
        QSignalSpy find(main_.get(), &FrmMain::calculateRequested);
        child<QComboBox>(*main_, "cboMonth")->setFocus();
        child<QComboBox>(*main_, "cboMonth")->showPopup();
        QAbstractItemView* months = child<QComboBox>(*main_, "cboMonth")->view();
        QTRY_VERIFY(months->isVisible());
        QTest::keyClick(months, Qt::Key_Down);
        QTest::keyClick(months, Qt::Key_Return);
        QTRY_VERIFY(!months->isVisible());
        QCOMPARE(child<QComboBox>(*main_, "cboMonth")->currentIndex(), 1);

        child<QLineEdit>(*main_, "txtMCity")->setFocus();
        QTest::keyClicks(child<QLineEdit>(*main_, "txtMCity"), QStringLiteral("Pune, Ind"));
        QAbstractItemView* list = child<PlaceCompleter>(*main_, "placeCompleter")->popup();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        test::ModalWatcher watcher; // a note on the zone may follow the pick
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(*main_, "txtMState")->text(), QStringLiteral("Maharashtra"));
        QCOMPARE(find.count(), 0);
    }

    // Both windows stay within the screen; what does not fit scrolls, Tab
    // brings the focused control into view. Run again at a large scale factor.
    void windowsFitTheScreen()
    {
        for (QWidget* window :
             {static_cast<QWidget*>(main_.get()), static_cast<QWidget*>(display_.get())}) {
            const QSize room = roomOnScreen(window);
            QVERIFY2(window->width() <= room.width() && window->height() <= room.height(),
                     qPrintable(window->objectName()));
            auto* scroller = window->findChild<QScrollArea*>();
            if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") >= 2)
                QVERIFY2(scroller, qPrintable(window->objectName()));
            if (scroller) { // at its own fixed size, all of it within reach
                QCOMPARE(scroller->focusPolicy(), Qt::NoFocus);
                QCOMPARE(scroller->widget()->size(), scroller->widget()->minimumSize());
                QCOMPARE(scroller->widget()->size(), scroller->widget()->maximumSize());
            }
        }
        if (auto* scroller = main_->findChild<QScrollArea*>()) {
            child<QCheckBox>(*main_, "chkDST")->setFocus();
            QTest::keyClick(child<QCheckBox>(*main_, "chkDST"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(child<QPushButton>(*main_, "cmdRashi")));
            const QRect button(
                child<QPushButton>(*main_, "cmdRashi")->mapTo(scroller->viewport(), QPoint(0, 0)),
                child<QPushButton>(*main_, "cmdRashi")->size());
            QVERIFY(scroller->viewport()->rect().contains(button));
        }
        if (auto* scroller = display_->findChild<QScrollArea*>())
            QCOMPARE(scroller->widget()->size(), QSize(697, 545));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
