// SPDX-License-Identifier: GPL-3.0-or-later
// The result window: its design-time contents, filling it from each row,
// its geometry, and every way out of it.
#include "result/expected_signs.h"
#include "result/fill_display.h"
#include "result/frm_display.h"
#include "links/link_label.h"
#include "result/result_labels.h"
#include "result/sign_image_list.h"
#include "result/sign_profiles.h"

#include "app/shutdown.h"
#include "links/frm_about.h"
#include "links/mod_help.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace zenthra;
using testdata::kExpectedSigns;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// The eleven value labels with their placeholder and caption.
struct ValueLabel {
    AutoSizeLabel* FrmDisplay::*member;
    const char* placeholder;
    const char* caption;
};
const ValueLabel kValueLabels[] = {
    {&FrmDisplay::lblYourRisingSign, "lblYour Rising Sign", "Your Rising Sign"},
    {&FrmDisplay::lblYourElement, "lblYour Element", "Your Element"},
    {&FrmDisplay::lblYourLuckyDays, "lblYour Lucky Days", "Your Lucky Days"},
    {&FrmDisplay::lblYourSignColor, "lblYour Sign Color", "Your Sign Color"},
    {&FrmDisplay::lblYourSymbol, "lblYour Symbol", "Your Symbol"},
    {&FrmDisplay::lblYourTypeofSign, "lblYour Type of Sign", "Your Type of Sign"},
    {&FrmDisplay::lblYourLuckyDirection, "lblYour Lucky Direction", "Your Lucky Direction"},
    {&FrmDisplay::lblYourLuckyColors, "lblYour Lucky Colors", "Your Lucky Colors"},
    {&FrmDisplay::lblYourLuckyGemstone, "lblYour Lucky Gemstone", "Your Lucky Gemstone"},
    {&FrmDisplay::lblYourRulingPlanet, "lblYour Ruling Planet", "Your Ruling Planet"},
    {&FrmDisplay::lblYourLuckyNumbers, "lblYour Lucky Numbers", "Your Lucky Numbers"},
};

QImage imageOf(const QLabel* label) { return label->pixmap().toImage(); }

// All seventeen filled properties of a window, for comparing whole states.
QStringList filledTexts(const FrmDisplay& form)
{
    QStringList texts;
    for (const ValueLabel& value : kValueLabels)
        texts << (form.*value.member)->text();
    for (const QPlainTextEdit* box : {form.txtYourLooks, form.txtYourNature, form.txtYourCareerandFinance,
                                      form.txtYourLoveandDomesticLife, form.txtYourHealth})
        texts << box->toPlainText();
    return texts;
}

// Runs action while a poller closes the first modal window it finds and
// records its class and parent window.
struct ModalSeen {
    QString className;
    QWidget* parentWindow = nullptr;
};
template <class Action> ModalSeen closingModal(Action action)
{
    ModalSeen seen;
    QTimer poller;
    poller.setInterval(10);
    QObject::connect(&poller, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poller.stop();
        seen.className = QString::fromLatin1(modal->metaObject()->className());
        seen.parentWindow = modal->parentWidget() ? modal->parentWidget()->window() : nullptr;
        modal->close();
    });
    poller.start();
    action();
    poller.stop();
    return seen;
}

} // namespace

class FrmDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void freshWindowShowsDesignTimeContents();
    void fillsEveryRow_data();
    void fillsEveryRow();
    void fillWithRowOutsideTableChangesNothing();
    void leoAfterLibraReplacesEverything();
    void textBoxesAreReadOnly();
    void longTextsScroll();
    void geometry();
    void fontsAndColours();
    void valueLabelsAreNotClippedOrOverlapping_data();
    void valueLabelsAreNotClippedOrOverlapping();
    void accessibleNames();
    void chartFactsShowAndHide();
    void tabOrderAndDefaultButton();
    void exitPaths_data();
    void exitPaths();
    void enterInTextBoxDoesNotExit();
    void backDiscardsWithoutShutdown_data();
    void backDiscardsWithoutShutdown();
    void enterOnFocusedBackGoesBack();
    void menuEntriesOpenTheirPages_data();
    void menuEntriesOpenTheirPages();
    void labelsOpenTheirPages();
    void makeMoneyOnlineIsGreyed();
    void aboutOpensModallyAndReturns();

