// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas.h"
#include "place/atlas_built_in.h"
#include "place/atlas_index.h"
#include "place/atlas_source.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QTimeZone>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <set>
#include <string>
#include <vector>

using namespace zenthra;

namespace {

std::string str(const QString& s)
{
    return s.toStdString();
}

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
        make("Springvale", "Santo Domingo", "Dominican Republic", "DO", 30000),
        make("Ōsaka", "", "Japan", "JP", 2500000),
        make("Saint-Louis", "", "Senegal", "SN", 200000),
        make("Fort Worth", "Texas", "United States of America", "US", 900000),
    });
}

TEST(AtlasSearch, RanksMatchQualityTogetherWithPopulation)
{
    const Atlas atlas = smallAtlas();
    // Exact names by population, then a later word matched whole (a town
    // ten times larger than the second Springfield), then a beginning.
    EXPECT_EQ(names(atlas.search(QStringLiteral("springfield"), 10)),
              (std::vector<std::string>{
                  "West Springfield, Massachusetts, United States of America",
                  "Springfield, Massachusetts, United States of America",
                  "Springfield, Illinois, United States of America",
                  "Springfield Gardens, New York, United States of America",
              }));
    // Five people named exactly, below a town of 30,000 whose name begins so.
    const auto spring = atlas.match(QStringLiteral("SPRING"), 10);
    ASSERT_EQ(spring.size(), 7u);
    EXPECT_EQ(str(spring[0].place.displayName()), "Springvale, Santo Domingo, Dominican Republic");
    for (const PlaceMatch& m : spring)
        EXPECT_EQ(m.exact, m.place.name == QStringLiteral("Spring")) << str(m.place.displayName());
}

