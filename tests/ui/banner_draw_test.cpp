// SPDX-License-Identifier: GPL-3.0-or-later
// The banner draw: r * 6 + 1 in single precision, rounded half to even.
#include "ui/banner_draw.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <cmath>

using namespace zenthra;

class BannerDrawTest : public QObject {
    Q_OBJECT
private slots:
    void boundaries_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("draw");
        // Worked by hand in single precision: 1/12 times 6 rounds to exactly
        // 0.5, so 1.5, a tie that goes to the even 2; the last r that gives 1
        // lies three floats below 1/12.
        QTest::newRow("0") << 0.0f << 1;
        QTest::newRow("last 1") << 0x1.55555p-4f << 1;
        QTest::newRow("first 2") << 0x1.555552p-4f << 2;
        QTest::newRow("1/12") << 1.0f / 12.0f << 2;
        QTest::newRow("0.25: 2.5 to even") << 0.25f << 2;
        QTest::newRow("just above 0.25") << 0x1.000002p-2f << 3;
        QTest::newRow("0.5: 4 exactly") << 0.5f << 4;
        QTest::newRow("just below 0.75") << 0x1.7ffffep-1f << 5;
        QTest::newRow("0.75: 5.5 to even") << 0.75f << 6;
        QTest::newRow("last 6") << 0x1.d55556p-1f << 6;
        QTest::newRow("first 7") << 0x1.d55558p-1f << 7;
        QTest::newRow("just below 1") << 0x1.fffffep-1f << 7;
    }

    void boundaries()
    {
        QFETCH(float, r);
        QFETCH(int, draw);
        QCOMPARE(int(bannerDraw(r)), draw);
        // Odd draws below 7 bring the co-brand label to the front, even ones
        // the full-brand label; 7 changes nothing.
        QCOMPARE(bannerFront(draw), draw == 7     ? BannerFront::Unchanged
                                    : draw % 2 == 1 ? BannerFront::CoBrand
                                                    : BannerFront::FullBrand);
        QCOMPARE(bannerFront(0), BannerFront::Unchanged); // no draw yet
    }

    void distribution()
    {
        // Every value the generator can give, once each: 1/12 for draws 1 and
        // 7, 2/12 for the others, but for the float grid's rounding.
        constexpr std::uint32_t kValues = 1u << 24;
        std::array<std::uint32_t, 8> count{};
        for (std::uint32_t k = 0; k < kValues; ++k)
            ++count[static_cast<std::size_t>(bannerDraw(static_cast<float>(k) / 16777216.0f))];
        QCOMPARE(count[0], 0u);
        for (int draw = 1; draw <= 7; ++draw) {
            const double expected = (draw == 1 || draw == 7 ? 1 : 2) * (kValues / 12.0);
            QVERIFY2(std::abs(count[std::size_t(draw)] - expected) <= 4,
                     qPrintable(QString::number(draw)));
        }
        // The generator gives exactly those values, below 1, over the whole range.
        QRandomGenerator generator(7u);
        float lowest = 1, highest = 0;
        for (int i = 0; i < 100000; ++i) {
            const float r = nextUnitFloat(generator);
            QVERIFY(r >= 0.0f && r < 1.0f);
            QCOMPARE(std::ldexp(r, 24), std::floor(std::ldexp(r, 24)));
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
        }
        QVERIFY(lowest < 0.001f && highest > 0.999f);
    }
};

QTEST_GUILESS_MAIN(BannerDrawTest)
#include "banner_draw_test.moc"