private:
    FrmDisplay* makeShown();

    SignImageList* images_ = nullptr;
    QPointer<FrmDisplay> form_;
    int shutdowns_ = 0;
    QList<QUrl> opened_;
};

void FrmDisplayTest::init()
{
    if (!images_)
        images_ = new SignImageList;
    shutdowns_ = 0;
    opened_.clear();
    setProcessEnder([this] { ++shutdowns_; });
    modHelp::setPageOpener([this](const QUrl& url) { opened_ << url; });
}

void FrmDisplayTest::cleanup()
{
    // Windows delete themselves on close; the form may already be gone.
    delete form_.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setProcessEnder({});
    modHelp::setPageOpener({});
}

FrmDisplay* FrmDisplayTest::makeShown()
{
    form_ = new FrmDisplay;
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.data()))
        return nullptr;
    return form_.data();
}

void FrmDisplayTest::freshWindowShowsDesignTimeContents()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QCOMPARE(form->objectName(), QStringLiteral("frmDisplay"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Zenthra v1.35"));
    for (const ValueLabel& value : kValueLabels) {
        AutoSizeLabel* label = form->*value.member;
        QCOMPARE(label->text(), text(value.placeholder));
    }
    for (QPlainTextEdit* box : form->findChildren<QPlainTextEdit*>())
        QVERIFY2(box->toPlainText().isEmpty(), qPrintable(box->objectName()));
    QCOMPARE(form->findChildren<QPlainTextEdit*>().size(), 5);
    QCOMPARE(imageOf(form->picSign), images_->picture(11).toImage());
    QCOMPARE(form->picSign->alignment(), Qt::AlignCenter);
    QCOMPARE(form->Label61->text(), form->Label61->text().trimmed());
    QVERIFY(!form->Label61->text().isEmpty());
    QVERIFY(form->lblCobrand->text().startsWith("Co-brand this software for your site."));
    QVERIFY(form->lblCobrand->text().endsWith("Click Here for more info on co-branding."));
    QCOMPARE(form->lblFullBrand->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                            "online. Get this software fully branded for your website. Click here for "
                            "more details."));
    QCOMPARE(form->cmdExit->text(), QStringLiteral("&Exit"));
    QCOMPARE(form->cmdBack->text(), QStringLiteral("&Back"));
    const QStringList captions = {"Your Rising Sign", "Your Element", "Your Lucky Days", "Your Sign Color",
                                  "Your Symbol", "Your Type of Sign", "Your Lucky Direction",
                                  "Your Lucky Colors", "Your Lucky Gemstone", "Your Ruling Planet",
                                  "Your Lucky Numbers", "Your Looks", "Your Love and Domestic Life",
                                  "Your Health", "Your Career and Finance", "Your Nature"};
    const QStringList names = {"Label18", "Label15", "Label12", "Label14", "Label16", "Label13",
                               "Label10", "Label9",  "Label8",  "Label17", "Label11", "Label7",
                               "Label4",  "Label2",  "Label5",  "Label6"};
    for (int i = 0; i < names.size(); ++i) {
        auto* caption = form->findChild<QLabel*>(names[i]);
        QVERIFY2(caption, qPrintable(names[i]));
        QCOMPARE(caption->text(), captions[i]);
    }
}

void FrmDisplayTest::fillsEveryRow_data()
{
    QTest::addColumn<int>("row");
    for (int row = 1; row <= 12; ++row)
        QTest::newRow(kExpectedSigns[row - 1].code) << row;
}

