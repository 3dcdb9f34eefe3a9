// SPDX-License-Identifier: GPL-3.0-or-later
// The result window's menus and what they write: the page as a PDF or on a
// printer, and the window as a picture.
#include "result/frm_display.h"

#include "links/frm_about.h"
#include "links/frm_guide.h"
#include "links/mod_help.h"
#include "result/sign_profiles.h"
#include "ui/message_box.h"
#include "ui/save_names.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStatusBar>

namespace zenthra {
namespace {

// How long the status line says where a file went.
constexpr int kSavedMessageMs = 15000;

} // namespace

void FrmDisplay::buildMenus()
{
    auto entry = [this](QMenu* menu, const char* name, const char* text) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    const auto menu = [this](const char* name, const QString& title) {
        QMenu* added = menuBar()->addMenu(title);
        added->setObjectName(QLatin1String(name));
        return added;
    };
    fileMenu = menu("fileMenu", QStringLiteral("&File"));
    mnuFileBack = entry(fileMenu, "mnuFileBack", "&Back");
    fileMenu->addSeparator();
    mnuSavePdf = entry(fileMenu, "mnuSavePdf", "Save as P&DF…");
    mnuSavePdf->setShortcut(QKeySequence::Save);
    mnuPrint = entry(fileMenu, "mnuPrint", "&Print…");
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuSaveImage = entry(fileMenu, "mnuSaveImage", "Save as &Image…");
    mnuSaveImage->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    fileMenu->addSeparator();
    mnuExit = entry(fileMenu, "mnuExit", "E&xit");
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    viewMenu = menu("viewMenu", QStringLiteral("&View"));
    mnuChartWheel = entry(viewMenu, "mnuChartWheel", "Chart &Wheel");
    mnuChartWheel->setEnabled(false);
    connect(mnuChartWheel, &QAction::triggered, this, &FrmDisplay::onChartWheelRequested);

    helpMenu = menu("helpMenu", QStringLiteral("&Help"));
    mnuContents = entry(helpMenu, "mnuContents", "&Help Contents");
    mnuContents->setShortcut(QKeySequence::HelpContents);
    mnuOnline = entry(helpMenu, "mnuOnline", "&Online Help");
    mnuVisit = entry(helpMenu, "mnuVisit", "&Visit Us Online");
    helpMenu->addSeparator();
    mnuUpdate = entry(helpMenu, "mnuUpdate", "&Check for Software Update");
    helpMenu->addSeparator();
    mnuAbout = entry(helpMenu, "mnuAbout", "&About Software");

    mnuDonate = menuBar()->addAction(QStringLiteral("&Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    mnuMakeMoneyOnline = menuBar()->addAction(QStringLiteral("Make Money &Online"));
    mnuMakeMoneyOnline->setObjectName(QStringLiteral("mnuMakeMoneyOnline"));
    // Unavailable by design, like the main window's entry of that caption.
    mnuMakeMoneyOnline->setEnabled(false);

    connect(mnuFileBack, &QAction::triggered, this, &FrmDisplay::onBackClicked);
    connect(mnuExit, &QAction::triggered, this, &FrmDisplay::onExitClicked);
    for (QAction* a : {mnuSavePdf, mnuPrint, mnuSaveImage})
        a->setEnabled(false);
    connect(mnuSavePdf, &QAction::triggered, this, &FrmDisplay::onSavePdf);
    connect(mnuPrint, &QAction::triggered, this, &FrmDisplay::onPrint);
    connect(mnuSaveImage, &QAction::triggered, this, &FrmDisplay::onSaveImage);
    connect(mnuContents, &QAction::triggered, this, [this] { showGuideWindow(this); });
    connect(mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(mnuAbout, &QAction::triggered, this, [this] { showAboutWindow(this); });
    connect(mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(mnuMakeMoneyOnline, &QAction::triggered, this, &modHelp::OpenFullBrandPage);
}

void FrmDisplay::setResultPage(const ResultPage& page)
{
    page_ = page;
    const bool sign = page_.row >= 1 && page_.row <= 12;
    for (QAction* a : {mnuSavePdf, mnuPrint, mnuSaveImage})
        a->setEnabled(sign);
}

QString FrmDisplay::fileBase() const
{
    return resultFileBase(page_.personName, signProfile(page_.row).name);
}

void FrmDisplay::announceSaved(const QString& path)
{
    statusBar()->showMessage(savedMessage(path), kSavedMessageMs);
}

QString FrmDisplay::askForFile(const QString& title, const QString& suffix, const QString& filter)
{
    QString path =
        QFileDialog::getSaveFileName(this, title, proposedSavePath(fileBase(), suffix), filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

bool FrmDisplay::savePdfTo(const QString& path)
{
    QString error;
    if (saveResultPdf(path, page_, &error)) {
        announceSaved(path);
        return true;
    }
    showMessage(this, error, QMessageBox::Warning);
    return false;
}

bool FrmDisplay::saveImageTo(const QString& path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && grab().save(&file, "PNG") && file.commit()) {
        announceSaved(path);
        return true;
    }
    showMessage(this,
                QStringLiteral("The picture could not be written to %1 (%2).")
                    .arg(QDir::toNativeSeparators(path), file.errorString()),
                QMessageBox::Warning);
    return false;
}

void FrmDisplay::onSavePdf()
{
    const QString path = askForFile(QStringLiteral("Save as PDF"), QStringLiteral("pdf"),
                                    QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        savePdfTo(path);
}

void FrmDisplay::onSaveImage()
{
    const QString path = askForFile(QStringLiteral("Save as Image"), QStringLiteral("png"),
                                    QStringLiteral("PNG picture (*.png)"));
    if (!path.isEmpty())
        saveImageTo(path);
}

void FrmDisplay::onPrint()
{
    QPrinter printer;
    // The print dialog proposes the document's name for printing to a file.
    printer.setDocName(fileBase());
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(proposedSavePath(fileBase(), QStringLiteral("pdf")));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

bool FrmDisplay::printTo(QPrinter& printer)
{
    const QString target =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (target.isEmpty()) {
        if (paintResultPage(printer, page_))
            return true;
        showMessage(this, QStringLiteral("The page could not be printed."), QMessageBox::Warning);
        return false;
    }
    // Printed to a file: written beside it first, so that a failure leaves
    // an earlier file of that name intact.
    const QString temporary = temporaryNextTo(target);
    printer.setOutputFileName(temporary);
    const bool painted = !temporary.isEmpty() && paintResultPage(printer, page_);
    printer.setOutputFileName(target);
    if (painted && replaceWith(temporary, target)) {
        announceSaved(target);
        return true;
    }
    if (!temporary.isEmpty())
        QFile::remove(temporary);
    showMessage(
        this,
        QStringLiteral("The PDF could not be written to %1.").arg(QDir::toNativeSeparators(target)),
        QMessageBox::Warning);
    return false;
}

} // namespace zenthra
