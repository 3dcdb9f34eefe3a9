// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program icon's PNG sizes from its SVG, into a hicolor tree:
//   render-icon data/icons/zenthra.svg data/icons/hicolor 16 32 48 64 128 256 512
// writes hicolor/<N>x<N>/apps/org.zenthra.Zenthra.png for each size N.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        err << "usage: render-icon SVG HICOLOR_FOLDER SIZE...\n";
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        err << "render-icon: cannot read " << args[1] << '\n';
        return 1;
    }
    for (const QString& sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            err << "render-icon: not a size: " << sizeText << '\n';
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        const QString file = folder + QStringLiteral("/org.zenthra.Zenthra.png");
        if (!QDir().mkpath(folder) ||
            !image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            err << "render-icon: cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
