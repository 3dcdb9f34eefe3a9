// SPDX-License-Identifier: GPL-3.0-or-later
// The banner draw: r * 6 + 1 in single precision, rounded half to even.
#include "app/banner_draw.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <cmath>

using namespace zenthra;

class BannerDrawTest : public QObject {
    Q_OBJECT
private slots:
    void boundaries_data();
    void boundaries();
    void front_data();
    void front();
    void everyTwentyFourBitNumber();
    void manyDrawsFromAFixedSeed();
    void unitFloatStaysBelowOne();
};

void BannerDrawTest::boundaries_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("draw");
    // Worked by hand in single precision (24-bit mantissa, round to nearest
    // even after each operation). 1/12 as a float is 0x1.555556p-4; times 6
    // it rounds to exactly 0.5, so 1.5, a tie that goes to the even 2. The two
    // floats below it round the same way (the product, then the sum, land on a
    // tie that goes to 0.5 and 1.5); the first r that gives 1 at the end is
    // 0x1.55555p-4, three floats below 1/12.
    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("last 1") << 0x1.55555p-4f << 1;
    QTest::newRow("first 2") << 0x1.555552p-4f << 2;
    QTest::newRow("just below 1/12") << 0x1.555554p-4f << 2;
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

void BannerDrawTest::boundaries()
{
    QFETCH(float, r);
    QFETCH(int, draw);
    QCOMPARE(int(bannerDraw(r)), draw);
}

void BannerDrawTest::front_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<BannerFront>("front");
    QTest::newRow("1") << 1 << BannerFront::CoBrand;
    QTest::newRow("2") << 2 << BannerFront::FullBrand;
    QTest::newRow("3") << 3 << BannerFront::CoBrand;
    QTest::newRow("4") << 4 << BannerFront::FullBrand;
    QTest::newRow("5") << 5 << BannerFront::CoBrand;
    QTest::newRow("6") << 6 << BannerFront::FullBrand;
    QTest::newRow("7") << 7 << BannerFront::Unchanged;
    QTest::newRow("0 is no draw") << 0 << BannerFront::Unchanged;
}

void BannerDrawTest::front()
{
    QFETCH(int, draw);
    QFETCH(BannerFront, front);
    QCOMPARE(bannerFront(draw), front);
}

void BannerDrawTest::everyTwentyFourBitNumber()
{
    // Every value the generator can give, once each: the exact distribution.
    constexpr std::uint32_t kValues = 1u << 24;
    std::array<std::uint32_t, 8> count{};
    for (std::uint32_t k = 0; k < kValues; ++k) {
        const int draw = bannerDraw(static_cast<float>(k) / 16777216.0f);
        QVERIFY(draw >= 1 && draw <= 7);
        ++count[static_cast<std::size_t>(draw)];
    }
    const double twelfth = kValues / 12.0;
    // Within a few values of 1/12 and 2/12: only the float grid's rounding differs.
    constexpr double kGridSlack = 4;
    for (int draw = 1; draw <= 7; ++draw) {
        const double expected = (draw == 1 || draw == 7) ? twelfth : 2 * twelfth;
        QVERIFY2(std::abs(count[static_cast<std::size_t>(draw)] - expected) <= kGridSlack,
                 qPrintable(QStringLiteral("draw %1: %2 of %3, expected %4")
                                .arg(draw)
                                .arg(count[static_cast<std::size_t>(draw)])
                                .arg(kValues)
                                .arg(expected)));
    }
}

void BannerDrawTest::manyDrawsFromAFixedSeed()
{
    // A fixed seed gives the same draws on every run, so this cannot flake;
    // the tolerance is five standard deviations of a binomial count.
    constexpr int kDraws = 120000;
    QRandomGenerator generator(20260101u);
    std::array<int, 8> count{};
    for (int i = 0; i < kDraws; ++i)
        ++count[static_cast<std::size_t>(bannerDraw(nextUnitFloat(generator)))];
    QCOMPARE(count[0], 0);
    for (int draw = 1; draw <= 7; ++draw) {
        const double p = (draw == 1 || draw == 7) ? 1.0 / 12 : 2.0 / 12;
        const double tolerance = 5 * std::sqrt(kDraws * p * (1 - p));
        QVERIFY2(std::abs(count[static_cast<std::size_t>(draw)] - kDraws * p) <= tolerance,
                 qPrintable(QStringLiteral("draw %1 came %2 times").arg(draw).arg(
                     count[static_cast<std::size_t>(draw)])));
    }
    // Co-brand on top in about five starts of twelve.
    const int cobrand = count[1] + count[3] + count[5];
    QVERIFY(std::abs(cobrand - kDraws * 5.0 / 12) <= 5 * std::sqrt(kDraws * 5.0 / 12 * 7 / 12));
}

void BannerDrawTest::unitFloatStaysBelowOne()
{
    QRandomGenerator generator(7u);
    float lowest = 1;
    float highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = nextUnitFloat(generator);
        QVERIFY(r >= 0.0f && r < 1.0f);
        // Exact on the 2^-24 grid, so no rounding up to 1 can happen.
        QCOMPARE(std::ldexp(r, 24), std::floor(std::ldexp(r, 24)));
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest < 0.001f);
    QVERIFY(highest > 0.999f);
}

QTEST_GUILESS_MAIN(BannerDrawTest)
#include "banner_draw_test.moc"
