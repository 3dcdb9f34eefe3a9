// SPDX-License-Identifier: GPL-3.0-or-later
// One repaint of the chart wheel at twice the normal scale, the size it has in
// its window.
#include "wheel/chart_wheel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_WheelRepaintAt2x(benchmark::State& state)
{
    zenthra::ChartWheel wheel;
    wheel.setChart(60.875, {141.5, 133.25});
    const QSize logical = wheel.sizeHint();
    QImage image(logical * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        QPainter painter(&image);
        wheel.paintWheel(painter, QRectF(QPointF(0, 0), logical));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WheelRepaintAt2x)->Unit(benchmark::kMillisecond);

} // namespace