void FrmDisplayTest::fillsEveryRow()
{
    QFETCH(int, row);
    const testdata::ExpectedSign& want = kExpectedSigns[row - 1];
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, row, *images_));

    QCOMPARE(form->lblYourRisingSign->text(), text(want.name));
    QCOMPARE(form->lblYourRulingPlanet->text(), text(want.rulingPlanet));
    QCOMPARE(form->lblYourSymbol->text(), text(want.symbol));
    QCOMPARE(form->lblYourElement->text(), text(want.element));
    QCOMPARE(form->lblYourSignColor->text(), text(want.signColor));
    QCOMPARE(form->lblYourTypeofSign->text(), text(want.typeOfSign));
    QCOMPARE(form->lblYourLuckyDays->text(), text(want.luckyDays));
    QCOMPARE(form->lblYourLuckyNumbers->text(), text(want.luckyNumbers));
    QCOMPARE(form->lblYourLuckyDirection->text(), text(want.luckyDirection));
    QCOMPARE(form->lblYourLuckyColors->text(), text(want.luckyColors));
    QCOMPARE(form->lblYourLuckyGemstone->text(), text(want.luckyGemstone));

    // Each box holds its own paragraph: the lengths tell the five apart.
    const struct {
        QPlainTextEdit* box;
        testdata::LongText want;
    } boxes[] = {{form->txtYourNature, want.nature},
                 {form->txtYourLooks, want.looks},
                 {form->txtYourHealth, want.health},
                 {form->txtYourLoveandDomesticLife, want.love},
                 {form->txtYourCareerandFinance, want.career}};
    for (const auto& entry : boxes) {
        const QString got = entry.box->toPlainText();
        QVERIFY2(got.size() == entry.want.length,
                 qPrintable(QStringLiteral("%1: %2 characters").arg(entry.box->objectName()).arg(got.size())));
        QVERIFY2(got.startsWith(text(entry.want.opening)), qPrintable(entry.box->objectName()));
    }
    QCOMPARE(form->txtYourNature->toPlainText(), signProfile(row).nature);
    QCOMPARE(imageOf(form->picSign), images_->picture(row).toImage());
    QCOMPARE(form->picSign->pixmap().size(), QSize(200, 200));
}

void FrmDisplayTest::fillWithRowOutsideTableChangesNothing()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 3, *images_));
    const QStringList before = filledTexts(*form);
    for (int row : {0, 13, -1}) {
        QVERIFY(!fillDisplay(*form, row, *images_));
        QCOMPARE(filledTexts(*form), before);
        QCOMPARE(imageOf(form->picSign), images_->picture(3).toImage());
    }
}

void FrmDisplayTest::leoAfterLibraReplacesEverything()
{
    FrmDisplay* libraThenLeo = makeShown();
    QVERIFY(libraThenLeo);
    QVERIFY(fillDisplay(*libraThenLeo, 7, *images_));
    const QStringList libra = filledTexts(*libraThenLeo);
    QVERIFY(fillDisplay(*libraThenLeo, 5, *images_));

    FrmDisplay leoOnly;
    QVERIFY(fillDisplay(leoOnly, 5, *images_));
    const QStringList leo = filledTexts(leoOnly);
    QCOMPARE(filledTexts(*libraThenLeo), leo);
    QCOMPARE(imageOf(libraThenLeo->picSign), images_->picture(5).toImage());
    // Every one of Libra's values differs from Leo's, so none can survive unseen.
    for (int i = 0; i < leo.size(); ++i)
        QVERIFY2(libra[i] != leo[i], qPrintable(leo[i]));
}

void FrmDisplayTest::textBoxesAreReadOnly()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 2, *images_));
    for (QPlainTextEdit* box : form->findChildren<QPlainTextEdit*>()) {
        QVERIFY(box->isReadOnly());
        const QString before = box->toPlainText();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("typed over"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->toPlainText(), before);
    }
    QCOMPARE(shutdowns_, 0);
}

void FrmDisplayTest::longTextsScroll()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 1, *images_)); // Aries nature, the longest text
    QScrollBar* bar = form->txtYourNature->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY2(bar->maximum() > 0, "the longest text should need scrolling");
    QCOMPARE(form->txtYourNature->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(!form->txtYourNature->horizontalScrollBar()->isVisible());
}

