// SPDX-License-Identifier: GPL-3.0-or-later
// The day strip as mouse, keyboard and screen-reader users meet it.
#include "entry/day_strip.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace zenthra;

namespace {

// Aries to Gemini with the hour skipped at 02:00 between.
std::vector<RisingBand> sampleBands()
{
    return {
        {"Ari", 0, 120}, {"", 120, 180}, {"Tau", 180, 372}, {"Gem", 372, 483}, {"Can", 483, 1440}};
}

} // namespace

class DayStripTest : public QObject {
    Q_OBJECT
private slots:
    void bandsAreNamedForScreenReaders()
    {
        DayStrip strip;
        strip.setBands(sampleBands());
        const QStringList expected = {
            QStringLiteral("Aries rises 00:00 to 02:00"),
            QStringLiteral("No clock time from 02:00 to 03:00: the clocks went forward"),
            QStringLiteral("Taurus rises 03:00 to 06:12"),
            QStringLiteral("Gemini rises 06:12 to 08:03"),
            QStringLiteral("Cancer rises 08:03 to 24:00")};
        QCOMPARE(strip.bandButtons().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QAccessibleInterface* band =
                QAccessible::queryAccessibleInterface(strip.bandButtons()[i]);
            QCOMPARE(band->text(QAccessible::Name), expected[i]);
            QCOMPARE(band->role(), QAccessible::Button);
            QCOMPARE(strip.bandButtons()[i]->toolTip(), expected[i]);
        }
        QVERIFY(!strip.bandButtons()[1]->isEnabled());
    }

    // The marker stands above and below Cancer's name, never across it; the
    // skipped hour's words, where they fit, stand on plain ground.
    void markerAndGapLeaveTheWordsReadable()
    {
        for (const auto& [width, gapWords] : {std::pair{480, false}, std::pair{2400, true}}) {
            DayStrip strip;
            strip.resize(width, strip.sizeHint().height());
            strip.setBands(sampleBands());
            const int middle = (483 + 1440) / 2;
            strip.setMarker(middle);
            const QImage image = strip.grab().toImage();
            const int h = strip.bandButtons()[4]->height();
            const int x = static_cast<int>(width * (middle + 0.5) / 1440);
            const auto darkRows = [&](int column, int from, int to) {
                int dark = 0;
                for (int y = from; y < to; ++y)
                    dark += qGray(image.pixel(column, y)) < 64;
                return dark;
            };
            QVERIFY(darkRows(x, 0, h / 4 - 2) > 0);
            QVERIFY(darkRows(x, h * 3 / 4 + 2, h) > 0);
            const int nameTop = h / 2 - strip.fontMetrics().ascent() / 2;
            const int nameBottom = h / 2 + strip.fontMetrics().ascent() / 2;
            for (int column = x - 1; column <= x + 1; ++column)
                QVERIFY(darkRows(column, nameTop, nameBottom) < nameBottom - nameTop);
            const QRect gap = strip.bandButtons()[1]->geometry();
            int longestPlain = 0;
            for (int y = gap.top(); y <= gap.bottom(); ++y)
                for (int column = gap.left(), run = 0; column <= gap.right(); ++column) {
                    run = image.pixelColor(column, y) == QColor(0xE4, 0xE4, 0xE4) ? run + 1 : 0;
                    longestPlain = std::max(longestPlain, run);
                }
            QCOMPARE(longestPlain > 12, gapWords);
        }
    }

    void clickChoosesABand()
    {
        DayStrip strip;
        strip.resize(480, strip.sizeHint().height());
        strip.setBands(sampleBands());
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QSignalSpy chosen(&strip, &DayStrip::bandChosen);
        // A click lands on whatever lies under it, as a real one would.
        const auto clickAt = [&strip](int minute) {
            const QPoint at(480 * minute / 1440, 5);
            QWidget* target = strip.childAt(at);
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&strip, at));
        };
        clickAt(420); // 07:00 lies in Gemini's band
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 372);
        QCOMPARE(chosen[0][1].toInt(), 483);
        // The gap takes no click.
        clickAt(150);
        QCOMPARE(chosen.size(), 1);
    }

    void arrowsMoveAndEnterChooses()
    {
        QWidget window;
        auto* strip = new DayStrip(&window);
        strip->resize(480, strip->sizeHint().height());
        strip->setMarker(60);
        strip->setBands(sampleBands());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The marker's band is the strip's one tab stop.
        const QList<DayBandButton*> bands = strip->bandButtons();
        QCOMPARE(bands[0]->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(bands[2]->focusPolicy(), Qt::ClickFocus);
        bands[0]->setFocus();
        QSignalSpy chosen(strip, &DayStrip::bandChosen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // over the gap to Taurus
        QCOMPARE(QApplication::focusWidget(), bands[2]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), bands[2]);
        QCOMPARE(bands[2]->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(bands[0]->focusPolicy(), Qt::ClickFocus);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 180);
        // New bands for another date keep the keyboard where it was.
        strip->setBands(sampleBands());
        QCOMPARE(QApplication::focusWidget(), strip->bandButtons()[2]);
    }

    void descriptionFollowsTheMarker()
    {
        DayStrip strip;
        strip.setBands(sampleBands());
        strip.setMarker(400);
        QVERIFY(strip.accessibleDescription().contains(
            QStringLiteral("06:40 falls in: Gemini rises 06:12 to 08:03")));
        strip.setMarker(-1);
        QVERIFY(!strip.accessibleDescription().contains(QStringLiteral("falls in")));
    }
};

QTEST_MAIN(DayStripTest)
#include "day_strip_test.moc"
