// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/frm_wheel.h"

#include "ui/app_icon.h"
#include "ui/app_strings.h"
#include "ui/message_box.h"
#include "ui/program_font.h"
#include "wheel/chart_wheel.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QVBoxLayout>

namespace zenthra {
namespace {

// The picture a saved PNG holds: a fixed size at twice the on-screen
// density, whatever the window's size.
constexpr int kPngSide = 1200;
constexpr int kSvgSide = 600;

} // namespace

FrmWheel::FrmWheel(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWheel"));
    setWindowTitle(tr("Chart wheel"));
    setWindowIcon(applicationIcon());
    setFont(programFont());

    lblCaption = new QLabel(this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setTextFormat(Qt::PlainText);
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setWordWrap(true);
    lblCaption->setAccessibleDescription(tr("Chart of"));

    chartWheel = new ChartWheel(this);
    chartWheel->setFocusPolicy(Qt::TabFocus);

    cmdSavePng = new QPushButton(tr("Save as &PNG\u2026"), this);
    cmdSavePng->setObjectName(QStringLiteral("cmdSavePng"));
    cmdSaveSvg = new QPushButton(tr("Save as &SVG\u2026"), this);
    cmdSaveSvg->setObjectName(QStringLiteral("cmdSaveSvg"));
    cmdClose = new QPushButton(tr("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSavePng);
    buttons->addWidget(cmdSaveSvg);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* root = new QVBoxLayout(this);
    root->addWidget(lblCaption);
    root->addWidget(chartWheel, 1);
    root->addLayout(buttons);

    connect(cmdSavePng, &QPushButton::clicked, this, &FrmWheel::onSavePngClicked);
    connect(cmdSaveSvg, &QPushButton::clicked, this, &FrmWheel::onSaveSvgClicked);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmWheel::setChart(const QString& caption, double ascendant, const SunAndMoon& sky)
{
    lblCaption->setText(caption);
    lblCaption->setAccessibleName(caption);
    lblCaption->setVisible(!caption.isEmpty());
    chartWheel->setChart(ascendant, sky);
    setAccessibleDescription(chartWheel->positionsInWords());
}

bool FrmWheel::saveAsPng(const QString& path, QString* error) const
{
    QImage image(kPngSide, kPngSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chartWheel->paintWheel(painter, QRectF(0, 0, kPngSide, kPngSide));
    }
    if (image.save(path, "PNG"))
        return true;
    if (error)
        *error = tr("The picture could not be written to %1.").arg(path);
    return false;
}

bool FrmWheel::saveAsSvg(const QString& path, QString* error) const
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle(tr("Chart wheel"));
    svg.setDescription(chartWheel->positionsInWords());
    QPainter painter;
    // begin() fails when the file cannot be opened for writing.
    if (painter.begin(&svg)) {
        chartWheel->paintWheel(painter, QRectF(0, 0, kSvgSide, kSvgSide));
        if (painter.end())
            return true;
    }
    if (error)
        *error = tr("The picture could not be written to %1.").arg(path);
    return false;
}

void FrmWheel::onSavePngClicked()
{
    askAndSave(tr("Save as PNG"), QStringLiteral("chart-wheel.png"), tr("PNG pictures (*.png)"),
               &FrmWheel::saveAsPng);
}

void FrmWheel::onSaveSvgClicked()
{
    askAndSave(tr("Save as SVG"), QStringLiteral("chart-wheel.svg"), tr("SVG drawings (*.svg)"),
               &FrmWheel::saveAsSvg);
}

void FrmWheel::askAndSave(const QString& title, const QString& fileName, const QString& filter,
                          bool (FrmWheel::*save)(const QString&, QString*) const)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path =
        QFileDialog::getSaveFileName(this, title, folder + QLatin1Char('/') + fileName, filter);
    QString error;
    if (!path.isEmpty() && !(this->*save)(path, &error))
        showMessage(this, error, QMessageBox::Warning);
}

} // namespace zenthra