void FrmDisplayTest::geometry()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QCOMPARE(form->centralWidget()->size(), QSize(697, 545));
    QCOMPARE(form->height(), form->menuBar()->height() + 545);
    QCOMPARE(form->centralWidget()->y(), form->menuBar()->height());
    QCOMPARE(form->minimumSize(), form->maximumSize()); // a fixed frame
    QVERIFY(!(form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);

    // Twips from the layout, 15 to a pixel, relative to the band.
    const struct {
        QWidget* widget;
        QRect at;
    } placed[] = {
        {form->topBanner, {0, 0, 697, 49}},
        {form->mainArea, {0, 48, 697, 441}},
        {form->bottomStrip, {0, 488, 697, 57}},
        {form->picSign, {247, 56, 202, 202}},          // 3712, 840, 3030, 3030
        {form->txtYourLooks, {8, 288, 225, 57}},       // 120, 4320, 3375, 855
        {form->txtYourNature, {352, 368, 337, 65}},    // 5280, 5520, 5055, 975
        {form->cmdExit, {512, 16, 84, 31}},            // 7680, 240, 1260, 465
        {form->cmdBack, {605, 16, 84, 31}},            // 9080, 240, 1260, 465
        {form->lblFullBrand, {8, 11, 415, 41}},        // 120, 165, 6225, 615
        {form->lblCobrand, {8, 11, 415, 41}},
    };
    for (const auto& entry : placed)
        QCOMPARE(entry.widget->geometry(), entry.at);
    // Auto-sized labels keep their left and top edges.
    QCOMPARE(form->lblYourLuckyGemstone->pos(), QPoint(507, 143)); // 7612, 2144
    QCOMPARE(form->Label12->pos(), QPoint(66, 89));                 // 997, 1328
    QCOMPARE(form->Label61->geometry(), QRect(0, 11, 696, 39));     // 0, 160, 10440, 585

    // Centred on the screen when created.
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    // The frame's thickness is unknown until the window is shown, hence the slack.
    const QPoint centre = form->frameGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() <= 8,
             qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
}

void FrmDisplayTest::fontsAndColours()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    const QColor maroon(0x67, 0x0A, 0x23), teal(0x42, 0xAE, 0xC1), peach(0xFF, 0xE0, 0xC0),
        brown(0x80, 0x40, 0x00), darkRed(0x40, 0x00, 0x00);
    QCOMPARE(form->topBanner->palette().color(QPalette::Window), maroon);
    QCOMPARE(form->mainArea->palette().color(QPalette::Window), teal);
    QCOMPARE(form->bottomStrip->palette().color(QPalette::Window), maroon);
    QVERIFY(form->topBanner->autoFillBackground() && form->mainArea->autoFillBackground());

    const struct {
        QWidget* widget;
        double points;
        bool bold;
        QColor colour;
    } fonts[] = {
        {form->Label18, 8.25, true, brown},     {form->Label7, 8.25, true, brown},
        {form->lblYourElement, 8.25, false, darkRed}, {form->lblYourRisingSign, 9, true, darkRed},
        {form->Label61, 9, true, peach},        {form->lblFullBrand, 8.25, true, peach},
        {form->lblCobrand, 8.25, true, peach},  {form->txtYourHealth, 8.25, false, darkRed},
        {form->cmdExit, 8.25, true, QColor()},  {form->cmdBack, 8.25, true, QColor()},
    };
    for (const auto& entry : fonts) {
        const QFont font = entry.widget->font();
        QCOMPARE(font.families().value(0), QStringLiteral("Verdana"));
        QCOMPARE(font.pointSizeF(), entry.points);
        QCOMPARE(font.bold(), entry.bold);
        if (entry.colour.isValid()) {
            const auto role = qobject_cast<QPlainTextEdit*>(entry.widget) ? QPalette::Text : QPalette::WindowText;
            QCOMPARE(entry.widget->palette().color(role), entry.colour);
        }
    }
    QCOMPARE(form->txtYourHealth->palette().color(QPalette::Base), teal);
    QCOMPARE(form->cmdExit->palette().color(QPalette::Button), peach);
    QVERIFY(form->lblFullBrand->wordWrap() && form->lblFullBrand->autoFillBackground());
    QCOMPARE(form->lblFullBrand->palette().color(QPalette::Window), maroon);
    for (QWidget* clickable : {static_cast<QWidget*>(form->Label61), static_cast<QWidget*>(form->lblFullBrand),
                               static_cast<QWidget*>(form->lblCobrand)})
        QCOMPARE(clickable->cursor().shape(), Qt::PointingHandCursor);
}

