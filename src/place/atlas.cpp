// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas.h"

#include "place/atlas_built_in.h"
#include "place/atlas_index.h"

#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
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

QString Place::suggestionText() const
{
    if (matchedName.isEmpty())
        return displayName();
    Place shown = *this;
    shown.name = QStringLiteral("%1 (%2)").arg(name, matchedName);
    return shown.displayName();
}

namespace {

using Folded = AtlasIndex::Span<AtlasFolded>;

// Is q whole words of hay (or, with prefix, the beginning of a word of it)?
bool hasWords(QStringView hay, QStringView q, bool prefix)
{
    for (qsizetype i = 0; i + q.size() <= hay.size(); ++i) {
        if ((i == 0 || hay[i - 1] == u' ') && hay.mid(i).startsWith(q) &&
            (prefix || i + q.size() == hay.size() || hay[i + q.size()] == u' '))
            return true;
    }
    return false;
}

bool anyHasWords(const AtlasIndex& x, Folded hays, const QString& q, bool prefix)
{
    return std::any_of(hays.begin(), hays.end(), [&](const AtlasFolded& hay) {
        return hasWords(x.foldedOf(hay), q, prefix);
    });
}

bool contains(const AtlasIndex& x, Folded list, const QString& item)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const AtlasFolded& f) { return x.foldedOf(f) == item; });
}

// The folded query as typed, and with its abbreviated words spelled out or
// its spelled-out words abbreviated ("st petersburg", "saint petersburg").
// The last word may still be being typed, so it is left alone.
QStringList spellings(const QString& folded)
{
    static const std::pair<const char16_t*, const char16_t*> kPairs[] = {
        {u"st", u"saint"},
        {u"ste", u"sainte"},
        {u"ft", u"fort"},
        {u"mt", u"mount"},
    };
    QStringList words = folded.split(u' ');
    bool changed = false;
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        for (const auto& [shortForm, longForm] : kPairs) {
            if (words[i] == QStringView(shortForm) || words[i] == QStringView(longForm)) {
                words[i] =
                    QString::fromUtf16(words[i] == QStringView(shortForm) ? longForm : shortForm);
                changed = true;
                break;
            }
        }
    }
    QStringList out{folded};
    if (changed)
        out << words.join(u' ');
    return out;
}

bool isName(AtlasKeyKind kind)
{
    return kind == AtlasKeyKind::NameWhole || kind == AtlasKeyKind::NameWord;
}
bool isWhole(AtlasKeyKind kind)
{
    return kind == AtlasKeyKind::NameWhole || kind == AtlasKeyKind::AlternateWhole;
}

// The keys that begin with prefix, as a range of positions.
std::pair<std::uint32_t, std::uint32_t> keysBeginning(const AtlasIndex& x, QStringView prefix)
{
    const AtlasKey* first =
        std::lower_bound(x.keys.begin(), x.keys.end(), prefix,
                         [&x](const AtlasKey& k, QStringView q) { return x.keyText(k) < q; });
    const AtlasKey* last =
        std::partition_point(first, x.keys.end(), [&x, prefix](const AtlasKey& k) {
            return x.keyText(k).startsWith(prefix);
        });
    return {static_cast<std::uint32_t>(first - x.keys.begin()),
            static_cast<std::uint32_t>(last - x.keys.begin())};
}

// The keys of the spellings from..to whose signatures do not rule out
// coming within limit edits of word. Counting bits is most of the work: with
// the processor's own instruction where it has one.
#if defined(__x86_64__) && defined(__ELF__)
__attribute__((target_clones("popcnt", "default")))
#endif
void spellingsWithin(const AtlasNear* from, const AtlasNear* to, const AtlasNear& word, int limit,
                     std::vector<std::uint32_t>& keys)
{
    for (const AtlasNear* n = from; n < to; ++n) {
        if (atlasEditsAtLeast(word, *n) <= limit)
            keys.push_back(n->key);
    }
}

// Edit distances from one word of up to 64 letters, a bit for each letter
// of it (Myers' bit-vector algorithm, in Hyyrö's form for whole words).
class WordDistance {
public:
    static constexpr qsizetype kMost = 64;

