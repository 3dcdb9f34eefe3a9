// SPDX-License-Identifier: GPL-3.0-or-later
// The result window's menus and what they write: the page as a PDF or on a
// printer, and the window as a picture.
#include "result/frm_display.h"

#include "links/frm_about.h"
#include "links/mod_help.h"
#include "result/sign_profiles.h"
#include "ui/message_box.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace zenthra {

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

    viewMenu = menu("viewMenu", QStringLiteral("&View"));
    mnuChartWheel = entry(viewMenu, "mnuChartWheel", "Chart &Wheel");
    mnuChartWheel->setEnabled(false);
    connect(mnuChartWheel, &QAction::triggered, this, &FrmDisplay::onChartWheelRequested);

    helpMenu = menu("helpMenu", QStringLiteral("&Help"));
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

QString FrmDisplay::askForFile(const QString& title, const QString& suffix, const QString& filter)
{
    QString base = signProfile(page_.row).name;
    if (!page_.personName.trimmed().isEmpty())
        base = page_.personName.trimmed() + QStringLiteral(" - ") + base;
    base.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        this, title, QDir(folder).filePath(base + QLatin1Char('.') + suffix), filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

bool FrmDisplay::savePdfTo(const QString& path)
{
    QString error;
    if (saveResultPdf(path, page_, &error))
        return true;
    showMessage(this, error, QMessageBox::Warning);
    return false;
}

bool FrmDisplay::saveImageTo(const QString& path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && grab().save(&file, "PNG") && file.commit())
        return true;
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
    printer.setDocName(QStringLiteral("Rising sign: %1").arg(signProfile(page_.row).name));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!paintResultPage(printer, page_))
        showMessage(this, QStringLiteral("The page could not be printed."), QMessageBox::Warning);
}

} // namespace zenthra