void FrmDisplayTest::valueLabelsAreNotClippedOrOverlapping_data()
{
    fillsEveryRow_data();
}

void FrmDisplayTest::valueLabelsAreNotClippedOrOverlapping()
{
    QFETCH(int, row);
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, row, *images_));
    // The longest texts the computed facts can take.
    form->showChartFacts(QString::fromUtf8("Ascendant 29\u00B0 59' 59\" Sagittarius"),
                         QStringLiteral("for 30 September 2050, 23:59 UT"),
                         QStringLiteral("Near the cusp: born 10 minutes earlier, the rising sign "
                                        "would be Sagittarius."));
    QVERIFY(form->lblCuspNote->isVisible());
    // The picture itself, centred in its box.
    QRect picture(QPoint(), form->picSign->pixmap().size());
    picture.moveCenter(form->picSign->geometry().center());

    // The sign's name stays centred on its design box (4320, 480, 1890, 210).
    const double nameCentre = form->lblYourRisingSign->x() + form->lblYourRisingSign->width() / 2.0;
    QVERIFY2(qAbs(nameCentre - 351.0) <= 1.0, qPrintable(QString::number(nameCentre)));
    QCOMPARE(form->lblYourRisingSign->y(), 32);

    QList<QLabel*> labels = form->mainArea->findChildren<QLabel*>();
    labels.removeOne(form->picSign);
    for (QLabel* label : labels) {
        const QString name = label->objectName();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        } else {
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(name));
        }
        QVERIFY2(form->mainArea->rect().contains(label->geometry()), qPrintable(name));
        QVERIFY2(!label->geometry().intersects(picture), qPrintable(name + " covers the picture"));
        for (QLabel* other : labels)
            if (other != label)
                QVERIFY2(!label->geometry().intersects(other->geometry()),
                         qPrintable(name + " overlaps " + other->objectName()));
    }
}

void FrmDisplayTest::chartFactsShowAndHide()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(form->lblAscendant->text().isEmpty()); // nothing computed yet
    form->showChartFacts(QStringLiteral("Ascendant A"), QStringLiteral("for T"), QStringLiteral("Near"));
    QCOMPARE(form->lblAscendant->text(), QStringLiteral("Ascendant A\nfor T"));
    QVERIFY(form->lblCuspNote->isVisible());
    form->showChartFacts(QStringLiteral("Ascendant B"), QStringLiteral("for U"), QString());
    QCOMPARE(form->lblAscendant->text(), QStringLiteral("Ascendant B\nfor U"));
    QVERIFY(!form->lblCuspNote->isVisible());
    QCOMPARE(form->lblAscendant->accessibleName(), QStringLiteral("Ascendant"));
    QCOMPARE(form->lblCuspNote->accessibleName(), QStringLiteral("Cusp note"));
}

void FrmDisplayTest::accessibleNames()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 9, *images_));
    for (const ValueLabel& value : kValueLabels) {
        AutoSizeLabel* label = form->*value.member;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(label);
        QVERIFY(access);
        QCOMPARE(access->text(QAccessible::Name), label->text());
        QCOMPARE(access->text(QAccessible::Description), text(value.caption));
    }
    const struct {
        QWidget* widget;
        const char* name;
    } named[] = {{form->txtYourLooks, "Your Looks"},
                 {form->txtYourLoveandDomesticLife, "Your Love and Domestic Life"},
                 {form->txtYourHealth, "Your Health"},
                 {form->txtYourCareerandFinance, "Your Career and Finance"},
                 {form->txtYourNature, "Your Nature"},
                 {form->picSign, "Sign picture"}};
    for (const auto& entry : named)
        QCOMPARE(QAccessible::queryAccessibleInterface(entry.widget)->text(QAccessible::Name), text(entry.name));
}

