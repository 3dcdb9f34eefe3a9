// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/frm_wheel.h"

#include "ui/app_icon.h"
#include "ui/app_strings.h"
#include "ui/message_box.h"
#include "ui/program_font.h"
#include "ui/save_names.h"
#include "ui/status_label.h"
#include "wheel/chart_wheel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

namespace zenthra {
namespace {

// The picture a saved PNG holds: a fixed size at twice the on-screen
// density, whatever the window's size.
constexpr int kPngSide = 1200;
constexpr int kSvgSide = 600;

// A saved picture says whose wheel it is in a band above the wheel, a
// fifteenth of the wheel's side high.
int captionBand(const QString& caption, int side)
{
    return caption.isEmpty() ? 0 : side / 15;
}

void paintPicture(QPainter& painter, const ChartWheel& wheel, const QString& caption, int side)
{
    const int band = captionBand(caption, side);
    painter.fillRect(QRect(0, 0, side, side + band), Qt::white);
    if (band > 0) {
        QFont font = programFont();
        font.setPixelSize(band * 2 / 5);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, side, band), Qt::AlignCenter | Qt::TextWordWrap, caption);
    }
    wheel.paintWheel(painter, QRectF(0, band, side, side));
}

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
    lblSaved = new StatusLabel(this);
    lblSaved->setObjectName(QStringLiteral("lblSaved"));
    lblSaved->setTextFormat(Qt::PlainText);
    lblSaved->setWordWrap(true);
    lblSaved->setAccessibleDescription(tr("Saved"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSavePng);
    buttons->addWidget(cmdSaveSvg);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* root = new QVBoxLayout(this);
    root->addWidget(lblCaption);
    root->addWidget(chartWheel, 1);
    root->addLayout(buttons);
    root->addWidget(lblSaved);

    connect(cmdSavePng, &QPushButton::clicked, this, &FrmWheel::onSavePngClicked);
    connect(cmdSaveSvg, &QPushButton::clicked, this, &FrmWheel::onSaveSvgClicked);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmWheel::setChart(const QString& caption, double ascendant, const SunAndMoon& sky)
{
    caption_ = caption;
    lblCaption->setText(caption);
    lblCaption->setAccessibleName(caption);
    lblCaption->setVisible(!caption.isEmpty());
    chartWheel->setChart(ascendant, sky);
    setAccessibleDescription(chartWheel->positionsInWords());
}

void FrmWheel::setFileBase(const QString& base)
{
    fileBase_ = base;
}

bool FrmWheel::saveAsPng(const QString& path, QString* error) const
{
    QImage image(kPngSide, kPngSide + captionBand(caption_, kPngSide),
                 QImage::Format_ARGB32_Premultiplied);
    image.setText(QStringLiteral("Title"), caption_.isEmpty() ? tr("Chart wheel") : caption_);
    image.setText(QStringLiteral("Description"), chartWheel->positionsInWords());
    {
        QPainter painter(&image);
        paintPicture(painter, *chartWheel, caption_, kPngSide);
    }
    // Written beside the target and renamed at the end: a failure leaves an
    // earlier file intact.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit())
        return true;
    if (error)
        *error = tr("The picture could not be written to %1.").arg(path);
    return false;
}

bool FrmWheel::saveAsSvg(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const int height = kSvgSide + captionBand(caption_, kSvgSide);
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(kSvgSide, height));
        svg.setViewBox(QRect(0, 0, kSvgSide, height));
        svg.setTitle(caption_.isEmpty() ? tr("Chart wheel") : caption_);
        svg.setDescription(chartWheel->positionsInWords());
        QPainter painter;
        if (painter.begin(&svg)) {
            paintPicture(painter, *chartWheel, caption_, kSvgSide);
            if (painter.end() && file.commit())
                return true;
        }
    }
    if (error)
        *error = tr("The picture could not be written to %1.").arg(path);
    return false;
}

void FrmWheel::onSavePngClicked()
{
    askAndSave(tr("Save as PNG"), QStringLiteral("png"), tr("PNG pictures (*.png)"),
               &FrmWheel::saveAsPng);
}

void FrmWheel::onSaveSvgClicked()
{
    askAndSave(tr("Save as SVG"), QStringLiteral("svg"), tr("SVG drawings (*.svg)"),
               &FrmWheel::saveAsSvg);
}

void FrmWheel::askAndSave(const QString& title, const QString& suffix, const QString& filter,
                          bool (FrmWheel::*save)(const QString&, QString*) const)
{
    const QString base = fileBase_.isEmpty() ? tr("Chart wheel") : fileBase_;
    QString path =
        QFileDialog::getSaveFileName(this, title, proposedSavePath(base, suffix), filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    QString error;
    if ((this->*save)(path, &error))
        lblSaved->setText(savedMessage(path));
    else
        showMessage(this, error, QMessageBox::Warning);
}

} // namespace zenthra
