// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "result/result_page.h"
#include "ui/status_label.h"

#include "engine/sky_positions.h"
#include "wheel/frm_wheel.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace zenthra {

class AutoSizeLabel;
class LinkLabel;
class SignImageList;

// The result window: one sign's profile, filled by showSign. A fresh window
// shows the placeholders, empty text boxes and the Aquarius picture.
//
// Back (button or File menu) closes and deletes the window, then emits
// backRequested so the owner can show the main window again; it does not end
// the program. Exit, Esc, Enter outside a text box, and the close box end the
// program through shutdownProgram(). Its widgets are its own: others go
// through the values and signals below.
class FrmDisplay : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmDisplay(QWidget* parent = nullptr);

    // Writes profile row 1 (Aries) .. 12 (Pisces) into the window: the
    // sign's name, the five texts, the ten other facts and the picture, in
    // that order. Nothing is cleared first and nothing else is touched. A row
    // outside 1..12 changes nothing and gives false.
    bool showSign(int row, const SignImageList& images);

    // Shows the ascendant's position and time, and the cusp note (hidden
    // when empty). The ascendant line says when the birth time was taken from
    // the main window's day strip.
    void showChartFacts(const QString& ascendant, const QString& time, const QString& cuspNote,
                        bool timeFromDayStrip = false);

    // Whose chart it is, above the facts (hidden when empty).
    void showPerson(const QString& name);

    // The Sun, the Moon and the rising sign: the line under the window and
    // what the chart wheel draws. caption names the birth on the wheel.
    // zodiac, when sidereal, follows the big three for screen readers, the
    // line itself having no room for it.
    void showSky(double ascendant, const SunAndMoon& sky, const QString& bigThree,
                 const QString& caption, const QString& zodiac = QString());

    // The chart wheel window while it is open.
    FrmWheel* wheelWindow() const { return wheel_; }

    // What "Save as PDF…" and "Print…" put on the page: the sign, the person
    // and the birth, and what was computed. Until a page with a sign is set,
    // those entries are unavailable.
    void setResultPage(const ResultPage& page);
    const ResultPage& resultPage() const { return page_; }
    // Write the page as a PDF, or the window as a PNG picture; a failure is
    // reported to the user and gives false.
    bool savePdfTo(const QString& path);
    bool saveImageTo(const QString& path);
    // Prints the page; a printer that prints to a PDF file writes it beside
    // that file first and renames it at the end. A failure is reported.
    bool printTo(QPrinter& printer);

signals:
    // Emitted after Back has closed this window (it is deleted later).
    void backRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The widgets carry their names as objectName too, for tests and
    // screen readers. The three bands of the client area, top to bottom:
    QWidget* topBanner = nullptr;
    QWidget* mainArea = nullptr;
    QWidget* bottomStrip = nullptr;

    LinkLabel* Label61 = nullptr;

    QLabel* Label18 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label11 = nullptr;

    AutoSizeLabel* lblYourRisingSign = nullptr;
    AutoSizeLabel* lblYourElement = nullptr;
    AutoSizeLabel* lblYourLuckyDays = nullptr;
    AutoSizeLabel* lblYourSignColor = nullptr;
    AutoSizeLabel* lblYourSymbol = nullptr;
    AutoSizeLabel* lblYourTypeofSign = nullptr;
    AutoSizeLabel* lblYourLuckyDirection = nullptr;
    AutoSizeLabel* lblYourLuckyColors = nullptr;
    AutoSizeLabel* lblYourLuckyGemstone = nullptr;
    AutoSizeLabel* lblYourRulingPlanet = nullptr;
    AutoSizeLabel* lblYourLuckyNumbers = nullptr;

    QLabel* picSign = nullptr;
    // What was computed: the ascendant's position with the universal time it
    // was computed for, and a note when a neighbouring sign rises close by.
    StatusLabel* lblAscendant = nullptr;
    StatusLabel* lblCuspNote = nullptr;
    StatusLabel* lblPersonName = nullptr;

    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;

    QPlainTextEdit* txtYourLooks = nullptr;
    QPlainTextEdit* txtYourLoveandDomesticLife = nullptr;
    QPlainTextEdit* txtYourHealth = nullptr;
    QPlainTextEdit* txtYourCareerandFinance = nullptr;
    QPlainTextEdit* txtYourNature = nullptr;

    LinkLabel* lblCobrand = nullptr;
    LinkLabel* lblFullBrand = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdBack = nullptr;

    QMenu* fileMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* mnuFileBack = nullptr;
    QAction* mnuSavePdf = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuSaveImage = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuDonate = nullptr;
    QAction* mnuMakeMoneyOnline = nullptr;

    // The line of the big three and the way to the chart wheel, under the
    // window so that nothing above moves.
    QLabel* lblBigThree = nullptr;
    QPushButton* cmdChartWheel = nullptr;
    QMenu* viewMenu = nullptr;
    QAction* mnuChartWheel = nullptr;

    void buildBanner();
    void buildMainArea();
    void buildBottomStrip();
    void buildMenus();
    void buildSkyLine();
    void scrollIfTooBig();
    void onChartWheelRequested();
    void onBackClicked();
    void onExitClicked();
    bool isTextBox(const QWidget* widget) const;
    void onSavePdf();
    void onPrint();
    void onSaveImage();
    QString askForFile(const QString& title, const QString& suffix, const QString& filter);
    // "ASHA - Gemini": what every save of this result is named after.
    QString fileBase() const;
    // The status line after a save.
    void announceSaved(const QString& path);

    // Set once the window is on its way out (Back or shutdown), so closing it
    // again does not start a second shutdown.
    bool leaving_ = false;
    ResultPage page_;
    double ascendant_ = 0;
    SunAndMoon sky_;
    QString wheelCaption_;
    QPointer<FrmWheel> wheel_;
};

} // namespace zenthra