void FrmDisplayTest::tabOrderAndDefaultButton()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    // What Tab visits, in order, from the first text box on.
    QWidgetList visited;
    form->txtYourLooks->setFocus();
    for (int i = 0; i < 7; ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, QWidgetList({form->txtYourLooks, form->txtYourLoveandDomesticLife, form->txtYourHealth,
                                   form->txtYourCareerandFinance, form->txtYourNature, form->cmdBack,
                                   form->cmdExit}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->txtYourLooks)); // wraps round
    QVERIFY(form->cmdExit->isDefault());
    QVERIFY(!form->cmdBack->isDefault());
}

void FrmDisplayTest::exitPaths_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"cmdExit", "mnuExit", "Esc", "Esc in text box", "Enter", "Enter on Exit",
                            "close box"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void FrmDisplayTest::exitPaths()
{
    QFETCH(QString, how);
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 4, *images_));
    QSignalSpy back(form, &FrmDisplay::backRequested);

    if (how == "cmdExit") {
        QTest::mouseClick(form->cmdExit, Qt::LeftButton);
    } else if (how == "mnuExit") {
        form->mnuExit->trigger();
    } else if (how == "Esc") {
        QTest::keyClick(form, Qt::Key_Escape);
    } else if (how == "Esc in text box") {
        form->txtYourHealth->setFocus();
        QTest::keyClick(form->txtYourHealth, Qt::Key_Escape);
    } else if (how == "Enter") {
        form->setFocus();
        QTest::keyClick(form, Qt::Key_Return);
    } else if (how == "Enter on Exit") {
        form->cmdExit->setFocus();
        QTest::keyClick(form->cmdExit, Qt::Key_Enter, Qt::KeypadModifier);
    } else {
        QVERIFY(form->close());
    }
    QCOMPARE(shutdowns_, 1);
    QCOMPARE(back.count(), 0);
    QVERIFY(!form->isVisible());
}

void FrmDisplayTest::enterInTextBoxDoesNotExit()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 6, *images_));
    const QString before = form->txtYourLooks->toPlainText();
    form->txtYourLooks->setFocus();
    QTest::keyClick(form->txtYourLooks, Qt::Key_Return);
    QCOMPARE(shutdowns_, 0);
    QVERIFY(form->isVisible());
    QCOMPARE(form->txtYourLooks->toPlainText(), before);
}

void FrmDisplayTest::backDiscardsWithoutShutdown_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cmdBack") << QStringLiteral("cmdBack");
    QTest::newRow("mnuFileBack") << QStringLiteral("mnuFileBack");
    QTest::newRow("Alt+B") << QStringLiteral("Alt+B");
}

void FrmDisplayTest::backDiscardsWithoutShutdown()
{
    QFETCH(QString, how);
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QSignalSpy back(form, &FrmDisplay::backRequested);
    QSignalSpy destroyed(form, &QObject::destroyed);
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    if (how == "cmdBack")
        QTest::mouseClick(form->cmdBack, Qt::LeftButton);
    else if (how == "mnuFileBack")
        form->mnuFileBack->trigger();
    else
        QTest::keyClick(form, Qt::Key_B, Qt::AltModifier);
    // A mnemonic presses the button visibly first, so its click comes from the event loop.
    if (back.isEmpty())
        QVERIFY(back.wait());
    QCOMPARE(back.count(), 1);
    QCOMPARE(shutdowns_, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(destroyed.count(), 1);
    QVERIFY(form_.isNull());
    QCOMPARE(quitting.count(), 0);

    // The next window starts from its design-time contents again.
    FrmDisplay* again = makeShown();
    QVERIFY(again);
    QCOMPARE(again->lblYourRisingSign->text(), QStringLiteral("lblYour Rising Sign"));
    QCOMPARE(imageOf(again->picSign), images_->picture(11).toImage());
}

void FrmDisplayTest::enterOnFocusedBackGoesBack()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QSignalSpy back(form, &FrmDisplay::backRequested);
    form->cmdBack->setFocus();
    QTest::keyClick(form->cmdBack, Qt::Key_Return);
    QCOMPARE(back.count(), 1);
    QCOMPARE(shutdowns_, 0);
}

