// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_strings.h"
#include "links/app_icon.h"
#include "links/frm_about.h"
#include "links/mod_help.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QWidget>

#include <functional>

using namespace zenthra;

namespace {

// Polls for the modal window shown by the code under test and hands it to
// `act` once; stops itself so a failing test cannot leave it running.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> act)
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, act = std::move(act)] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr)
                return;
            timer_.stop();
            act(modal);
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

QString pageKeyOf(const QUrl& url)
{
    return QUrlQuery(url).queryItemValue(QStringLiteral("page"));
}

} // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void iconLoadsFromResources();
    void captionsAndNames();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void linksIgnoreOtherClicks();
    void linksWorkFromTheKeyboard();
    void closing_data();
    void closing();
    void returnsToTheWindowThatOpenedIt();

private:
    QList<QUrl> opened_;
};

void FrmAboutTest::init()
{
    opened_.clear();
    modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
}

void FrmAboutTest::cleanup()
{
    modHelp::setPageOpener({});
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

void FrmAboutTest::iconLoadsFromResources()
{
    const QIcon icon = applicationIcon();
    QVERIFY(!icon.isNull());
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
        QCOMPARE(pixmap.size(), QSize(size, size));
        // The centre lies in the peach sky of the picture, never transparent.
        QCOMPARE(pixmap.toImage().pixelColor(size / 2, size / 2).alpha(), 255);
    }
}

void FrmAboutTest::captionsAndNames()
{
    FrmAbout about;
    QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about.windowTitle(), QStringLiteral("Zenthra v1.35"));
    QCOMPARE(about.windowTitle(), QString::fromLatin1(kProgramTitle));
    QVERIFY(about.isModal());

    QCOMPARE(about.Label2->objectName(), QStringLiteral("Label2"));
    QCOMPARE(about.Label2->text(), QStringLiteral("Zenthra v1.35"));

    QCOMPARE(about.Label1->objectName(), QStringLiteral("Label1"));
    const QString given = QStringLiteral(
        "Zenthra calculates your rising sign or ascendant based on Western astrology "
        "concepts. The rising sign describes the personality that you present to the world. ");
    QVERIFY2(about.Label1->text().startsWith(given), qPrintable(about.Label1->text()));
    const QString rights = about.Label1->text().mid(given.size());
    const QString site = modHelp::pageAddress("home-page").host();
    QVERIFY2(rights.contains(site), qPrintable(rights));
    QVERIFY2(rights.contains(QStringLiteral("GNU General Public License, version 3 or later")),
             qPrintable(rights));
    QCOMPARE(rights.count(QLatin1Char('.')) - site.count(QLatin1Char('.')), 1); // one sentence

    QCOMPARE(about.Line2->objectName(), QStringLiteral("Line2"));
    QCOMPARE(about.Line2->frameShape(), QFrame::HLine);

    QCOMPARE(about.Label6->objectName(), QStringLiteral("Label6"));
    QCOMPARE(about.Label6->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                            "make money online. Get this software fully branded for your "
                            "website."));
    QCOMPARE(about.Label5->objectName(), QStringLiteral("Label5"));
    QCOMPARE(about.Label5->text(), QStringLiteral("Click here for more details"));
    QCOMPARE(about.lblHomePage->objectName(), QStringLiteral("lblHomePage"));
    QVERIFY2(about.lblHomePage->text().contains(site), qPrintable(about.lblHomePage->text()));
    // The city data's licence asks for this credit.
    QVERIFY(about.lblCredits->text().contains(QStringLiteral("GeoNames")));
    QVERIFY(about.lblCredits->text().contains(QStringLiteral("CC BY 4.0")));
    QCOMPARE(about.cmdOK->objectName(), QStringLiteral("cmdOK"));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("&OK"));

    QCOMPARE(about.picIcon->objectName(), QStringLiteral("picIcon"));
    QVERIFY(!about.picIcon->pixmap().isNull());

    for (QWidget* w : std::initializer_list<QWidget*>{about.Label1, about.Label6, about.Label5,
                                                       about.lblHomePage, about.cmdOK}) {
        QVERIFY2(w->font().families().contains(QStringLiteral("Verdana")),
                 qPrintable(w->objectName()));
        QVERIFY2(w->font().families().contains(QStringLiteral("DejaVu Sans")),
                 qPrintable(w->objectName()));
    }

    QCOMPARE(about.Label5->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(about.lblHomePage->cursor().shape(), Qt::PointingHandCursor);

    // Fixed border: the window cannot be resized.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    // Every text fits: nothing is cut off at the bottom of the window.
    for (QLabel* label : {about.Label1, about.Label6, about.lblHomePage})
        QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                 qPrintable(label->objectName()));
}

