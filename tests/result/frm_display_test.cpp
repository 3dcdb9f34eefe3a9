// SPDX-License-Identifier: GPL-3.0-or-later
// The result window: its design-time contents, filling it from each row,
// its layout, and every way out of it.
#include "modal_watcher.h"
#include "result/expected_signs.h"
#include "result/frm_display.h"
#include "result/result_labels.h"
#include "result/sign_image_list.h"
#include "ui/link_label.h"

#include "links/mod_help.h"
#include "ui/save_names.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>

using namespace zenthra;
using testdata::ExpectedSign;
using testdata::kExpectedSigns;
using zenthra::test::child;

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
QImage imageOf(const QLabel* label)
{
    return label->pixmap().toImage();
}

// The eleven value labels with their caption label: a placeholder ("lbl" and
// the caption) until the first fill, then the row's item.
const struct ValueLabel {
    const char* label;
    const char* ExpectedSign::*item;
    const char* caption;
    const char* placeholder;
} kValueLabels[] = {
    {"lblYourRisingSign", &ExpectedSign::name, "Label18", "lblYour Rising Sign"},
    {"lblYourElement", &ExpectedSign::element, "Label15", "lblYour Element"},
    {"lblYourLuckyDays", &ExpectedSign::luckyDays, "Label12", "lblYour Lucky Days"},
    {"lblYourSignColor", &ExpectedSign::signColor, "Label14", "lblYour Sign Color"},
    {"lblYourSymbol", &ExpectedSign::symbol, "Label16", "lblYour Symbol"},
    {"lblYourTypeofSign", &ExpectedSign::typeOfSign, "Label13", "lblYour Type of Sign"},
    {"lblYourLuckyDirection", &ExpectedSign::luckyDirection, "Label10", "lblYour Lucky Direction"},
    {"lblYourLuckyColors", &ExpectedSign::luckyColors, "Label9", "lblYour Lucky Colors"},
    {"lblYourLuckyGemstone", &ExpectedSign::luckyGemstone, "Label8", "lblYour Lucky Gemstone"},
    {"lblYourRulingPlanet", &ExpectedSign::rulingPlanet, "Label17", "lblYour Ruling Planet"},
    {"lblYourLuckyNumbers", &ExpectedSign::luckyNumbers, "Label11", "lblYour Lucky Numbers"},
};

// The five text boxes with their caption label, and the long text each must hold.
const struct LongBox {
    const char* box;
    testdata::LongText ExpectedSign::*text;
    const char* caption;
    const char* captionText;
} kLongBoxes[] = {
    {"txtYourNature", &ExpectedSign::nature, "Label6", "Your Nature"},
    {"txtYourLooks", &ExpectedSign::looks, "Label7", "Your Looks"},
    {"txtYourHealth", &ExpectedSign::health, "Label2", "Your Health"},
    {"txtYourLoveandDomesticLife", &ExpectedSign::love, "Label4", "Your Love and Domestic Life"},
    {"txtYourCareerandFinance", &ExpectedSign::career, "Label5", "Your Career and Finance"},
};