void FrmDisplayTest::menuEntriesOpenTheirPages_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("mnuOnline") << "mnuOnline" << "help-web-page";
    QTest::newRow("mnuVisit") << "mnuVisit" << "home-page";
    QTest::newRow("mnuUpdate") << "mnuUpdate" << "download-web-page";
    QTest::newRow("mnuDonate") << "mnuDonate" << "donate";
}

void FrmDisplayTest::menuEntriesOpenTheirPages()
{
    QFETCH(QString, entry);
    QFETCH(QString, pageKey);
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    auto* action = form->findChild<QAction*>(entry);
    QVERIFY(action);
    action->trigger();
    action->trigger(); // no guard against a second click
    QCOMPARE(opened_, QList<QUrl>({modHelp::pageAddress(qPrintable(pageKey)),
                                   modHelp::pageAddress(qPrintable(pageKey))}));
    QVERIFY(opened_.first().toString().endsWith("/zenthra/ssd.php?page=" + pageKey));
    QCOMPARE(shutdowns_, 0);
}

void FrmDisplayTest::labelsOpenTheirPages()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QTest::mouseClick(form->Label61, Qt::LeftButton);
    QTest::mouseClick(form->lblFullBrand, Qt::LeftButton);
    QTest::mouseClick(form->lblCobrand, Qt::LeftButton);
    QCOMPARE(opened_, QList<QUrl>({modHelp::pageAddress("home-page"), modHelp::pageAddress("fully-branded"),
                                   modHelp::pageAddress("co-brand")}));

    // Where the user clicks, the full-brand label lies on top.
    const QPoint middle = form->lblCobrand->geometry().center();
    QCOMPARE(form->bottomStrip->childAt(middle), static_cast<QWidget*>(form->lblFullBrand));
    // A right click opens nothing.
    opened_.clear();
    QTest::mouseClick(form->lblFullBrand, Qt::RightButton);
    QVERIFY(opened_.isEmpty());
}

void FrmDisplayTest::makeMoneyOnlineIsGreyed()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QAction* entry = form->mnuMakeMoneyOnline;
    QCOMPARE(entry->text(), QStringLiteral("Make Money &Online"));
    QVERIFY(!entry->isEnabled());
    QVERIFY(entry->isVisible());
    QVERIFY(form->menuBar()->actions().contains(entry));
    QVERIFY(form->menuBar()->actionGeometry(entry).isValid());
    QVERIFY(!entry->menu());

    // The menu bar as designed: File, Help, Donate, Make Money Online.
    QStringList bar;
    for (QAction* action : form->menuBar()->actions())
        bar << action->text();
    QCOMPARE(bar, QStringList({"&File", "&Help", "&Donate", "Make Money &Online"}));
    QStringList help;
    for (QAction* action : form->helpMenu->actions())
        help << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(help, QStringList({"&Online Help", "&Visit Us Online", "-", "&Check for Software Update", "-",
                                "&About Software"}));
    QStringList file;
    for (QAction* action : form->fileMenu->actions())
        file << action->objectName() + "=" + action->text();
    QCOMPARE(file, QStringList({"mnuFileBack=&Back", "mnuExit=E&xit"}));
}

void FrmDisplayTest::aboutOpensModallyAndReturns()
{
    FrmDisplay* form = makeShown();
    QVERIFY(form);
    QVERIFY(fillDisplay(*form, 12, *images_));
    const ModalSeen seen = closingModal([&] { form->mnuAbout->trigger(); });
    QCOMPARE(seen.className, QStringLiteral("zenthra::FrmAbout"));
    QCOMPARE(seen.parentWindow, static_cast<QWidget*>(form));
    QVERIFY(!form_.isNull());
    QVERIFY(form->isVisible());
    QCOMPARE(form->lblYourRisingSign->text(), QStringLiteral("Pisces"));
    QCOMPARE(shutdowns_, 0);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(FrmDisplayTest)
#include "frm_display_test.moc"
