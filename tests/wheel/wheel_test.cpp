// SPDX-License-Identifier: GPL-3.0-or-later
// The chart wheel: where it puts the signs, how readable it is, what a screen
// reader hears, and the pictures it saves.
#include "wheel/chart_wheel.h"
#include "wheel/frm_wheel.h"
#include "widget_access.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace zenthra;
using zenthra::test::child;

namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage render(const ChartWheel& wheel, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    QPainter painter(&image);
    wheel.paintWheel(painter, QRectF(0, 0, side, side));
    return image;
}

} // namespace

class WheelTest : public QObject {
    Q_OBJECT
private slots:
    void glyphsAreReadableOnTheirSectors()
    {
        for (int sign = 0; sign < 12; ++sign)
            QVERIFY2(contrast(ChartWheel::glyphColor(sign), ChartWheel::sectorColor(sign)) >= 4.5,
                     qPrintable(QString::number(sign)));
    }

    void signsRunAnticlockwiseFromTheAscendantOnTheLeft_data()
    {
        QTest::addColumn<double>("ascendant");
        QTest::newRow("Cancer 10") << 100.0;
        QTest::newRow("Aries 0") << 0.0;
        QTest::newRow("Pisces 29") << 359.5;
    }
    void signsRunAnticlockwiseFromTheAscendantOnTheLeft()
    {
        QFETCH(double, ascendant);
        ChartWheel wheel;
        wheel.setChart(ascendant, {ascendant + 200, ascendant + 250});
        const int side = 400;
        const QImage image = render(wheel, side);
        const double r = side / 2.0 - side * 0.02;
        // Sample the sign ring just outside the glyphs, 8° either side of
        // the ascendant and of the descendant.
        for (const double offset : {-8.0, 8.0, 172.0, 188.0}) {
            const double longitude = std::fmod(ascendant + offset + 360, 360.0);
            const double angle = (180 + offset) * M_PI / 180;
            const QPoint at(qRound(side / 2.0 + 0.97 * r * std::cos(angle)),
                            qRound(side / 2.0 - 0.97 * r * std::sin(angle)));
            const int sign = static_cast<int>(longitude / 30);
            QCOMPARE(image.pixelColor(at).rgb(), ChartWheel::sectorColor(sign).rgb());
            // A later longitude lies lower on the left: anticlockwise.
            if (offset == 8.0)
                QVERIFY(at.y() > side / 2);
        }
    }

    void screenReaderHearsThePositions()
    {
        FrmWheel window;
        window.setChart(QStringLiteral("RAVI"), 60.875, {141.5, 93.25});
        const QString words =
            QStringLiteral("Ascendant Gemini 0\u00B0 52\u2032, Sun Leo 21\u00B0 30\u2032, "
                           "Moon Cancer 3\u00B0 15\u2032");
        QCOMPARE(child<ChartWheel>(window, "chartWheel")->positionsInWords(), words);
        QAccessibleInterface* wheel =
            QAccessible::queryAccessibleInterface(child<ChartWheel>(window, "chartWheel"));
        QCOMPARE(wheel->text(QAccessible::Name), QStringLiteral("Chart wheel"));
        QCOMPARE(wheel->text(QAccessible::Description), words);
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Description),
                 words);
        QCOMPARE(window.windowTitle(), QStringLiteral("Chart wheel"));
    }

    void savesPngAndSvg()
    {
        FrmWheel window;
        const QString caption = QStringLiteral("RAVI, 15 August 1947, 00:00, Delhi");
        window.setChart(caption, 60.875, {141.5, 93.25});
        QTemporaryDir dir;
        QString error;
        QVERIFY(window.saveAsPng(dir.filePath(QStringLiteral("w.png")), &error));
        // Who, when and where: in the picture's text and in a band above the wheel.
        const QImage png(dir.filePath(QStringLiteral("w.png")));
        QCOMPARE(png.size(), QSize(1200, 1280));
        QCOMPARE(png.text(QStringLiteral("Title")), caption);
        int dark = 0;
        for (int x = 0; x < png.width(); ++x)
            dark += qGray(png.pixel(x, 40)) < 128;
        QVERIFY(dark > 10);
        QVERIFY(window.saveAsSvg(dir.filePath(QStringLiteral("w.svg")), &error));
        QFile svg(dir.filePath(QStringLiteral("w.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        QVERIFY(text.contains(QStringLiteral("<svg")));
        QVERIFY(text.contains(QStringLiteral("Sun Leo 21")));
        QVERIFY(text.contains(QStringLiteral("<title>") + caption));
        QVERIFY(text.contains(QStringLiteral("viewBox=\"0 0 600 640\"")));
        // Nothing is left beside the files.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

        const QString nowhere = dir.filePath(QStringLiteral("missing/folder/w.png"));
        QVERIFY(!window.saveAsPng(nowhere, &error));
        QVERIFY(error.contains(nowhere));
        error.clear();
        QVERIFY(!window.saveAsSvg(dir.filePath(QStringLiteral("missing/folder/w.svg")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(WheelTest)
#include "wheel_test.moc"