TEST(AtlasSearch, QualifiersAreWholeWordsOrCodes)
{
    const Atlas atlas = smallAtlas();
    struct Case {
        const char* query;
        std::vector<std::string> expected;
    } const cases[] = {
        {"springfield, massachusetts",
         {"West Springfield, Massachusetts, United States of America",
          "Springfield, Massachusetts, United States of America"}},
        {"spring, australia", {"Springvale, Victoria, Australia"}},
        {"springvale, AU", {"Springvale, Victoria, Australia"}},
        {"springvale, DO", {"Springvale, Santo Domingo, Dominican Republic"}},
        {"spring, states, texas", {"Spring, Texas, United States of America"}},
        {"springvale, sa", {}}, // a word's beginning, too short to be typed on
        {"springvale, s a", {}},
        {"springvale, santo", {"Springvale, Santo Domingo, Dominican Republic"}},
        {"springvale, victoria, japan", {}},
        {"osaka", {"Ōsaka, Japan"}}, // an empty state is left out
        {"St Louis", {"Saint-Louis, Senegal"}},
        {"ft. worth", {"Fort Worth, Texas, United States of America"}},
        {"Fort Wor", {"Fort Worth, Texas, United States of America"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names(atlas.search(QString::fromUtf8(c.query), 10)), c.expected) << c.query;

    // While nothing matches it whole, a last part of three letters or more
    // matches as it is being typed, and the match is then not exact.
    const auto typed = atlas.match(QStringLiteral("Springfield, Illin"), 5);
    ASSERT_EQ(typed.size(), 1u);
    EXPECT_EQ(str(typed[0].place.state), "Illinois");
    EXPECT_FALSE(typed[0].exact);
    EXPECT_TRUE(atlas.match(QStringLiteral("Springfield, Illinois"), 1).at(0).exact);
}

TEST(AtlasSearch, BlankOrGarbageGivesNothing)
{
    const Atlas atlas = smallAtlas();
    const QString queries[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral(",,,"),
        QStringLiteral(", Illinois"),
        QStringLiteral("!!!"),
        QStringLiteral("zzqqxx"),
        QString(10000, QLatin1Char('s')),
        QString(1, QChar(0)),
        QStringLiteral("\U0001F600"),
    };
    for (const QString& q : queries)
        EXPECT_TRUE(atlas.search(q, 10).empty()) << str(q.left(20));
    EXPECT_TRUE(atlas.search(QStringLiteral("spring"), 0).empty());
    EXPECT_TRUE(atlas.search(QStringLiteral("spring"), -3).empty());
    EXPECT_TRUE(Atlas().search(QStringLiteral("spring"), 5).empty());
}

// Within 1 + a quarter of the letters typed, by edit distance (counted by
// hand): letters outside a to z, and names longer than 64 letters, which are
// compared another way.
TEST(AtlasSearch, NearestSpellingsWithinTheLimitOnly)
{
    const char* longName =
        "Taumatawhakatangihangakoauauotamateaturipukakapikimaungahoronukupokaiwhenuakitanatahu";
    const Atlas atlas({
        make("Springfield", "Illinois", "United States of America", "US", 100),
        make("Москва", "", "Russia", "RU", 10000000),
        make(longName, "", "New Zealand", "NZ", 0),
    });
    QString misspelt = QString::fromLatin1(longName);
    misspelt[10] = u'x';
    misspelt.remove(40, 3);
    struct Case {
        QString query;
        const char* expected; // name of the only place found; none if empty
    } const cases[] = {
        {QStringLiteral("springfeld"), "Springfield"}, // 1 edit, 3 allowed
        {QStringLiteral("sprngfeld"), "Springfield"},  // 2 edits, 3 allowed
        {QStringLiteral("sprnfld"), ""},               // 4 edits, 2 allowed
        {QStringLiteral("Москвы"), "Москва"},          // 1 edit, 2 allowed
        {QStringLiteral("Мсквы"), "Москва"},           // 2 edits, 2 allowed
        {QStringLiteral("Мскы"), ""},                  // 3 edits, 2 allowed
        {misspelt, longName},                          // 4 edits of 85 letters
        {QString::fromLatin1(longName).left(60), ""},  // 25 edits, 16 allowed
    };
    for (const Case& c : cases) {
        const auto found = atlas.nearest(c.query, 5);
        EXPECT_EQ(found.size(), *c.expected ? 1u : 0u) << str(c.query);
        if (!found.empty()) {
            EXPECT_EQ(str(found[0].name), c.expected) << str(c.query);
        }
    }
}

// Real data from here on: the place list built into the program (GeoNames
// cities1000 and cities15000 as of 2022; coordinates and populations are theirs).

TEST(AtlasData, LoadsEveryPlaceWithDetails)
{
    const Atlas& atlas = Atlas::shared();
    EXPECT_GT(atlas.size(), 130000);
    const auto pune = atlas.search(QStringLiteral("Pune"), 1);
    ASSERT_EQ(pune.size(), 1u);
    EXPECT_EQ(str(pune[0].displayName()), "Pune, Maharashtra, India");
    EXPECT_EQ(str(pune[0].zoneId), "Asia/Kolkata");
    EXPECT_EQ(str(pune[0].countryCode), "IN");
    EXPECT_NEAR(pune[0].latitude, 18.51957, 1e-5);
    EXPECT_NEAR(pune[0].longitude, 73.85535, 1e-5);
    EXPECT_GT(pune[0].population, 1000000u);

    std::set<QString> ids;
    for (int i = 0; i < atlas.size(); ++i)
        ids.insert(atlas.place(i).zoneId);
    for (const QString& id : ids)
        EXPECT_TRUE(QTimeZone(id.toUtf8()).isValid()) << str(id);
}

// Names as they stand on birth certificates: the modern place first, with
// the name that matched.
TEST(AtlasData, NamesPeopleWrite)
{
    struct Case {
        const char* query;
        const char* expected; // suggestion text of the first match
    } const cases[] = {
        {"Bombay", "Mumbai (Bombay), Maharashtra, India"},
        {"Calcutta", "Kolkata (Calcutta), West Bengal, India"},
        {"Madras", "Chennai (Madras), Tamil Nadu, India"},
        {"Peking", "Beijing (Peking), Beijing, China"},
        {"Saigon", "Ho Chi Minh City (Saigon), Ho Chi Minh City, Vietnam"},
        {"Leningrad", "Saint Petersburg (Leningrad), St.-Petersburg, Russia"},
        {"Kiev", "Kyiv (Kiev), Kyiv City, Ukraine"},
        {"Wien", "Vienna (Wien), Vienna, Austria"},
        {"Poona", "Pune (Poona), Maharashtra, India"},
        {"Roma", "Rome (Roma), Lazio, Italy"},
        {"München", "Munich (München), Bavaria, Germany"},
        {"munchen", "Munich (Munchen), Bavaria, Germany"},
        {"Köln, Germany", "Köln, North Rhine-Westphalia, Germany"}, // GeoNames has both
        {"LA", "Los Angeles (LA), California, United States of America"},
        {"Washington", "Washington, D.C., District of Columbia, United States of America"},
        {"Washington, DC", "Washington, D.C., District of Columbia, United States of America"},
        {"Washington, D.C.", "Washington, D.C., District of Columbia, United States of America"},
        {"New York City", "New York City, New York, United States of America"},
        {"NYC", "New York City (NYC), New York, United States of America"},
        {"Houston, TX", "Houston, Texas, United States of America"},
        {"Seoul, South Korea", "Seoul, Seoul, Republic of Korea"},
        {"St. Petersburg, Russia", "Saint Petersburg, St.-Petersburg, Russia"},
        {"Mt. Vernon, NY", "Mount Vernon, New York, United States of America"},
        {"Ft Lauderdale", "Fort Lauderdale, Florida, United States of America"},
        {"Rangoon, Burma", "Yangon (Rangoon), Rangoon, Myanmar"},
        {"Colombo, Ceylon", "Colombo, Western, Sri Lanka"},
        {"Kinshasa, Zaire", "Kinshasa, Kinshasa, DR Congo"},
        {"Amsterdam, NL", "Amsterdam, North Holland, Netherlands"},
        {"Pune, IN", "Pune, Maharashtra, India"},
        {"London, UK", "London, England, United Kingdom"},
        {"Portland, USA", "Portland, Oregon, United States of America"},
        {"London, ON", "London, Ontario, Canada"},
        {"Adelaide, SA", "Adelaide, South Australia, Australia"},
        {"Sydney, NSW", "Sydney, New South Wales, Australia"},
        {"Sao Paulo", "São Paulo, São Paulo, Brazil"},
        {"SAO PAULO", "São Paulo, São Paulo, Brazil"},
    };
    for (const Case& c : cases) {
        const auto found = Atlas::shared().match(QString::fromUtf8(c.query), 3);
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(str(found[0].place.suggestionText()), c.expected) << c.query;
        EXPECT_TRUE(found[0].exact) << c.query;
    }
}

// Towns under 15,000 people on five continents, each with its own zone.
TEST(AtlasData, SmallTowns)
{
    struct Case {
        const char* query;
        const char* expected;
        const char* zone;
        double latitude, longitude;
    } const cases[] = {
        {"Zermatt", "Zermatt, Valais, Switzerland", "Europe/Zurich", 46.01998, 7.74863},
        {"Nungwi", "Nungwi, Zanzibar North, Tanzania", "Africa/Dar_es_Salaam", -5.72651, 39.29870},
        {"Sigiriya", "Sigiriya, Central, Sri Lanka", "Asia/Colombo", 7.94946, 80.75037},
        {"Marfa, TX", "Marfa, Texas, United States of America", "America/Chicago", 30.30973,
         -104.02134},
        {"Ollantaytambo", "Ollantaytambo, Cusco, Peru", "America/Lima", -13.25722, -72.26306},
        {"Broome, WA", "Broome, Western Australia, Australia", "Australia/Perth", -17.95538,
         122.23922},
    };
    for (const Case& c : cases) {
        const auto found = Atlas::shared().search(QString::fromUtf8(c.query), 1);
        ASSERT_EQ(found.size(), 1u) << c.query;
        EXPECT_EQ(str(found[0].displayName()), c.expected) << c.query;
        EXPECT_EQ(str(found[0].zoneId), c.zone) << c.query;
        EXPECT_LT(found[0].population, 15000u) << c.query;
        EXPECT_NEAR(found[0].latitude, c.latitude, 1e-5) << c.query;
        EXPECT_NEAR(found[0].longitude, c.longitude, 1e-5) << c.query;
    }
}

TEST(AtlasData, Ranking)
{
    struct Case {
        const char* query;
        std::vector<std::string> expectedFirst; // suggestion texts, best first
    } const cases[] = {
        // A large city by another name beats the beginning of a larger one.
        {"LA", {"Los Angeles (LA), California, United States of America"}},
        {"Roma", {"Rome (Roma), Lazio, Italy"}},
        {"London", {"London, England, United Kingdom", "London, Ontario, Canada"}},
        {"Pun", {"Pune, Maharashtra, India"}},
        {"Portland, Oregon", {"Portland, Oregon, United States of America"}},
        {"Portland, Maine", {"Portland, Maine, United States of America"}},
        {"Madrid, Spain", {"Madrid, Madrid, Spain"}},
        {"Madrid, Colombia", {"Madrid, Cundinamarca, Colombia"}},
    };
    for (const Case& c : cases) {
        const auto found = Atlas::shared().search(QString::fromUtf8(c.query), 5);
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < found.size() && i < c.expectedFirst.size(); ++i)
            shown.push_back(str(found[i].suggestionText()));
        EXPECT_EQ(shown, c.expectedFirst) << c.query;
    }
    // "SA" is the code of South Australia and Saudi Arabia, never "Santo ...".
    for (const Place& p : Atlas::shared().search(QStringLiteral("San, SA"), 50))
        EXPECT_TRUE(p.countryCode == "SA" || p.state == "South Australia") << str(p.displayName());
}

TEST(AtlasData, NearestSpellings)
{
    const auto bombay = Atlas::shared().nearest(QStringLiteral("Bombey"), 5);
    ASSERT_FALSE(bombay.empty());
    EXPECT_EQ(str(bombay[0].name), "Mumbai");
    const auto pune = Atlas::shared().nearest(QStringLiteral("Pune, Narnia"), 5);
    ASSERT_FALSE(pune.empty());
    EXPECT_EQ(str(pune[0].displayName()), "Pune, Maharashtra, India");
    EXPECT_TRUE(Atlas::shared().nearest(QStringLiteral("Qqqxxzz"), 5).empty());
}

TEST(AtlasData, GarbageGivesNothing)
{
    for (const char* q : {"", " ", "xqzvbn", "%%%", ", India", "Pune, Narnia"})
        EXPECT_TRUE(Atlas::shared().search(QString::fromUtf8(q), 10).empty()) << q;
}

// The compiled atlas built into the program against the list it was compiled
// from (data/places/places.tsv.gz): every place with its details in the
// same order, and every other name of it a search key for it.
TEST(AtlasIndex, BuiltInHoldsEveryPlaceAndNameOfItsSource)
{
    QFile file(QStringLiteral(ZENTHRA_PLACES_SOURCE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<PlaceSource> source = readPlaceSource(file.readAll(), nullptr);
    ASSERT_TRUE(source);
    QString error;
    const auto index = openAtlasIndex(builtInAtlasIndex(), AtlasCheck::Full, &error);
    ASSERT_TRUE(index) << str(error);
    QHash<QString, QString> states, countries;
    for (const PlaceSource::State& s : source->states)
        states.insert(s.country + u'.' + s.admin, s.name);
    for (const PlaceSource::Country& c : source->countries)
        countries.insert(c.code, c.name);

    const Atlas& atlas = Atlas::shared();
    ASSERT_EQ(atlas.size(), static_cast<int>(source->places.size()));
    int placesAmiss = 0, namesAmiss = 0, names = 0;
    auto keyFor = [&x = *index](const QString& name, AtlasKeyKind kind, std::uint32_t place) {
        const auto [from, to] = std::equal_range(
            x.keys.begin(), x.keys.end(), foldPlaceName(name), [&x](const auto& a, const auto& b) {
                if constexpr (std::is_same_v<std::decay_t<decltype(a)>, AtlasKey>)
                    return x.keyText(a) < QStringView(b);
                else
                    return QStringView(a) < x.keyText(b);
            });
        return std::any_of(from, to, [&](const AtlasKey& k) {
            return k.kind == kind && k.place == place &&
                   (kind == AtlasKeyKind::NameWhole || x.textOf(x.alternates[k.ref].text) == name);
        });
    };
    for (std::uint32_t i = 0; i < source->places.size(); ++i) {
        const PlaceSource::Entry& want = source->places[i];
        const Place got = atlas.place(static_cast<int>(i));
        const bool same = got.name == want.name && got.countryCode == want.country &&
                          got.country == countries.value(want.country) &&
                          got.state == states.value(want.country + u'.' + want.admin) &&
                          got.zoneId == want.zoneId && got.population == want.population &&
                          std::abs(got.latitude - want.latitude) < 1e-5 &&
                          std::abs(got.longitude - want.longitude) < 1e-5 &&
                          keyFor(want.name, AtlasKeyKind::NameWhole, i);
        placesAmiss += same ? 0 : 1;
        EXPECT_TRUE(same || placesAmiss > 3) << str(want.name);
        for (const QString& other : want.alternates) {
            if (foldPlaceName(other).isEmpty() || foldPlaceName(other) == foldPlaceName(want.name))
                continue; // left out: nothing to search by
            ++names;
            const bool found = keyFor(other, AtlasKeyKind::AlternateWhole, i);
            namesAmiss += found ? 0 : 1;
            EXPECT_TRUE(found || namesAmiss > 3) << str(other) << " for " << str(want.name);
        }
    }
    EXPECT_EQ(placesAmiss, 0);
    EXPECT_EQ(namesAmiss, 0);
    EXPECT_EQ(names, static_cast<int>(index->alternates.size));
    EXPECT_GT(names, 160000);
}

QByteArray smallIndex()
{
    AtlasIndexWriter writer;
    const std::uint32_t india =
        writer.addCountry(QStringLiteral("India"), QStringLiteral("IN"), {}, {});
    const std::uint32_t state =
        writer.addRegion(india, QStringLiteral("Maharashtra"), {}, {QStringLiteral("MH")});
    writer.addPlace(QStringLiteral("Pune"), state, 18.51957, 73.85535, 3124458,
                    QStringLiteral("Asia/Kolkata"), {QStringLiteral("Poona")});
    return writer.finish();
}

// Damaged after its checksums were set afresh: only the checks of every
// reference stand in the way.
QByteArray resealed(QByteArray bytes, AtlasSection section, std::size_t at, std::uint32_t value)
{
    AtlasHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (at == 0)
        header.sections[static_cast<int>(section)].count = value;
    else
        std::memcpy(bytes.data() + header.sections[static_cast<int>(section)].offset + at, &value,
                    sizeof value);
    std::memcpy(bytes.data(), &header, sizeof header);
    sealAtlasIndex(bytes);
    return bytes;
}

TEST(AtlasIndex, DamagedOrTruncatedIsRefusedWithTheReason)
{
    const QByteArray good = smallIndex();
    const std::optional<Atlas> atlas = Atlas::fromIndex(good);
    ASSERT_TRUE(atlas);
    EXPECT_EQ(names(atlas->search(QStringLiteral("Poona"), 5)),
              std::vector<std::string>{"Pune, Maharashtra, India"});
    auto flipped = [&good](qsizetype at) {
        QByteArray bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x10);
        return bytes;
    };
    const QByteArray padded = QByteArray(1, '\0') + good;
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } const cases[] = {
        {"nothing", QByteArray(), "less than its header"},
        {"cut in its header", good.left(40), "less than its header"},
        {"cut by a byte", good.chopped(1), "where its header says"},
        {"a byte too many", good + '\0', "where its header says"},
        {"not aligned", QByteArray::fromRawData(padded.constData() + 1, good.size()),
         "not aligned"},
        {"magic", flipped(0), "not a compiled atlas"},
        {"version", flipped(offsetof(AtlasHeader, version)), "of version"},
        {"section table", flipped(offsetof(AtlasHeader, sections) + 4), "header is damaged"},
        {"first byte of data", flipped(sizeof(AtlasHeader)), "checksum"},
        {"last byte", flipped(good.size() - 1), "checksum"},
        {"keys past the end", resealed(good, AtlasSection::Keys, 0, 1u << 20),
         "section lies outside"},
        {"key of no place", resealed(good, AtlasSection::Keys, offsetof(AtlasKey, place), 7),
         "search key"},
        {"place of no zone", resealed(good, AtlasSection::Records, offsetof(AtlasRecord, zone), 7),
         "a place refers"},
        {"spelling of no key", resealed(good, AtlasSection::Near, 0 + sizeof(AtlasNear), 99),
         "spelling"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(Atlas::fromIndex(c.bytes, &error)) << c.what;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << c.what << ": " << str(error);
    }
}

} // namespace
