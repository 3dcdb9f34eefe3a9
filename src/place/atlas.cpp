// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas.h"

#include <QFile>
#include <QHash>
#include <QThreadPool>
#include <QtDebug>

#include <zlib.h>

#include <algorithm>
#include <cmath>
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

// Is q whole words of hay (or, with prefix, the beginning of a word of it)?
bool hasWords(QStringView hay, QStringView q, bool prefix)
{
    for (qsizetype i = 0; i + q.size() <= hay.size(); ++i) {
        if ((i == 0 || hay[i - 1] == u' ') && hay.mid(i).startsWith(q)
            && (prefix || i + q.size() == hay.size() || hay[i + q.size()] == u' '))
            return true;
    }
    return false;
}

bool anyHasWords(const std::vector<QString>& hays, const QString& q, bool prefix)
{
    return std::any_of(hays.cbegin(), hays.cend(),
                       [&](const QString& hay) { return hasWords(hay, q, prefix); });
}

bool contains(const std::vector<QString>& list, const QString& item)
{
    return std::find(list.cbegin(), list.cend(), item) != list.cend();
}

// The folded query as typed, and with its abbreviated words spelled out or
// its spelled-out words abbreviated ("st petersburg", "saint petersburg").
// The last word may still be being typed, so it is left alone.
QStringList spellings(const QString& folded)
{
    static const std::pair<const char16_t*, const char16_t*> kPairs[] = {
        {u"st", u"saint"}, {u"ste", u"sainte"}, {u"ft", u"fort"}, {u"mt", u"mount"},
    };
    QStringList words = folded.split(u' ');
    bool changed = false;
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        for (const auto& [shortForm, longForm] : kPairs) {
            if (words[i] == QStringView(shortForm) || words[i] == QStringView(longForm)) {
                words[i] = QString::fromUtf16(words[i] == QStringView(shortForm) ? longForm : shortForm);
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

// Edit distance, or limit + 1 once it must exceed limit.
int editDistance(QStringView a, QStringView b, int limit)
{
    if (std::abs(static_cast<int>(a.size() - b.size())) > limit)
        return limit + 1;
    std::vector<int> row(static_cast<std::size_t>(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        int best = row[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto at = static_cast<std::size_t>(j);
            const int next = std::min({row[at] + 1, row[at - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = row[at];
            row[at] = next;
            best = std::min(best, next);
        }
        if (best > limit)
            return limit + 1;
    }
    return row.back();
}

QByteArray gunzip(const QByteArray& packed)
{
    z_stream zs{};
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK)
        return {};
    QByteArray out;
    out.resize(packed.size() * 3);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    zs.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (zs.total_out == static_cast<uLong>(out.size()))
            out.resize(out.size() * 2);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + zs.total_out);
        zs.avail_out = static_cast<uInt>(out.size() - static_cast<qsizetype>(zs.total_out));
        status = inflate(&zs, Z_NO_FLUSH);
    }
    const bool ok = status == Z_STREAM_END;
    out.resize(ok ? static_cast<qsizetype>(zs.total_out) : 0);
    inflateEnd(&zs);
    return out;
}

// The tab-separated fields of one line, without copying.
QList<QByteArrayView> fieldsOf(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype from = 0;
    for (qsizetype tab = line.indexOf('\t'); tab >= 0; tab = line.indexOf('\t', from)) {
        fields << line.sliced(from, tab - from);
        from = tab + 1;
    }
    fields << line.sliced(from);
    return fields;
}

QString text(QByteArrayView field) { return QString::fromUtf8(field); }

QStringList listOf(QByteArrayView field)
{
    return field.isEmpty() ? QStringList() : text(field).split(u'|');
}

std::vector<QString> foldedAll(const QStringList& names)
{
    std::vector<QString> out;
    for (const QString& n : names) {
        const QString f = foldPlaceName(n);
        if (!f.isEmpty() && !contains(out, f))
            out.push_back(f);
    }
    return out;
}

} // namespace

QString foldPlaceName(const QString& text)
{
    // Most names are plain ASCII: no decomposition needed.
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QString out;
        out.reserve(text.size());
        bool pendingBlank = false;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == u'\'' || u == u'`')
                continue;
            const bool alnum = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
            if (!alnum) {
                pendingBlank = !out.isEmpty();
                continue;
            }
            if (pendingBlank) {
                out += u' ';
                pendingBlank = false;
            }
            out += (u >= u'A' && u <= u'Z') ? QChar(u + (u'a' - u'A')) : c;
        }
        return out;
    }
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

// Fills an atlas: countries, their regions, then places.
struct Atlas::Builder {
    Atlas& atlas;
    QHash<QString, std::uint16_t> zoneIndex;

    int addCountry(const QString& name, const QString& code, QStringList aliases, const QStringList& codes)
    {
        aliases.prepend(name);
        Country c{name, code, foldedAll(aliases), foldedAll(QStringList(codes) << code)};
        atlas.countries_.push_back(std::move(c));
        return static_cast<int>(atlas.countries_.size()) - 1;
    }

    std::uint32_t addRegion(int country, const QString& state, QStringList aliases, const QStringList& codes)
    {
        if (!state.isEmpty())
            aliases.prepend(state);
        atlas.regions_.push_back({country, state, foldedAll(aliases), foldedAll(codes)});
        return static_cast<std::uint32_t>(atlas.regions_.size() - 1);
    }

    std::uint32_t addText(const QString& s)
    {
        const auto at = static_cast<std::uint32_t>(atlas.text_.size());
        atlas.text_ += s;
        return at;
    }

    void addKeys(const QString& folded, KeyKind whole, KeyKind word, std::uint32_t ref)
    {
        const auto at = static_cast<std::uint32_t>(atlas.folded_.size());
        const auto length = static_cast<std::uint16_t>(folded.size());
        atlas.folded_ += folded;
        atlas.keys_.push_back({at, length, whole, ref});
        for (qsizetype i = folded.indexOf(u' '); i >= 0; i = folded.indexOf(u' ', i + 1)) {
            const auto skip = static_cast<std::uint16_t>(i + 1);
            atlas.keys_.push_back({at + skip, static_cast<std::uint16_t>(length - skip), word, ref});
        }
    }

    void addPlace(const QString& name, std::uint32_t region, double latitude, double longitude,
                  std::uint32_t population, const QString& zoneId, const QStringList& alternates)
    {
        const QString folded = foldPlaceName(name).left(0xFFFF);
        if (folded.isEmpty())
            return;
        auto zone = zoneIndex.constFind(zoneId);
        if (zone == zoneIndex.cend()) {
            atlas.zones_.push_back(zoneId);
            zone = zoneIndex.insert(zoneId, static_cast<std::uint16_t>(atlas.zones_.size() - 1));
        }
        const auto index = static_cast<std::uint32_t>(atlas.records_.size());
        atlas.records_.push_back({addText(name), static_cast<std::uint16_t>(std::min<qsizetype>(name.size(), 0xFFFF)),
                                  *zone, region, static_cast<std::int32_t>(std::lround(latitude * 1e5)),
                                  static_cast<std::int32_t>(std::lround(longitude * 1e5)), population});
        addKeys(folded, NameWhole, NameWord, index);
        for (const QString& alternate : alternates) {
            const QString f = foldPlaceName(alternate).left(0xFFFF);
            if (f.isEmpty() || f == folded || alternate.size() > 0xFFFF)
                continue;
            atlas.alternates_.push_back(
                {addText(alternate), static_cast<std::uint16_t>(alternate.size()), index});
            addKeys(f, AlternateWhole, AlternateWord, static_cast<std::uint32_t>(atlas.alternates_.size() - 1));
        }
    }

    void finish()
    {
        const QString& pool = atlas.folded_;
        std::sort(atlas.keys_.begin(), atlas.keys_.end(), [&pool](const Key& a, const Key& b) {
            return QStringView(pool).mid(a.folded, a.length) < QStringView(pool).mid(b.folded, b.length);
        });
        for (const Country& c : atlas.countries_)
            atlas.allCodes_.insert(atlas.allCodes_.end(), c.codes.cbegin(), c.codes.cend());
        for (const Region& r : atlas.regions_)
            atlas.allCodes_.insert(atlas.allCodes_.end(), r.codes.cbegin(), r.codes.cend());
        std::sort(atlas.allCodes_.begin(), atlas.allCodes_.end());
        atlas.allCodes_.erase(std::unique(atlas.allCodes_.begin(), atlas.allCodes_.end()), atlas.allCodes_.end());
        atlas.text_.squeeze();
        atlas.folded_.squeeze();
        atlas.keys_.shrink_to_fit();
    }
};

Atlas::Atlas(const std::vector<Place>& places)
{
    Builder b{*this, {}};
    QHash<QString, int> countries;
    QHash<QString, std::uint32_t> regions;
    for (const Place& p : places) {
        const QString countryKey = p.countryCode + u'\t' + p.country;
        auto c = countries.constFind(countryKey);
        if (c == countries.cend())
            c = countries.insert(countryKey, b.addCountry(p.country, p.countryCode, {}, {}));
        const QString regionKey = countryKey + u'\t' + p.state;
        auto r = regions.constFind(regionKey);
        if (r == regions.cend())
            r = regions.insert(regionKey, b.addRegion(*c, p.state, {}, {}));
        b.addPlace(p.name, *r, p.latitude, p.longitude, p.population, p.zoneId, {});
    }
    b.finish();
}

Atlas Atlas::loadPlaceList()
{
    QFile file(QStringLiteral(":/zenthra/places.tsv.gz"));
    const QByteArray data = file.open(QIODevice::ReadOnly) ? gunzip(file.readAll()) : QByteArray();
    if (data.isEmpty()) {
        qWarning("The place list built into the program cannot be read");
        return {};
    }
    Atlas atlas;
    Builder b{atlas, {}};
    QHash<QString, int> countries;          // by code
    QHash<QString, std::uint32_t> regions;  // by "code.admin"; "code." for none
    const QByteArrayView all(data);
    for (qsizetype from = 0; from < all.size();) {
        qsizetype end = all.indexOf('\n', from);
        if (end < 0)
            end = all.size();
        const QByteArrayView line = all.sliced(from, end - from);
        from = end + 1;
        if (line.isEmpty() || line[0] == '#')
            continue;
        const QList<QByteArrayView> f = fieldsOf(line);
        if (f[0] == "C" && f.size() >= 5) {
            const QString code = text(f[1]);
            const int c = b.addCountry(text(f[2]), code, listOf(f[3]), listOf(f[4]));
            countries.insert(code, c);
            regions.insert(code + u'.', b.addRegion(c, {}, {}, {}));
        } else if (f[0] == "S" && f.size() >= 6 && countries.contains(text(f[1]))) {
            regions.insert(text(f[1]) + u'.' + text(f[2]),
                           b.addRegion(countries.value(text(f[1])), text(f[3]), listOf(f[4]), listOf(f[5])));
        } else if (f[0] == "P" && f.size() >= 9) {
            const QString code = text(f[2]);
            auto r = regions.constFind(code + u'.' + text(f[3]));
            if (r == regions.cend())
                r = regions.constFind(code + u'.');
            if (r == regions.cend())
                continue;
            b.addPlace(text(f[1]), *r, f[4].toByteArray().toDouble(), f[5].toByteArray().toDouble(),
                       f[6].toByteArray().toUInt(), text(f[7]), listOf(f[8]));
        }
    }
    b.finish();
    return atlas;
}

std::uint32_t Atlas::keyPlace(const Key& k) const
{
    return (k.kind == NameWhole || k.kind == NameWord) ? k.ref : alternates_[k.ref].place;
}

Place Atlas::placeAt(std::uint32_t index, const Key* matched) const
{
    const Record& r = records_[index];
    const Region& region = regions_[r.region];
    const Country& country = countries_[static_cast<std::size_t>(region.country)];
    Place p;
    p.name = text_.mid(r.name, r.nameLength);
    p.state = region.state;
    p.country = country.name;
    p.countryCode = country.code;
    p.zoneId = zones_[r.zone];
    p.latitude = r.latitude / 1e5;
    p.longitude = r.longitude / 1e5;
    p.population = r.population;
    if (matched && (matched->kind == AlternateWhole || matched->kind == AlternateWord)) {
        const Alternate& a = alternates_[matched->ref];
        const QString other = text_.mid(a.text, a.length);
        // "Washington" for "Washington, D.C." adds nothing.
        const QString foldedName = foldPlaceName(p.name);
        const QString foldedOther = foldPlaceName(other);
        if (!(foldedName.startsWith(foldedOther)
              && (foldedName.size() == foldedOther.size() || foldedName[foldedOther.size()] == u' ')))
            p.matchedName = other;
    }
    return p;
}

Place Atlas::place(int index) const
{
    return placeAt(static_cast<std::uint32_t>(index), nullptr);
}

bool Atlas::regionMatches(const Region& region, const QStringList& qualifiers, bool lastAsPrefix) const
{
    const Country& country = countries_[static_cast<std::size_t>(region.country)];
    for (qsizetype i = 0; i < qualifiers.size(); ++i) {
        const QString& q = qualifiers[i];
        QString compact = q;
        compact.remove(u' '); // "D.C." folds to "d c"
        if (contains(region.codes, compact) || contains(country.codes, compact))
            continue;
        // A code never matches words: "SA" is not "Santo".
        if (std::binary_search(allCodes_.cbegin(), allCodes_.cend(), compact))
            return false;
        const bool prefix = lastAsPrefix && i + 1 == qualifiers.size();
        if (!anyHasWords(region.names, q, prefix) && !anyHasWords(country.names, q, prefix))
            return false;
    }
    return true;
}

std::vector<PlaceMatch> Atlas::match(const QString& query, int maxResults) const
{
    if (maxResults <= 0 || keys_.empty())
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
    const QStringList names = spellings(name);

    // Bonus for how a key matched, in powers of ten of population: an exact
    // name outweighs a hundredfold population matched by its beginning only.
    auto bonus = [](KeyKind kind, bool whole) {
        switch (kind) {
        case NameWhole: return whole ? 3.0f : 1.0f;
        case AlternateWhole: return whole ? 2.6f : 0.6f;
        case NameWord: return whole ? 0.8f : 0.3f;
        case AlternateWord: return whole ? 0.4f : 0.0f;
        }
        return 0.0f;
    };
    struct Hit {
        float score;
        std::uint32_t place;
        const Key* key;
        bool exact;
        bool asTyped; // another name spelled as typed, accents and all
    };
    const QString typed = parts.front().simplified();

    for (const bool lastAsPrefix : {false, true}) {
        if (lastAsPrefix && (qualifiers.isEmpty() || qualifiers.back().size() < 3))
            break;
        std::vector<std::int8_t> regionOk(regions_.size(), -1);
        std::vector<Hit> hits;
        for (const QString& spelled : names) {
            auto it = std::lower_bound(keys_.begin(), keys_.end(), spelled,
                                       [this](const Key& k, const QString& q) { return keyText(k) < QStringView(q); });
            for (; it != keys_.end() && keyText(*it).startsWith(spelled); ++it) {
                const std::uint32_t at = keyPlace(*it);
                const Record& r = records_[at];
                std::int8_t& ok = regionOk[r.region];
                if (ok < 0)
                    ok = regionMatches(regions_[r.region], qualifiers, lastAsPrefix) ? 1 : 0;
                if (!ok)
                    continue;
                const bool whole = it->length == spelled.size();
                const float score =
                    bonus(it->kind, whole) + static_cast<float>(std::log10(std::max(r.population, 100u)));
                const bool exact = whole && !lastAsPrefix && (it->kind == NameWhole || it->kind == AlternateWhole);
                bool asTyped = false;
                if (whole && it->kind == AlternateWhole) {
                    const Alternate& a = alternates_[it->ref];
                    asTyped = QStringView(text_).mid(a.text, a.length).compare(typed, Qt::CaseInsensitive) == 0;
                }
                hits.push_back({score, at, &*it, exact, asTyped});
            }
        }
        if (hits.empty())
            continue;

        // Best first; on a tie the name before another name, so that no
        // bracket is shown needlessly, and the spelling typed before others.
        auto better = [](const Hit& a, const Hit& b) {
            if (a.score != b.score)
                return a.score > b.score;
            if (a.place != b.place)
                return a.place < b.place;
            if (a.key->kind != b.key->kind)
                return a.key->kind < b.key->kind;
            return a.asTyped > b.asTyped;
        };
        const auto wanted = static_cast<std::size_t>(maxResults);
        std::size_t take = std::min(hits.size(), std::max<std::size_t>(64, wanted * 8));
        std::vector<PlaceMatch> out;
        for (;;) {
            std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(take), hits.end(), better);
            std::vector<std::uint32_t> seen;
            out.clear();
            for (std::size_t i = 0; i < take && out.size() < wanted; ++i) {
                if (std::find(seen.cbegin(), seen.cend(), hits[i].place) != seen.cend())
                    continue;
                seen.push_back(hits[i].place);
                out.push_back({placeAt(hits[i].place, hits[i].key), hits[i].exact});
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
    if (maxResults <= 0 || name.isEmpty())
        return {};
    const int limit = 1 + static_cast<int>(name.size()) / 4;
    struct Near {
        int distance;
        std::uint32_t place;
        const Key* key;
    };
    std::vector<Near> near;
    for (const Key& k : keys_) {
        if (k.kind != NameWhole && k.kind != AlternateWhole)
            continue;
        const int d = editDistance(name, keyText(k), limit);
        if (d <= limit)
            near.push_back({d, keyPlace(k), &k});
    }
    // Stable: of one place's spellings equally close, the first alphabetically.
    std::stable_sort(near.begin(), near.end(), [this](const Near& a, const Near& b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        if (records_[a.place].population != records_[b.place].population)
            return records_[a.place].population > records_[b.place].population;
        return a.key->kind < b.key->kind;
    });
    std::vector<Place> out;
    std::vector<std::uint32_t> seen;
    for (const Near& n : near) {
        if (out.size() >= static_cast<std::size_t>(maxResults))
            break;
        if (std::find(seen.cbegin(), seen.cend(), n.place) != seen.cend())
            continue;
        seen.push_back(n.place);
        out.push_back(placeAt(n.place, n.key));
    }
    return out;
}

const Atlas& Atlas::shared()
{
    static const Atlas atlas = loadPlaceList();
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
