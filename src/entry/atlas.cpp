// SPDX-License-Identifier: GPL-3.0-or-later

// GLib's headers name a struct member "signals"; they go before any Qt header.
#include <geonames.h>
#include <libintl.h>

#include "entry/atlas.h"

#include <QStringView>
#include <QThreadPool>

#include <algorithm>
#include <string>
#include <utility>

namespace zenthra {

QString Place::displayName() const
{
    QString text = name;
    if (!state.isEmpty())
        text += QStringLiteral(", ") + state;
    if (!country.isEmpty())
        text += QStringLiteral(", ") + country;
    return text;
}

namespace {

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

bool isApostrophe(char32_t c)
{
    switch (c) {
    case U'\'':
    case U'`':
    case U'\u00B4': // acute accent
    case U'\u02B9': // modifier letter prime
    case U'\u02BB': // turned comma (okina)
    case U'\u02BC': // modifier letter apostrophe
    case U'\u02BF': // left half ring (ayin)
    case U'\u2018':
    case U'\u2019':
        return true;
    default:
        return false;
    }
}

// Letters that keep their shape under decomposition; lower case only, since
// they are looked up after case folding.
const char* spelledOut(char32_t c)
{
    switch (c) {
    case U'\u00DF': return "ss"; // ß
    case U'\u00E6': return "ae"; // æ
    case U'\u00F0': return "d";  // ð
    case U'\u00F8': return "o";  // ø
    case U'\u00FE': return "th"; // þ
    case U'\u0111': return "d";  // đ
    case U'\u0127': return "h";  // ħ
    case U'\u0131': return "i";  // dotless ı
    case U'\u0142': return "l";  // ł
    case U'\u0153': return "oe"; // œ
    case U'\u0167': return "t";  // ŧ
    default: return nullptr;
    }
}

// Does q begin hay, or begin a word of hay (a word follows a blank)?
bool beginsWord(const QString& hay, const QString& q)
{
    const QStringView view(hay);
    for (qsizetype i = 0; i + q.size() <= view.size(); ++i) {
        if ((i == 0 || view[i - 1] == u' ') && view.mid(i).startsWith(q))
            return true;
    }
    return false;
}

// Common short forms that are not the country code.
QString countryCodeOfShortForm(const QString& folded)
{
    if (folded == u"usa")
        return QStringLiteral("us");
    if (folded == u"uk")
        return QStringLiteral("gb");
    if (folded == u"uae")
        return QStringLiteral("ae");
    return {};
}

// The library translates city, state and country names through gettext's
// "geonames" domain and falls back to the English name when no translation is
// found. A binding to a directory that cannot hold catalogs ("/dev/null" is
// no directory) gives the English names whatever the locale; the binding is
// restored afterwards.
class EnglishNamesOnly {
public:
    EnglishNamesOnly()
    {
        const char* dir = bindtextdomain(kDomain, nullptr);
        if (dir)
            previous_ = dir;
        bindtextdomain(kDomain, "/dev/null");
    }
    ~EnglishNamesOnly()
    {
        if (!previous_.empty())
            bindtextdomain(kDomain, previous_.c_str());
    }
    EnglishNamesOnly(const EnglishNamesOnly&) = delete;
    EnglishNamesOnly& operator=(const EnglishNamesOnly&) = delete;

private:
    static constexpr const char* kDomain = "geonames";
    std::string previous_;
};

QString fromGeonames(const gchar* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

QString foldPlaceName(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    bool pendingBlank = false;
    for (const char32_t c : decomposed.toUcs4()) {
        if (isMark(c) || isApostrophe(c))
            continue;
        if (!QChar::isLetterOrNumber(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank) {
            out += u' ';
            pendingBlank = false;
        }
        const char32_t folded = QChar::toCaseFolded(c);
        if (const char* spelled = spelledOut(folded))
            out += QLatin1String(spelled);
        else
            out += QString::fromUcs4(&folded, 1);
    }
    return out;
}

Atlas::Atlas(std::vector<Place> places)
    : Atlas(std::move(places), {}, {})
{
}

Atlas::Atlas(std::vector<Place> places, std::vector<QString> localStates,
             std::vector<QString> localCountries)
    : places_(std::move(places))
{
    const bool haveLocal =
        localStates.size() == places_.size() && localCountries.size() == places_.size();
    qualifiers_.reserve(places_.size());
    keys_.reserve(places_.size() * 2);
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const Place& p = places_[i];
        Qualifiers q;
        q.state = foldPlaceName(p.state);
        q.country = foldPlaceName(p.country);
        q.countryCode = foldPlaceName(p.countryCode);
        if (haveLocal) {
            q.localState = foldPlaceName(localStates[i]);
            q.localCountry = foldPlaceName(localCountries[i]);
        }
        qualifiers_.push_back(std::move(q));

        for (const bool local : {false, true}) {
            const QString folded = foldPlaceName(local ? p.localName : p.name);
            if (folded.isEmpty())
                continue;
            keys_.push_back({folded, static_cast<int>(i), true, local});
            for (qsizetype at = folded.indexOf(u' '); at >= 0; at = folded.indexOf(u' ', at + 1))
                keys_.push_back({folded.mid(at + 1), static_cast<int>(i), false, local});
        }
    }
    std::sort(keys_.begin(), keys_.end(),
              [](const Key& a, const Key& b) { return a.folded < b.folded; });
}

bool Atlas::matchesQualifier(int place, const QString& q) const
{
    const Qualifiers& f = qualifiers_[static_cast<std::size_t>(place)];
    if (q == f.countryCode || (!f.countryCode.isEmpty() && countryCodeOfShortForm(q) == f.countryCode))
        return true;
    return beginsWord(f.state, q) || beginsWord(f.country, q) || beginsWord(f.localState, q)
        || beginsWord(f.localCountry, q);
}

std::vector<Place> Atlas::search(const QString& query, int maxResults) const
{
    if (maxResults <= 0)
        return {};
    const QStringList parts = query.split(u',');
    const QString name = foldPlaceName(parts.front());
    if (name.isEmpty())
        return {};
    QStringList qualifiers;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString q = foldPlaceName(parts[i]);
        if (!q.isEmpty())
            qualifiers << q;
    }

    struct Hit {
        int rank; // 0 exact, 1 English name prefix, 2 local name prefix, 3 later word prefix
        int place;
    };
    std::vector<Hit> hits;
    auto it = std::lower_bound(keys_.begin(), keys_.end(), name,
                               [](const Key& k, const QString& q) { return k.folded < q; });
    for (; it != keys_.end() && it->folded.startsWith(name); ++it) {
        const bool qualified =
            std::all_of(qualifiers.cbegin(), qualifiers.cend(),
                        [&](const QString& q) { return matchesQualifier(it->place, q); });
        if (!qualified)
            continue;
        int rank = 3;
        if (it->wholeName)
            rank = it->folded.size() == name.size() ? 0 : (it->local ? 2 : 1);
        hits.push_back({rank, it->place});
    }

    // One hit per place, its best rank.
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return a.place != b.place ? a.place < b.place : a.rank < b.rank;
    });
    hits.erase(std::unique(hits.begin(), hits.end(),
                           [](const Hit& a, const Hit& b) { return a.place == b.place; }),
               hits.end());