void FrmAboutTest::linksOpenTheirPages_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("Label5") << "Label5" << "fully-branded";
    QTest::newRow("lblHomePage") << "lblHomePage" << "home-page";
}

void FrmAboutTest::linksOpenTheirPages()
{
    QFETCH(QString, label);
    QFETCH(QString, pageKey);
    FrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* link = about.findChild<QLabel*>(label);
    QVERIFY(link != nullptr);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_.at(0), modHelp::pageAddress(pageKey.toLatin1().constData()));
    QCOMPARE(pageKeyOf(opened_.at(0)), pageKey);

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(opened_.size(), 2);
    // Following a link leaves the about window open.
    QVERIFY(about.isVisible());
}

void FrmAboutTest::linksIgnoreOtherClicks()
{
    FrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.Label5, Qt::RightButton);
    QTest::mouseClick(about.lblHomePage, Qt::MiddleButton);
    QTest::mouseClick(about.Label6, Qt::LeftButton); // plain text, not a link
    // Pressed on the link but let go elsewhere: no click, as with a button.
    QTest::mousePress(about.Label5, Qt::LeftButton);
    QTest::mouseRelease(about.Label5, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(opened_.isEmpty());
}

void FrmAboutTest::linksWorkFromTheKeyboard()
{
    FrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.Label5->focusPolicy() & Qt::TabFocus);
    about.lblHomePage->setFocus();
    QTest::keyClick(about.lblHomePage, Qt::Key_Return);
    QTest::keyClick(about.lblHomePage, Qt::Key_Space);
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(pageKeyOf(opened_.at(0)), QStringLiteral("home-page"));
    // Enter on the link opens the page and does not also press OK.
    QVERIFY(about.isVisible());
}

void FrmAboutTest::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "ok";
    QTest::newRow("close box") << "close";
    QTest::newRow("Esc") << "escape";
}

void FrmAboutTest::closing()
{
    QFETCH(QString, how);
    QWidget caller;
    caller.show();
    QVERIFY(QTest::qWaitForWindowExposed(&caller));

    QPointer<FrmAbout> seen;
    bool wasModal = false;
    ModalWatcher watcher([&](QWidget* modal) {
        seen = qobject_cast<FrmAbout*>(modal);
        if (seen == nullptr) {
            modal->close();
            return;
        }
        wasModal = seen->isModal() && seen->parentWidget() == &caller;
        if (how == QLatin1String("ok"))
            QTest::mouseClick(seen->cmdOK, Qt::LeftButton);
        else if (how == QLatin1String("close"))
            seen->close(); // what the window manager's close box does
        else
            QTest::keyClick(seen, Qt::Key_Escape);
    });

    showAboutWindow(&caller); // blocks until the window is closed
    QVERIFY(wasModal);
    // Unloaded by the time control returns to the caller.
    QVERIFY(seen.isNull());
    QVERIFY(caller.findChildren<FrmAbout*>().isEmpty());
    QVERIFY(opened_.isEmpty());
}

void FrmAboutTest::returnsToTheWindowThatOpenedIt()
{
    // Either of the two windows may open it; each gets control back in turn.
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    QList<QWidget*> parents;
    for (QWidget* caller : {&first, &second, &first}) {
        ModalWatcher watcher([&](QWidget* modal) {
            parents.append(modal->parentWidget());
            modal->close();
        });
        showAboutWindow(caller);
    }
    QCOMPARE(parents, (QList<QWidget*>{&first, &second, &first}));
}

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