// Every way out of the window: those that end the program, then those that go back.
const struct WayOut {
    const char* name;
    bool exits;
    void (*take)(FrmDisplay&);
} kWaysOut[] = {
    {"cmdExit", true,
     [](FrmDisplay& f) { QTest::mouseClick(child<QPushButton>(f, "cmdExit"), Qt::LeftButton); }},
    {"mnuExit", true, [](FrmDisplay& f) { child<QAction>(f, "mnuExit")->trigger(); }},
    {"Esc", true, [](FrmDisplay& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
    {"Esc in text box", true,
     [](FrmDisplay& f) {
         QTest::keyClick(child<QPlainTextEdit>(f, "txtYourHealth"), Qt::Key_Escape);
     }},
    {"Enter", true,
     [](FrmDisplay& f) {
         f.setFocus();
         QTest::keyClick(&f, Qt::Key_Return);
     }},
    {"close box", true, [](FrmDisplay& f) { QVERIFY(f.close()); }},
    {"cmdBack", false,
     [](FrmDisplay& f) { QTest::mouseClick(child<QPushButton>(f, "cmdBack"), Qt::LeftButton); }},
    {"mnuFileBack", false, [](FrmDisplay& f) { child<QAction>(f, "mnuFileBack")->trigger(); }},
    {"Alt+B", false, [](FrmDisplay& f) { QTest::keyClick(&f, Qt::Key_B, Qt::AltModifier); }},
    {"Enter on Back", false,
     [](FrmDisplay& f) {
         child<QPushButton>(f, "cmdBack")->setFocus();
         QTest::keyClick(child<QPushButton>(f, "cmdBack"), Qt::Key_Return);
     }},
};

// All seventeen filled properties of a window, for comparing whole states.
QStringList filledTexts(const FrmDisplay& form)
{
    QStringList texts;
    for (const ValueLabel& value : kValueLabels)
        texts << child<AutoSizeLabel>(form, value.label)->text();
    for (const LongBox& entry : kLongBoxes)
        texts << child<QPlainTextEdit>(form, entry.box)->toPlainText();
    return texts;
}

} // namespace

class FrmDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (!images_)
            images_ = new SignImageList;
        shutdowns_ = 0;
        opened_.clear();
        setProcessEnder([this] { ++shutdowns_; });
        modHelp::setPageOpener([this](const QUrl& url) { opened_ << url; });
        QVERIFY(makeShown()); // every test starts from a fresh window, shown
    }

    void cleanupTestCase()
    {
        delete images_;
        images_ = nullptr;
    }

    void cleanup()
    {
        delete form_.data(); // windows delete themselves on close; it may be gone
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setProcessEnder({});
        modHelp::setPageOpener({});
    }

    void freshWindowShowsDesignTimeContents()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Zenthra v1.35"));
        for (const ValueLabel& value : kValueLabels) {
            QCOMPARE(child<AutoSizeLabel>(*form_, value.label)->text(), text(value.placeholder));
            auto* caption = form_->findChild<QLabel*>(value.caption);
            QVERIFY2(caption && "lbl" + caption->text() == value.placeholder, value.caption);
        }
        for (const LongBox& entry : kLongBoxes) {
            QVERIFY(child<QPlainTextEdit>(*form_, entry.box)->toPlainText().isEmpty());
            auto* caption = form_->findChild<QLabel*>(entry.caption);
            QVERIFY2(caption && caption->text() == entry.captionText, entry.caption);
        }
        QCOMPARE(imageOf(child<QLabel>(*form_, "picSign")),
                 images_->picture(11).toImage()); // Aquarius
        QCOMPARE(child<LinkLabel>(*form_, "lblFullBrand")->text(),
                 QStringLiteral(
                     "Home Business Opportunity. Start your own Internet business and make money "
                     "online. Get this software fully branded for your website. Click here for "
                     "more details."));
        QCOMPARE(child<QPushButton>(*form_, "cmdExit")->text(), QStringLiteral("&Exit"));
        QCOMPARE(child<QPushButton>(*form_, "cmdBack")->text(), QStringLiteral("&Back"));
        QVERIFY(!child<QAction>(*form_, "mnuMakeMoneyOnline")->isEnabled());
        child<QPushButton>(*form_, "cmdBack")
            ->setFocus(); // Back comes before Exit in the tab order
        QTest::keyClick(child<QPushButton>(*form_, "cmdBack"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(child<QPushButton>(*form_, "cmdExit")));

        // The look, in brief: the bands' colours and a sample of fonts.
        QCOMPARE(child<QWidget>(*form_, "topBanner")->palette().color(QPalette::Window),
                 QColor(0x67, 0x0A, 0x23));
        QCOMPARE(child<QWidget>(*form_, "mainArea")->palette().color(QPalette::Window),
                 QColor(0x42, 0xAE, 0xC1));
        const std::tuple<QWidget*, double, bool> fonts[] = {
            {child<QLabel>(*form_, "Label18"), 8.25, true},
            {child<AutoSizeLabel>(*form_, "lblYourElement"), 8.25, false},
            {child<AutoSizeLabel>(*form_, "lblYourRisingSign"), 9, true},
            {child<QPushButton>(*form_, "cmdExit"), 8.25, true}};
        for (const auto& [widget, points, bold] : fonts)
            QVERIFY2(widget->font().families().value(0) == "Verdana" &&
                         widget->font().pointSizeF() == points && widget->font().bold() == bold,
                     qPrintable(widget->objectName()));
    }

    void fillsEveryRowWithoutClipping_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 1; row <= 12; ++row)
            QTest::newRow(kExpectedSigns[row - 1].code) << row;
    }

    void fillsEveryRowWithoutClipping()
    {
        QFETCH(int, row);
        const ExpectedSign& want = kExpectedSigns[row - 1];
        QVERIFY(form_->showSign(row, *images_));
        for (const ValueLabel& value : kValueLabels)
            QCOMPARE(child<AutoSizeLabel>(*form_, value.label)->text(), text(want.*value.item));
        for (const LongBox& entry : kLongBoxes) {
            const QString got = child<QPlainTextEdit>(*form_, entry.box)->toPlainText();
            const testdata::LongText& expected = want.*entry.text;
            QVERIFY2(got.size() == expected.length && got.startsWith(text(expected.opening)),
                     qPrintable(child<QPlainTextEdit>(*form_, entry.box)->objectName()));
        }
        QCOMPARE(imageOf(child<QLabel>(*form_, "picSign")), images_->picture(row).toImage());

        // With the longest chart facts too, no label is clipped, leaves the main
        // area, covers the picture or overlaps another.
        form_->showChartFacts(
            QString::fromUtf8("Ascendant 29\u00B0 59' 59\" Sagittarius"),
            QStringLiteral("for 30 September 2050, 23:59 UT"),
            QStringLiteral("Near the cusp: born 10 minutes earlier, the rising sign "
                           "would be Sagittarius."));
        QRect picture(QPoint(), child<QLabel>(*form_, "picSign")->pixmap().size());
        picture.moveCenter(child<QLabel>(*form_, "picSign")->geometry().center());
        // The sign's name stays centred on its design box.
        const double nameCentre = child<AutoSizeLabel>(*form_, "lblYourRisingSign")->x() +
                                  child<AutoSizeLabel>(*form_, "lblYourRisingSign")->width() / 2.0;
        QVERIFY2(qAbs(nameCentre - 351.0) <= 1.0, qPrintable(QString::number(nameCentre)));

        QList<QLabel*> labels = child<QWidget>(*form_, "mainArea")->findChildren<QLabel*>();
        labels.removeOne(child<QLabel>(*form_, "picSign"));
        for (QLabel* label : labels) {
            const QString name = label->objectName();
            const QSize needed = label->wordWrap()
                                     ? QSize(label->width(), label->heightForWidth(label->width()))
                                     : label->sizeHint();
            QVERIFY2(label->size().expandedTo(needed) == label->size(),
                     qPrintable(name + " is clipped"));
            QVERIFY2(child<QWidget>(*form_, "mainArea")->rect().contains(label->geometry()),
                     qPrintable(name));
            QVERIFY2(!label->geometry().intersects(picture),
                     qPrintable(name + " covers the picture"));
            for (QLabel* other : labels)
                QVERIFY2(other == label || !label->geometry().intersects(other->geometry()),
                         qPrintable(name + " overlaps " + other->objectName()));
        }
    }

    void refillReplacesEverything()
    {
        QVERIFY(form_->showSign(7, *images_));
        const QStringList libra = filledTexts(*form_);
        for (int row : {0, 13, -1}) // rows outside the table change nothing
            QVERIFY(!form_->showSign(row, *images_));
        QCOMPARE(filledTexts(*form_), libra);
        QCOMPARE(imageOf(child<QLabel>(*form_, "picSign")), images_->picture(7).toImage());

        QVERIFY(form_->showSign(5, *images_));
        FrmDisplay leoOnly;
        QVERIFY(leoOnly.showSign(5, *images_));
        const QStringList leo = filledTexts(leoOnly);
        QCOMPARE(filledTexts(*form_), leo);
        QCOMPARE(imageOf(child<QLabel>(*form_, "picSign")), images_->picture(5).toImage());
        for (int i = 0; i < leo.size(); ++i) // every value differs, so none can survive unseen
            QVERIFY2(libra[i] != leo[i], qPrintable(leo[i]));
    }

    void textBoxesAreReadOnlyAndScroll()
    {
        QVERIFY(form_->showSign(1, *images_)); // Aries nature, the longest text
        for (const LongBox& entry : kLongBoxes) {
            QPlainTextEdit* box = child<QPlainTextEdit>(*form_, entry.box);
            const QString before = box->toPlainText();
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("typed over"));
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Return); // a text box keeps Enter: no exit
            QCOMPARE(box->toPlainText(), before);
        }
        QVERIFY(shutdowns_ == 0 && form_->isVisible());
        QVERIFY(child<QPlainTextEdit>(*form_, "txtYourNature")->verticalScrollBar()->isVisible());
        QVERIFY(child<QPlainTextEdit>(*form_, "txtYourNature")->verticalScrollBar()->maximum() > 0);
        QVERIFY(
            !child<QPlainTextEdit>(*form_, "txtYourNature")->horizontalScrollBar()->isVisible());
    }

    void geometry()
    {
        QCOMPARE(form_->centralWidget()->size(), QSize(697, 545));
        QCOMPARE(form_->minimumSize(), form_->maximumSize()); // a fixed frame
        QVERIFY(!(form_->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Twips from the layout, 15 to a pixel, relative to their band.
        const std::pair<QWidget*, QRect> placed[] = {
            {child<QLabel>(*form_, "picSign"), {247, 56, 202, 202}}, // 3712, 840, 3030, 3030
            {child<QPlainTextEdit>(*form_, "txtYourNature"),
             {352, 368, 337, 65}},                                        // 5280, 5520, 5055, 975
            {child<QPushButton>(*form_, "cmdExit"), {512, 16, 84, 31}},   // 7680, 240, 1260, 465
            {child<QPushButton>(*form_, "cmdBack"), {605, 16, 84, 31}},   // 9080, 240, 1260, 465
            {child<LinkLabel>(*form_, "lblFullBrand"), {8, 11, 415, 41}}, // 120, 165, 6225, 615
        };
        for (const auto& [widget, at] : placed)
            QCOMPARE(widget->geometry(), at);
        QCOMPARE(child<AutoSizeLabel>(*form_, "lblYourLuckyGemstone")->pos(),
                 QPoint(507, 143)); // 7612, 2144
        // Where the user clicks, the full-brand label lies on top of the co-brand one.
        QCOMPARE(child<QWidget>(*form_, "bottomStrip")
                     ->childAt(child<LinkLabel>(*form_, "lblCobrand")->geometry().center()),
                 static_cast<QWidget*>(child<LinkLabel>(*form_, "lblFullBrand")));
        // Centred on the screen; the frame's unknown thickness gives some slack.
        const QPoint offset = form_->frameGeometry().center() -
                              QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 8,
                 qPrintable(QString::number(offset.manhattanLength())));
    }

    void chartFactsShowAndHide()
    {
        QVERIFY(
            child<StatusLabel>(*form_, "lblAscendant")->text().isEmpty()); // nothing computed yet
        form_->showChartFacts(QStringLiteral("Ascendant A"), QStringLiteral("for T"),
                              QStringLiteral("Near"));
        QCOMPARE(child<StatusLabel>(*form_, "lblAscendant")->text(),
                 QStringLiteral("Ascendant A\nfor T"));
        QVERIFY(child<StatusLabel>(*form_, "lblCuspNote")->isVisible());
        form_->showChartFacts(QStringLiteral("Ascendant B"), QStringLiteral("for U"), QString());
        QCOMPARE(child<StatusLabel>(*form_, "lblAscendant")->text(),
                 QStringLiteral("Ascendant B\nfor U"));
        QVERIFY(!child<StatusLabel>(*form_, "lblCuspNote")->isVisible());
    }

    void waysOut_data()
    {
        QTest::addColumn<int>("way");
        for (int way = 0; way < int(std::size(kWaysOut)); ++way)
            QTest::newRow(kWaysOut[way].name) << way;
    }

    void waysOut()
    {
        QFETCH(int, way);
        const bool exits = kWaysOut[way].exits;
        QVERIFY(form_->showSign(4, *images_));
        QSignalSpy back(form_.data(), &FrmDisplay::backRequested);
        QSignalSpy destroyed(form_.data(), &QObject::destroyed);
        kWaysOut[way].take(*form_);
        // A mnemonic presses the button visibly first, so its click comes from the event loop.
        if (!exits && back.isEmpty())
            QVERIFY(back.wait());
        QCOMPARE(shutdowns_, exits ? 1 : 0);
        QCOMPARE(back.count(), exits ? 0 : 1);
        QVERIFY(!form_->isVisible());
        if (exits)
            return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(destroyed.count(), 1); // the window is discarded
        QVERIFY(makeShown());           // and the next one starts afresh
        QCOMPARE(child<AutoSizeLabel>(*form_, "lblYourRisingSign")->text(),
                 QStringLiteral("lblYour Rising Sign"));
        QCOMPARE(imageOf(child<QLabel>(*form_, "picSign")), images_->picture(11).toImage());
    }

    void linksOpenTheirPages_data()
    {
        QTest::addColumn<QString>("control"); // a menu entry or a clickable label
        QTest::addColumn<QString>("pageKey");
        const char* rows[][2] = {
            {"mnuOnline", "help-web-page"},     {"mnuVisit", "home-page"},
            {"mnuUpdate", "download-web-page"}, {"mnuDonate", "donate"},
            {"Label61", "home-page"},           {"lblFullBrand", "fully-branded"},
            {"lblCobrand", "co-brand"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void linksOpenTheirPages()
    {
        QFETCH(QString, control);
        QFETCH(QString, pageKey);
        for (int click = 0; click < 2; ++click) { // nothing guards against a second click
            if (auto* action = form_->findChild<QAction*>(control))
                action->trigger();
            else if (auto* label = form_->findChild<QLabel*>(control))
                QTest::mouseClick(label, Qt::LeftButton);
            else
                QFAIL(qPrintable(control));
        }
        const QUrl page = modHelp::pageAddress(qPrintable(pageKey));
        QCOMPARE(opened_, QList<QUrl>({page, page}));
        QCOMPARE(shutdowns_, 0);
    }

    void aboutOpensModallyAndReturns()
    {
        QVERIFY(form_->showSign(12, *images_));
        QWidget* parent = nullptr;
        test::ModalWatcher watcher([&](QWidget* modal) {
            parent = modal->parentWidget();
            modal->close();
        });
        child<QAction>(*form_, "mnuAbout")->trigger(); // returns once the about window is closed
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().className, QStringLiteral("zenthra::FrmAbout"));
        QCOMPARE(parent, static_cast<QWidget*>(form_.data()));
        QVERIFY(!form_.isNull() && form_->isVisible());
        QCOMPARE(child<AutoSizeLabel>(*form_, "lblYourRisingSign")->text(),
                 QStringLiteral("Pisces"));
        QCOMPARE(shutdowns_, 0);
    }

    void saveNamesAndFolders()
    {
        const struct {
            const char *person, *what, *base;
        } names[] = {
            {"ASHA", "", "ASHA - Gemini"},
            {"  ", "", "Gemini"},
            {"ASHA", "wheel", "ASHA - Gemini wheel"},
            {"A/B\\C: \"D\" <E>|*?", "", "A_B_C_ _D_ _E____ - Gemini"},
            {"..RAVI\nK", "", "RAVI K - Gemini"},
        };
        for (const auto& n : names)
            QCOMPARE(resultFileBase(n.person, QStringLiteral("Gemini"), n.what), n.base);
        // A home of this test: pictures go to Pictures once it exists, else Documents.
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        QDir(home.path()).mkpath(QStringLiteral("Documents"));
        const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        QCOMPARE(proposedSavePath(QStringLiteral("ASHA - Gemini"), QStringLiteral("png")),
                 documents.filePath(QStringLiteral("ASHA - Gemini.png")));
        QDir(home.path()).mkpath(QStringLiteral("Pictures"));
        QCOMPARE(QFileInfo(proposedSavePath(QStringLiteral("x"), QStringLiteral("png"))).dir(),
                 QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
        QCOMPARE(QFileInfo(proposedSavePath(QStringLiteral("x"), QStringLiteral("pdf"))).dir(),
                 documents);
    }

    void savesSayWhereTheyWent()
    {
        ResultPage page;
        page.row = 3;
        page.personName = QStringLiteral("ASHA");
        form_->setResultPage(page);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("ASHA - Gemini.pdf"));
        const QString png = dir.filePath(QStringLiteral("ASHA - Gemini.png"));
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        QFile earlier(pdf); // overwritten
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        QPrinter printer;
        printer.setOutputFileName(printed); // written beside it and renamed
        const auto said = [this](bool saved) {
            return saved ? form_->statusBar()->currentMessage() : QStringLiteral("failed");
        };
        QCOMPARE(said(form_->savePdfTo(pdf)), QStringLiteral("Saved as ") + pdf);
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(said(form_->saveImageTo(png)), QStringLiteral("Saved as ") + png);
        QCOMPARE(said(form_->printTo(printer)), QStringLiteral("Saved as ") + printed);
        QCOMPARE(printer.outputFileName(), printed);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);

        // A folder that is not there: said, and nothing claimed.
        form_->statusBar()->clearMessage();
        printer.setOutputFileName(dir.filePath(QStringLiteral("missing/printed.pdf")));
        test::ModalWatcher watcher;
        QVERIFY(!form_->printTo(printer));
        QVERIFY(!form_->savePdfTo(dir.filePath(QStringLiteral("missing/a.pdf"))));
        QCOMPARE(watcher.seen().size(), 2);
        QVERIFY(watcher.seen().first().text.contains(QStringLiteral("missing/printed.pdf")));
        QVERIFY(form_->statusBar()->currentMessage().isEmpty());
    }

private:
    bool makeShown()
    {
        form_ = new FrmDisplay;
        form_->show();
        form_->activateWindow();
        return QTest::qWaitForWindowActive(form_.data());
    }

    SignImageList* images_ = nullptr;
    QPointer<FrmDisplay> form_;
    int shutdowns_ = 0;
    QList<QUrl> opened_;
};

QTEST_MAIN(FrmDisplayTest)
#include "frm_display_test.moc"
