// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/atlas.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <clocale>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace zenthra;

namespace {

// The atlas is loaded as a German user would see it: the names must still
// come out in English, with the German ones found as well.
class GermanMessages : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("LANGUAGE", "de", 1);
        localeSet = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;
    }
    static bool localeSet;
};
bool GermanMessages::localeSet = false;
[[maybe_unused]] ::testing::Environment* const kGerman =
    ::testing::AddGlobalTestEnvironment(new GermanMessages);

std::string str(const QString& s) { return s.toStdString(); }

std::vector<std::string> names(const std::vector<Place>& places)
{
    std::vector<std::string> out;
    for (const Place& p : places)
        out.push_back(str(p.displayName()));
    return out;
}

TEST(FoldPlaceName, Table)
{
    struct Case {
        const char* in;
        const char* out;
    } const cases[] = {
        {"São Paulo", "sao paulo"},
        {"MÜNCHEN", "munchen"},
        {"Straße", "strasse"},
        {"Tromsø", "tromso"},
        {"Łódź", "lodz"},
        {"Ærøskøbing", "aeroskobing"},
        {"Saint-Étienne", "saint etienne"},
        {"  New   York  ", "new york"},
        {"Santa Bárbara d'Oeste", "santa barbara doeste"},
        {"Shīnḏanḏ", "shindand"},
        {"İstanbul", "istanbul"},
        {"ﬁgueira", "figueira"}, // ligature, compatibility decomposition
        {"St. Louis", "st louis"},
        {"", ""},
        {"  ,;!! ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(str(foldPlaceName(QString::fromUtf8(c.in))), c.out) << c.in;
}

Place make(const char* name, const char* state, const char* country, const char* code,
           std::uint32_t population)
{
    Place p;
    p.name = QString::fromUtf8(name);
    p.state = QString::fromUtf8(state);
    p.country = QString::fromUtf8(country);
    p.countryCode = QString::fromUtf8(code);
    p.zoneId = QStringLiteral("UTC");
    p.population = population;
    return p;
}

Atlas smallAtlas()
{
    return Atlas({
        make("Springfield", "Illinois", "United States of America", "US", 100),
        make("Springfield", "Massachusetts", "United States of America", "US", 500),
        make("Springfield Gardens", "New York", "United States of America", "US", 10000),
        make("West Springfield", "Massachusetts", "United States of America", "US", 99999),
        make("Spring", "Texas", "United States of America", "US", 5),
        make("Springvale", "Victoria", "Australia", "AU", 20000),
        make("Ōsaka", "", "Japan", "JP", 2500000),
    });
}

TEST(AtlasSearch, ExactThenPrefixThenLaterWordByPopulation)
{
    const Atlas atlas = smallAtlas();
    EXPECT_EQ(names(atlas.search(QStringLiteral("springfield"), 10)),
              (std::vector<std::string>{
                  "Springfield, Massachusetts, United States of America",
                  "Springfield, Illinois, United States of America",
                  "Springfield Gardens, New York, United States of America",
                  "West Springfield, Massachusetts, United States of America",
              }));
    EXPECT_EQ(names(atlas.search(QStringLiteral("SPRING"), 3)),
              (std::vector<std::string>{
                  "Spring, Texas, United States of America",
                  "Springvale, Victoria, Australia",
                  "Springfield Gardens, New York, United States of America",
              }));
}

TEST(AtlasSearch, QualifiersNarrowByStateCountryOrCode)
{
    const Atlas atlas = smallAtlas();
    struct Case {
        const char* query;
        std::vector<std::string> expected;
    } const cases[] = {
        {"Springfield, Illin", {"Springfield, Illinois, United States of America"}},
        {"springfield, mass",
         {"Springfield, Massachusetts, United States of America",
          "West Springfield, Massachusetts, United States of America"}},
        {"spring, australia", {"Springvale, Victoria, Australia"}},
        {"spring, AU", {"Springvale, Victoria, Australia"}},
        {"springfield gardens, usa",
         {"Springfield Gardens, New York, United States of America"}},
        {"spring, states, texas", {"Spring, Texas, United States of America"}}, // a later word
        {"spring, japan", {}},
        {"osaka", {"Ōsaka, Japan"}}, // an empty state is left out
    };
    for (const Case& c : cases)
        EXPECT_EQ(names(atlas.search(QString::fromUtf8(c.query), 10)), c.expected) << c.query;
}

TEST(AtlasSearch, BlankOrGarbageGivesNothing)
{
    const Atlas atlas = smallAtlas();
    const QString queries[] = {
        QString(), QStringLiteral("   "), QStringLiteral(",,,"), QStringLiteral(", Illinois"),
        QStringLiteral("!!!"), QStringLiteral("zzqqxx"), QString(10000, QLatin1Char('s')),
        QString(1, QChar(0)), QStringLiteral("\U0001F600"),
    };
    for (const QString& q : queries)
        EXPECT_TRUE(atlas.search(q, 10).empty()) << str(q.left(20));
    EXPECT_TRUE(atlas.search(QStringLiteral("spring"), 0).empty());
    EXPECT_TRUE(atlas.search(QStringLiteral("spring"), -3).empty());
    EXPECT_TRUE(Atlas().search(QStringLiteral("spring"), 5).empty());
}

// Real data from here on: the system's GeoNames cities.

const Place* first(const std::vector<Place>& places)
{
    return places.empty() ? nullptr : &places.front();
}

TEST(AtlasData, LoadsEnglishNamesWithPlaceDetails)
{
    const Atlas& atlas = Atlas::shared();
    EXPECT_GT(atlas.size(), 20000);
    const auto pune = atlas.search(QStringLiteral("Pune"), 1);
    ASSERT_EQ(pune.size(), 1u);
    EXPECT_EQ(str(pune[0].displayName()), "Pune, Maharashtra, India");
    EXPECT_EQ(str(pune[0].zoneId), "Asia/Kolkata");
    EXPECT_EQ(str(pune[0].countryCode), "IN");
    EXPECT_NEAR(pune[0].latitude, 18.52, 0.01);
    EXPECT_NEAR(pune[0].longitude, 73.86, 0.01);
    EXPECT_GT(pune[0].population, 1000000u);
}

TEST(AtlasData, EveryZoneIdIsKnownToTheSystem)
{
    const Atlas& atlas = Atlas::shared();
    std::set<QString> ids;
    for (int i = 0; i < atlas.size(); ++i)
        ids.insert(atlas.place(i).zoneId);
    for (const QString& id : ids)
        EXPECT_TRUE(QTimeZone(id.toUtf8()).isValid()) << str(id);
}

TEST(AtlasData, AccentsAndCaseAreIgnored)
{
    const Atlas& atlas = Atlas::shared();
    for (const char* q : {"Sao Paulo", "são paulo", "SAO PAULO"}) {
        const auto found = atlas.search(QString::fromUtf8(q), 5);
        ASSERT_NE(first(found), nullptr) << q;
        EXPECT_EQ(str(found[0].displayName()), "São Paulo, São Paulo, Brazil") << q;
    }
}

TEST(AtlasData, GermanNamesFindTheEnglishEntry)
{
    if (!GermanMessages::localeSet)
        GTEST_SKIP() << "no C.UTF-8 locale, so gettext ignores LANGUAGE";
    const Atlas& atlas = Atlas::shared();
    for (const char* q : {"munchen", "München", "Munich", "Köln, Deutschland", "cologne"}) {
        const auto found = atlas.search(QString::fromUtf8(q), 5);
        ASSERT_NE(first(found), nullptr) << q;
        EXPECT_EQ(found[0].country.toStdString(), "Germany") << q;
    }
    EXPECT_EQ(str(atlas.search(QStringLiteral("munchen"), 1).at(0).displayName()),
              "Munich, Bavaria, Germany");
    EXPECT_EQ(str(atlas.search(QStringLiteral("munchen"), 1).at(0).localName), "München");
}

TEST(AtlasData, PrefixFindsPuneNearTheTop)
{
    const auto found = Atlas::shared().search(QStringLiteral("Pun"), 5);
    bool seen = false;
    for (const Place& p : found)
        seen = seen || p.displayName() == QStringLiteral("Pune, Maharashtra, India");
    EXPECT_TRUE(seen);
}

TEST(AtlasData, LondonExactByPopulationThenEnglishPrefixes)
{
    const auto found = names(Atlas::shared().search(QStringLiteral("London"), 10));
    ASSERT_GE(found.size(), 4u);
    EXPECT_EQ(found[0], "London, England, United Kingdom");
    EXPECT_EQ(found[1], "London, Ontario, Canada");
    // English names beginning with "London" (Londonderry), before names found
    // through the German name ("London Borough of Sutton") or a later word
    // ("East London").
    EXPECT_EQ(found[2].rfind("London", 0), 0u) << found[2];
    std::size_t k = 2;
    while (k < found.size() && found[k].rfind("London", 0) == 0)
        ++k;
    for (std::size_t i = k; i < found.size(); ++i)
        EXPECT_NE(found[i].rfind("London", 0), 0u) << found[i];
    EXPECT_LT(k, found.size()); // some of the ten come from the other ranks
}

TEST(AtlasData, CommaPartsNarrow)
{
    struct Case {
        const char* query;
        const char* expectedFirst;
    } const cases[] = {
        {"Pune, India", "Pune, Maharashtra, India"},
        {"Portland, Oregon", "Portland, Oregon, United States of America"},
        {"Portland, Maine", "Portland, State of Maine, United States of America"},
        {"London, Canada", "London, Ontario, Canada"},
        {"Madrid, Spain", "Madrid, Madrid, Spain"},
        {"Madrid, Colombia", "Madrid, Cundinamarca, Colombia"},
        {"Sydney, NSW", nullptr}, // abbreviations of states are not known
    };
    for (const Case& c : cases) {
        const auto found = names(Atlas::shared().search(QString::fromUtf8(c.query), 5));
        if (!c.expectedFirst) {
            EXPECT_TRUE(found.empty()) << c.query;
            continue;
        }
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(found[0], c.expectedFirst) << c.query;
    }
}

TEST(AtlasData, GarbageGivesNothing)
{
    for (const char* q : {"", " ", "xqzvbn", "%%%", ", India", "Pune, Narnia"})
        EXPECT_TRUE(Atlas::shared().search(QString::fromUtf8(q), 10).empty()) << q;
}

} // namespace