    explicit WordDistance(QStringView word)
        : size_(static_cast<int>(word.size()))
    {
        for (qsizetype i = 0; i < word.size(); ++i) {
            const char16_t c = word[i].unicode();
            const std::uint64_t bit = std::uint64_t(1) << i;
            if (c < 128) {
                ascii_[c] |= bit;
                continue;
            }
            auto found = std::find_if(other_.begin(), other_.end(),
                                      [c](const auto& o) { return o.first == c; });
            if (found == other_.end())
                other_.emplace_back(c, bit);
            else
                found->second |= bit;
        }
    }

    int to(QStringView text) const
    {
        const std::uint64_t last = std::uint64_t(1) << (size_ - 1);
        std::uint64_t plus = ~std::uint64_t(0);
        std::uint64_t minus = 0;
        int score = size_;
        for (const QChar ch : text) {
            const std::uint64_t eq = bitsOf(ch.unicode());
            const std::uint64_t xv = eq | minus;
            const std::uint64_t xh = (((eq & plus) + plus) ^ plus) | eq;
            std::uint64_t ph = minus | ~(xh | plus);
            std::uint64_t mh = plus & xh;
            if (ph & last)
                ++score;
            else if (mh & last)
                --score;
            ph = (ph << 1) | 1;
            mh <<= 1;
            plus = mh | ~(xv | ph);
            minus = ph & xv;
        }
        return score;
    }

private:
    std::uint64_t bitsOf(char16_t c) const
    {
        if (c < 128)
            return ascii_[c];
        for (const auto& [letter, bits] : other_)
            if (letter == c)
                return bits;
        return 0;
    }

    int size_;
    std::uint64_t ascii_[128] = {};
    std::vector<std::pair<char16_t, std::uint64_t>> other_;
};