    auto better = [this](const Hit& a, const Hit& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        const Place& pa = place(a.place);
        const Place& pb = place(b.place);
        if (pa.population != pb.population)
            return pa.population > pb.population;
        return a.place < b.place; // stable order for equal populations
    };
    const std::size_t count = std::min(hits.size(), static_cast<std::size_t>(maxResults));
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(count), hits.end(),
                      better);

    std::vector<Place> result;
    result.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        result.push_back(place(hits[i].place));
    return result;
}

Atlas Atlas::loadFromGeonames()
{
    const int n = std::max(0, static_cast<int>(geonames_get_n_cities()));
    std::vector<Place> places(static_cast<std::size_t>(n));
    std::vector<QString> localNames(places.size());
    std::vector<QString> localStates(places.size());
    std::vector<QString> localCountries(places.size());

    // First the names in the user's message language, the library's default.
    for (int i = 0; i < n; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city)
            continue;
        const auto at = static_cast<std::size_t>(i);
        localNames[at] = fromGeonames(geonames_city_get_name(city));
        localStates[at] = fromGeonames(geonames_city_get_state(city));
        localCountries[at] = fromGeonames(geonames_city_get_country(city));
        geonames_city_free(city);
    }

    {
        const EnglishNamesOnly english;
        for (int i = 0; i < n; ++i) {
            GeonamesCity* city = geonames_get_city(i);
            if (!city)
                continue;
            Place& p = places[static_cast<std::size_t>(i)];
            p.name = fromGeonames(geonames_city_get_name(city));
            p.state = fromGeonames(geonames_city_get_state(city));
            p.country = fromGeonames(geonames_city_get_country(city));
            p.countryCode = fromGeonames(geonames_city_get_country_code(city));
            p.zoneId = fromGeonames(geonames_city_get_timezone(city));
            p.latitude = geonames_city_get_latitude(city);
            p.longitude = geonames_city_get_longitude(city);
            p.population = geonames_city_get_population(city);
            geonames_city_free(city);
        }
    }

    // Drop any index the library could not read, keeping the lists parallel.
    std::vector<Place> kept;
    std::vector<QString> keptStates, keptCountries;
    kept.reserve(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (places[i].name.isEmpty())
            continue;
        if (localNames[i] != places[i].name)
            places[i].localName = localNames[i];
        kept.push_back(std::move(places[i]));
        keptStates.push_back(localStates[i] != kept.back().state ? localStates[i] : QString());
        keptCountries.push_back(localCountries[i] != kept.back().country ? localCountries[i]
                                                                          : QString());
    }
    return Atlas(std::move(kept), std::move(keptStates), std::move(keptCountries));
}

const Atlas& Atlas::shared()
{
    static const Atlas atlas = loadFromGeonames();
    return atlas;
}

AtlasLoader* AtlasLoader::instance()
{
    // Never deleted, so a late report from the worker cannot reach a destroyed object.
    static AtlasLoader* const loader = new AtlasLoader;
    return loader;
}

void AtlasLoader::start()
{
    if (started_.exchange(true))
        return;
    QThreadPool::globalInstance()->start([this] {
        atlas_.store(&Atlas::shared(), std::memory_order_release);
        Q_EMIT ready();
    });
}

} // namespace zenthra