// Edit distance, or limit + 1 once it must exceed limit; row is room for
// one row, kept between calls.
int editDistance(QStringView a, QStringView b, int limit, std::vector<int>& row)
{
    if (std::abs(static_cast<int>(a.size() - b.size())) > limit)
        return limit + 1;
    row.resize(static_cast<std::size_t>(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        int best = row[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto at = static_cast<std::size_t>(j);
            const int next =
                std::min({row[at] + 1, row[at - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = row[at];
            row[at] = next;
            best = std::min(best, next);
        }
        if (best > limit)
            return limit + 1;
    }
    return row.back();
}

} // namespace

Atlas::Atlas(const std::vector<Place>& places)
{
    AtlasIndexWriter writer;
    QHash<QString, std::uint32_t> countries;
    QHash<QString, std::uint32_t> regions;
    for (const Place& p : places) {
        const QString countryKey = p.countryCode + u'\t' + p.country;
        auto c = countries.constFind(countryKey);
        if (c == countries.cend())
            c = countries.insert(countryKey, writer.addCountry(p.country, p.countryCode, {}, {}));
        const QString regionKey = countryKey + u'\t' + p.state;
        auto r = regions.constFind(regionKey);
        if (r == regions.cend())
            r = regions.insert(regionKey, writer.addRegion(*c, p.state, {}, {}));
        writer.addPlace(p.name, *r, p.latitude, p.longitude, p.population, p.zoneId, {});
    }
    index_ = openAtlasIndex(writer.finish(), AtlasCheck::Full, nullptr);
}

Atlas Atlas::openBuiltIn()
{
    Atlas atlas;
    QString error;
    atlas.index_ = openAtlasIndex(builtInAtlasIndex(), AtlasCheck::Header, &error);
    if (!atlas.index_)
        qWarning("%s", qPrintable(error));
    return atlas;
}

std::optional<Atlas> Atlas::fromIndex(const QByteArray& index, QString* error)
{
    Atlas atlas;
    atlas.index_ = openAtlasIndex(index, AtlasCheck::Full, error);
    if (!atlas.index_)
        return std::nullopt;
    return atlas;
}

const Atlas& Atlas::shared()
{
    static const Atlas atlas = openBuiltIn();
    return atlas;
}

int Atlas::size() const
{
    return index_ ? static_cast<int>(index_->records.size) : 0;
}

Place Atlas::placeAt(std::uint32_t index, const AtlasKey* matched) const
{
    const AtlasIndex& x = *index_;
    const AtlasRecord& r = x.records[index];
    const AtlasRegion& region = x.regions[r.region];
    const AtlasCountry& country = x.countries[region.country];
    Place p;
    p.name = x.textOf(r.name);
    p.state = x.textOf(region.state);
    p.country = x.textOf(country.name);
    p.countryCode = x.textOf(country.code);
    p.zoneId = x.textOf(x.zones[r.zone]);
    p.latitude = r.latitude / 1e5;
    p.longitude = r.longitude / 1e5;
    p.population = r.population;
    if (matched && !isName(matched->kind)) {
        const QString other = x.textOf(x.alternates[matched->ref].text);
        // "Washington" for "Washington, D.C." adds nothing.
        const QString foldedName = foldPlaceName(p.name);
        const QString foldedOther = foldPlaceName(other);
        if (!(foldedName.startsWith(foldedOther) &&
              (foldedName.size() == foldedOther.size() || foldedName[foldedOther.size()] == u' ')))
            p.matchedName = other;
    }
    return p;
}

Place Atlas::place(int index) const
{
    if (index < 0 || index >= size())
        return {};
    return placeAt(static_cast<std::uint32_t>(index), nullptr);
}

bool Atlas::regionMatches(const AtlasRegion& region, const QStringList& qualifiers,
                          bool lastAsPrefix) const
{
    const AtlasIndex& x = *index_;
    const AtlasCountry& country = x.countries[region.country];
    for (qsizetype i = 0; i < qualifiers.size(); ++i) {
        const QString& q = qualifiers[i];
        QString compact = q;
        compact.remove(u' '); // "D.C." folds to "d c"
        if (contains(x, x.list(region.codes), compact) ||
            contains(x, x.list(country.codes), compact))
            continue;
        // A code never matches words: "SA" is not "Santo".
        if (std::binary_search(x.codes.begin(), x.codes.end(), QStringView(compact),
                               [&x](const auto& a, const auto& b) {
                                   using A = std::decay_t<decltype(a)>;
                                   if constexpr (std::is_same_v<A, AtlasFolded>)
                                       return x.foldedOf(a) < b;
                                   else
                                       return a < x.foldedOf(b);
                               }))
            return false;
        const bool prefix = lastAsPrefix && i + 1 == qualifiers.size();
        if (!anyHasWords(x, x.list(region.names), q, prefix) &&
            !anyHasWords(x, x.list(country.names), q, prefix))
            return false;
    }
    return true;
}

std::vector<PlaceMatch> Atlas::match(const QString& query, int maxResults) const
{
    if (maxResults <= 0 || size() == 0)
        return {};
    const AtlasIndex& x = *index_;
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
    const QStringList names = spellings(name);

    // Bonus for how a key matched, in powers of ten of population: an exact
    // name outweighs a hundredfold population matched by its beginning only.
    auto bonus = [](AtlasKeyKind kind, bool whole) {
        switch (kind) {
        case AtlasKeyKind::NameWhole:
            return whole ? 3.0f : 1.0f;
        case AtlasKeyKind::AlternateWhole:
            return whole ? 2.6f : 0.6f;
        case AtlasKeyKind::NameWord:
            return whole ? 0.8f : 0.3f;
        case AtlasKeyKind::AlternateWord:
            return whole ? 0.4f : 0.0f;
        }
        return 0.0f;
    };
    struct Hit {
        float score;
        std::uint32_t place;
        std::uint32_t key;
        bool exact;
        bool asTyped; // another name spelled as typed, accents and all
    };
    const QString typed = parts.front().simplified();

    for (const bool lastAsPrefix : {false, true}) {
        if (lastAsPrefix && (qualifiers.isEmpty() || qualifiers.back().size() < 3))
            break;
        std::vector<std::int8_t> regionOk(x.regions.size, -1);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
        std::size_t most = 0;
        for (const QString& spelled : names) {
            ranges.push_back(keysBeginning(x, spelled));
            most += ranges.back().second - ranges.back().first;
        }
        std::vector<Hit> hits;
        hits.reserve(most); // a single letter matches tens of thousands of keys
        for (qsizetype s = 0; s < names.size(); ++s) {
            const QString& spelled = names[s];
            const auto [first, last] = ranges[static_cast<std::size_t>(s)];
            for (std::uint32_t at = first; at < last; ++at) {
                const AtlasKey& k = x.keys[at];
                std::int8_t& ok = regionOk[k.region];
                if (ok < 0)
                    ok = regionMatches(x.regions[k.region], qualifiers, lastAsPrefix) ? 1 : 0;
                if (!ok)
                    continue;
                const bool whole = k.length == spelled.size();
                const float score = bonus(k.kind, whole) + k.rank;
                const bool exact = whole && !lastAsPrefix && isWhole(k.kind);
                const bool asTyped =
                    whole && k.kind == AtlasKeyKind::AlternateWhole &&
                    x.textOf(x.alternates[k.ref].text).compare(typed, Qt::CaseInsensitive) == 0;
                hits.push_back({score, k.place, at, exact, asTyped});
            }
        }
        if (hits.empty())
            continue;

        // Best first; on a tie the name before another name, so that no
        // bracket is shown needlessly, and the spelling typed before others.
        auto better = [&x](const Hit& a, const Hit& b) {
            if (a.score != b.score)
                return a.score > b.score;
            if (a.place != b.place)
                return a.place < b.place;
            if (x.keys[a.key].kind != x.keys[b.key].kind)
                return x.keys[a.key].kind < x.keys[b.key].kind;
            return a.asTyped > b.asTyped;
        };
        const auto wanted = static_cast<std::size_t>(maxResults);
        std::size_t take = std::min(hits.size(), std::max<std::size_t>(64, wanted * 8));
        std::vector<PlaceMatch> out;
        for (;;) {
            std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(take),
                              hits.end(), better);
            std::vector<std::uint32_t> seen;
            out.clear();
            for (std::size_t i = 0; i < take && out.size() < wanted; ++i) {
                if (std::find(seen.cbegin(), seen.cend(), hits[i].place) != seen.cend())
                    continue;
                seen.push_back(hits[i].place);
                out.push_back({placeAt(hits[i].place, &x.keys[hits[i].key]), hits[i].exact});
            }
            if (out.size() >= wanted || take == hits.size())
                break;
            take = std::min(hits.size(), take * 4);
        }
        return out;
    }
    return {};
}

std::vector<Place> Atlas::search(const QString& query, int maxResults) const
{
    std::vector<Place> out;
    for (PlaceMatch& m : match(query, maxResults))
        out.push_back(std::move(m.place));
    return out;
}

std::vector<Place> Atlas::nearest(const QString& query, int maxResults) const
{
    const QString name = foldPlaceName(query.section(u',', 0, 0));
    if (maxResults <= 0 || name.isEmpty() || size() == 0 || index_->nearLengths.size == 0)
        return {};
    const AtlasIndex& x = *index_;
    const int limit = 1 + static_cast<int>(name.size()) / 4;
    struct Near {
        int distance;
        std::uint32_t place;
        std::uint32_t key;
    };
    std::vector<Near> near;
    // Only names of about the right length whose letters and pairs of
    // letters do not already rule them out.
    const auto lengths = static_cast<int>(x.nearLengths.size) - 1;
    const int shortest = std::clamp(static_cast<int>(name.size()) - limit, 0, lengths);
    const int longest = std::clamp(static_cast<int>(name.size()) + limit + 1, 0, lengths);
    std::vector<std::uint32_t> candidates;
    spellingsWithin(x.near.begin() + x.nearLengths[std::uint32_t(shortest)],
                    x.near.begin() + x.nearLengths[std::uint32_t(longest)], atlasSpelling(name, 0),
                    limit, candidates);
    std::optional<WordDistance> shortWord;
    if (name.size() <= WordDistance::kMost)
        shortWord.emplace(name);
    std::vector<int> row;
    for (const std::uint32_t key : candidates) {
        const AtlasKey& k = x.keys[key];
        const int d =
            shortWord ? shortWord->to(x.keyText(k)) : editDistance(name, x.keyText(k), limit, row);
        if (d <= limit)
            near.push_back({d, k.place, key});
    }
    // In key order, as if every key had been tried in turn.
    std::sort(near.begin(), near.end(), [](const Near& a, const Near& b) { return a.key < b.key; });
    // Stable: of one place's spellings equally close, the first alphabetically.
    std::stable_sort(near.begin(), near.end(), [&x](const Near& a, const Near& b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        if (x.records[a.place].population != x.records[b.place].population)
            return x.records[a.place].population > x.records[b.place].population;
        return x.keys[a.key].kind < x.keys[b.key].kind;
    });
    std::vector<Place> out;
    std::vector<std::uint32_t> seen;
    for (const Near& n : near) {
        if (out.size() >= static_cast<std::size_t>(maxResults))
            break;
        if (std::find(seen.cbegin(), seen.cend(), n.place) != seen.cend())
            continue;
        seen.push_back(n.place);
        out.push_back(placeAt(n.place, &x.keys[n.key]));
    }
    return out;
}

} // namespace zenthra
