// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas_index.h"

#include "place/atlas_fold.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace zenthra {
namespace {

constexpr std::size_t kAlign = 8;
constexpr std::uint32_t kMaxFolded = 0xFFFF; // a key's length is 16 bits

std::uint32_t crcOf(const char* data, std::size_t size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GB at a time; the index is far below.
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size));
    return static_cast<std::uint32_t>(crc);
}

constexpr std::size_t kCrcFrom = offsetof(AtlasHeader, size);

std::uint32_t headerCrc(const char* data)
{
    return crcOf(data + kCrcFrom, sizeof(AtlasHeader) - kCrcFrom);
}

template <typename T>
void appendSection(QByteArray& out, AtlasHeader& header, AtlasSection section, const T* data,
                   std::size_t count)
{
    static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= kAlign);
    while (static_cast<std::size_t>(out.size()) % kAlign != 0)
        out.append('\0');
    header.sections[static_cast<int>(section)] = {static_cast<std::uint32_t>(out.size()),
                                                  static_cast<std::uint32_t>(count)};
    out.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count * sizeof(T)));
}

template <typename T>
void appendSection(QByteArray& out, AtlasHeader& header, AtlasSection section,
                   const std::vector<T>& items)
{
    appendSection(out, header, section, items.data(), items.size());
}

// Every reference of a fully checked index lies inside its section.
class Checker {
public:
    explicit Checker(const AtlasIndex& index)
        : x_(index)
    {
    }

    QString problem() const
    {
        for (const AtlasFolded& f : x_.foldedLists)
            if (!folded(f))
                return QStringLiteral("a folded name lies outside its section");
        for (const AtlasFolded& f : x_.codes)
            if (!folded(f))
                return QStringLiteral("a code lies outside its section");
        for (const AtlasCountry& c : x_.countries)
            if (!text(c.name) || !text(c.code) || !list(c.names) || !list(c.codes))
                return QStringLiteral("a country refers outside the index");
        for (const AtlasRegion& r : x_.regions)
            if (r.country >= x_.countries.size || !text(r.state) || !list(r.names) ||
                !list(r.codes))
                return QStringLiteral("a region refers outside the index");
        for (const AtlasText& z : x_.zones)
            if (!text(z))
                return QStringLiteral("a zone id lies outside its section");
        for (const AtlasRecord& r : x_.records)
            if (!text(r.name) || r.region >= x_.regions.size || r.zone >= x_.zones.size)
                return QStringLiteral("a place refers outside the index");
        for (const AtlasAlternate& a : x_.alternates)
            if (!text(a.text) || a.place >= x_.records.size)
                return QStringLiteral("an other name refers outside the index");
        for (const AtlasKey& k : x_.keys)
            if (!key(k))
                return QStringLiteral("a search key refers outside the index");
        for (const AtlasNear& n : x_.near)
            if (n.key >= x_.keys.size)
                return QStringLiteral("a spelling refers outside the index");
        std::uint32_t from = 0;
        for (const std::uint32_t start : x_.nearLengths) {
            if (start < from || start > x_.near.size)
                return QStringLiteral("the spellings by length are out of order");
            from = start;
        }
        if (x_.nearLengths.size == 0 || from != x_.near.size)
            return QStringLiteral("the spellings by length are incomplete");
        return {};
    }

private:
    bool text(AtlasText t) const { return std::uint64_t(t.offset) + t.size <= x_.text.size; }
    bool folded(AtlasFolded f) const { return std::uint64_t(f.offset) + f.size <= x_.folded.size; }
    bool list(AtlasList l) const { return std::uint64_t(l.first) + l.count <= x_.foldedLists.size; }
    bool key(const AtlasKey& k) const
    {
        if (!folded({k.folded, k.length}) || k.place >= x_.records.size ||
            k.region != x_.records[k.place].region || !std::isfinite(k.rank))
            return false;
        switch (k.kind) {
        case AtlasKeyKind::NameWhole:
        case AtlasKeyKind::NameWord:
            return k.ref == k.place;
        case AtlasKeyKind::AlternateWhole:
        case AtlasKeyKind::AlternateWord:
            return k.ref < x_.alternates.size && x_.alternates[k.ref].place == k.place;
        }
        return false;
    }

    const AtlasIndex& x_;
};

template <typename T>
bool view(const QByteArray& bytes, const AtlasHeader& header, AtlasSection section,
          AtlasIndex::Span<T>& out)
{
    const auto& s = header.sections[static_cast<int>(section)];
    if (s.offset < sizeof(AtlasHeader) || s.offset % alignof(T) != 0 ||
        std::uint64_t(s.offset) + std::uint64_t(s.count) * sizeof(T) > std::uint64_t(bytes.size()))
        return false;
    out = {reinterpret_cast<const T*>(bytes.constData() + s.offset), s.count};
    return true;
}

} // namespace

AtlasNear atlasSpelling(QStringView folded, std::uint32_t key)
{
    AtlasNear near{key, 0, 0};
    char16_t before = 0;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t u = folded[i].unicode();
        if (u >= u'a' && u <= u'z')
            near.letters |= 1u << (u - u'a');
        else if (u != u' ')
            near.letters |= 1u << (26 + u % 6);
        if (i > 0)
            near.pairs |= std::uint64_t(1) << ((before * 0x9E37u + u * 0x85EBu) >> 7 & 63);
        before = u;
    }
    return near;
}

std::shared_ptr<const AtlasIndex> openAtlasIndex(const QByteArray& bytes, AtlasCheck check,
                                                 QString* error)
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = QStringLiteral("The compiled atlas cannot be read: %1").arg(why);
        return nullptr;
    };
    if (static_cast<std::size_t>(bytes.size()) < sizeof(AtlasHeader))
        return refuse(QStringLiteral("it has %1 bytes, less than its header").arg(bytes.size()));
    // Every record is read in place, so the block must be aligned as they are.
    if (reinterpret_cast<std::uintptr_t>(bytes.constData()) % kAlign != 0)
        return refuse(QStringLiteral("it is not aligned in memory"));
    AtlasHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.magic, kAtlasMagic, sizeof kAtlasMagic) != 0)
        return refuse(QStringLiteral("it is not a compiled atlas"));
    if (header.version != kAtlasVersion)
        return refuse(
            QStringLiteral("it is of version %1, not %2").arg(header.version).arg(kAtlasVersion));
    if (header.headerCrc != headerCrc(bytes.constData()))
        return refuse(QStringLiteral("its header is damaged"));
    if (header.size != static_cast<std::uint64_t>(bytes.size()))
        return refuse(QStringLiteral("it has %1 bytes where its header says %2")
                          .arg(bytes.size())
                          .arg(header.size));

    auto index = std::make_shared<AtlasIndex>();
    index->bytes = bytes;
    AtlasIndex& x = *index;
    const bool inBounds = view(bytes, header, AtlasSection::Text, x.text) &&
                          view(bytes, header, AtlasSection::Folded, x.folded) &&
                          view(bytes, header, AtlasSection::FoldedLists, x.foldedLists) &&
                          view(bytes, header, AtlasSection::Countries, x.countries) &&
                          view(bytes, header, AtlasSection::Regions, x.regions) &&
                          view(bytes, header, AtlasSection::Zones, x.zones) &&
                          view(bytes, header, AtlasSection::Records, x.records) &&
                          view(bytes, header, AtlasSection::Alternates, x.alternates) &&
                          view(bytes, header, AtlasSection::Keys, x.keys) &&
                          view(bytes, header, AtlasSection::Codes, x.codes) &&
                          view(bytes, header, AtlasSection::Near, x.near) &&
                          view(bytes, header, AtlasSection::NearLengths, x.nearLengths);
    if (!inBounds)
        return refuse(QStringLiteral("a section lies outside it"));
    if (check == AtlasCheck::Full) {
        if (header.dataCrc !=
            crcOf(bytes.constData() + sizeof header, bytes.size() - sizeof header))
            return refuse(QStringLiteral("its data is damaged (checksum)"));
        const QString problem = Checker(x).problem();
        if (!problem.isEmpty())
            return refuse(problem);
    }
    return index;
}

void sealAtlasIndex(QByteArray& bytes)
{
    if (static_cast<std::size_t>(bytes.size()) < sizeof(AtlasHeader))
        return;
    AtlasHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    header.size = static_cast<std::uint32_t>(bytes.size());
    header.dataCrc = crcOf(bytes.constData() + sizeof header, bytes.size() - sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
    header.headerCrc = headerCrc(bytes.constData());
    std::memcpy(bytes.data(), &header, sizeof header);
}

AtlasText AtlasIndexWriter::addText(const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    const AtlasText at{static_cast<std::uint32_t>(text_.size()),
                       static_cast<std::uint32_t>(utf8.size())};
    text_ += utf8;
    return at;
}

AtlasFolded AtlasIndexWriter::addFolded(const QString& folded)
{
    auto found = foldedAt_.constFind(folded);
    if (found != foldedAt_.cend())
        return *found;
    const AtlasFolded at{static_cast<std::uint32_t>(folded_.size()),
                         static_cast<std::uint32_t>(folded.size())};
    folded_ += folded;
    foldedAt_.insert(folded, at);
    return at;
}

AtlasList AtlasIndexWriter::addList(const QStringList& names)
{
    std::vector<QString> seen;
    const auto first = static_cast<std::uint32_t>(foldedLists_.size());
    for (const QString& n : names) {
        const QString f = foldPlaceName(n);
        if (f.isEmpty() || std::find(seen.cbegin(), seen.cend(), f) != seen.cend())
            continue;
        seen.push_back(f);
        foldedLists_.push_back(addFolded(f));
    }
    return {first, static_cast<std::uint32_t>(seen.size())};
}

std::uint32_t AtlasIndexWriter::addCountry(const QString& name, const QString& code,
                                           QStringList aliases, const QStringList& codes)
{
    aliases.prepend(name);
    const AtlasList names = addList(aliases);
    countries_.push_back(
        {addText(name), addText(code), names, addList(QStringList(codes) << code)});
    return static_cast<std::uint32_t>(countries_.size() - 1);
}

std::uint32_t AtlasIndexWriter::addRegion(std::uint32_t country, const QString& state,
                                          QStringList aliases, const QStringList& codes)
{
    if (!state.isEmpty())
        aliases.prepend(state);
    const AtlasList names = addList(aliases);
    regions_.push_back({country, addText(state), names, addList(codes)});
    return static_cast<std::uint32_t>(regions_.size() - 1);
}

void AtlasIndexWriter::addKeys(const QString& folded, AtlasKeyKind whole, AtlasKeyKind word,
                               std::uint32_t place, std::uint32_t ref)
{
    const AtlasFolded at = addFolded(folded);
    const AtlasRecord& r = records_[place];
    const auto rank = static_cast<float>(std::log10(std::max(r.population, 100u)));
    const auto length = static_cast<std::uint16_t>(at.size);
    keys_.push_back({at.offset, place, ref, r.region, rank, length, whole, 0});
    for (qsizetype i = folded.indexOf(u' '); i >= 0; i = folded.indexOf(u' ', i + 1)) {
        const auto skip = static_cast<std::uint16_t>(i + 1);
        keys_.push_back({at.offset + skip, place, ref, r.region, rank,
                         static_cast<std::uint16_t>(length - skip), word, 0});
    }
}

void AtlasIndexWriter::addPlace(const QString& name, std::uint32_t region, double latitude,
                                double longitude, std::uint32_t population, const QString& zoneId,
                                const QStringList& alternates)
{
    const QString folded = foldPlaceName(name).left(kMaxFolded);
    if (folded.isEmpty())
        return;
    auto zone = zoneAt_.constFind(zoneId);
    if (zone == zoneAt_.cend()) {
        zones_.push_back(addText(zoneId));
        zone = zoneAt_.insert(zoneId, static_cast<std::uint32_t>(zones_.size() - 1));
    }
    const auto place = static_cast<std::uint32_t>(records_.size());
    records_.push_back({addText(name.left(0xFFFF)), region, *zone,
                        static_cast<std::int32_t>(std::lround(latitude * 1e5)),
                        static_cast<std::int32_t>(std::lround(longitude * 1e5)), population});
    addKeys(folded, AtlasKeyKind::NameWhole, AtlasKeyKind::NameWord, place, place);
    for (const QString& alternate : alternates) {
        const QString f = foldPlaceName(alternate).left(kMaxFolded);
        if (f.isEmpty() || f == folded || alternate.size() > 0xFFFF)
            continue;
        alternates_.push_back({addText(alternate), place});
        addKeys(f, AtlasKeyKind::AlternateWhole, AtlasKeyKind::AlternateWord, place,
                static_cast<std::uint32_t>(alternates_.size() - 1));
    }
}

QByteArray AtlasIndexWriter::finish()
{
    const char16_t* pool = reinterpret_cast<const char16_t*>(folded_.utf16());
    auto textOf = [pool](std::uint32_t offset, std::uint32_t size) {
        return QStringView(pool + offset, size);
    };
    // By text alone, as the search has always had them: where one place has
    // several other names that tie, this order picks the one shown.
    std::sort(keys_.begin(), keys_.end(), [&textOf](const AtlasKey& a, const AtlasKey& b) {
        return textOf(a.folded, a.length) < textOf(b.folded, b.length);
    });
    std::vector<AtlasFolded> codes;
    for (const AtlasCountry& c : countries_)
        codes.insert(codes.end(), foldedLists_.begin() + c.codes.first,
                     foldedLists_.begin() + c.codes.first + c.codes.count);
    for (const AtlasRegion& r : regions_)
        codes.insert(codes.end(), foldedLists_.begin() + r.codes.first,
                     foldedLists_.begin() + r.codes.first + r.codes.count);
    auto less = [&textOf](AtlasFolded a, AtlasFolded b) {
        return textOf(a.offset, a.size) < textOf(b.offset, b.size);
    };
    std::sort(codes.begin(), codes.end(), less);
    codes.erase(std::unique(codes.begin(), codes.end(),
                            [&textOf](AtlasFolded a, AtlasFolded b) {
                                return textOf(a.offset, a.size) == textOf(b.offset, b.size);
                            }),
                codes.end());

    // Whole names by length, each length in key order.
    std::vector<std::uint32_t> nearLengths(1, 0);
    for (const AtlasKey& k : keys_) {
        if (k.kind == AtlasKeyKind::NameWhole || k.kind == AtlasKeyKind::AlternateWhole) {
            if (nearLengths.size() < std::size_t(k.length) + 2)
                nearLengths.resize(std::size_t(k.length) + 2, 0);
            ++nearLengths[std::size_t(k.length) + 1];
        }
    }
    for (std::size_t i = 1; i < nearLengths.size(); ++i)
        nearLengths[i] += nearLengths[i - 1];
    std::vector<AtlasNear> near(nearLengths.back());
    std::vector<std::uint32_t> next(nearLengths.begin(), nearLengths.end() - 1);
    for (std::uint32_t at = 0; at < keys_.size(); ++at) {
        const AtlasKey& k = keys_[at];
        if (k.kind == AtlasKeyKind::NameWhole || k.kind == AtlasKeyKind::AlternateWhole)
            near[next[k.length]++] = atlasSpelling(textOf(k.folded, k.length), at);
    }

    AtlasHeader header{};
    std::memcpy(header.magic, kAtlasMagic, sizeof kAtlasMagic);
    header.version = kAtlasVersion;
    QByteArray out(sizeof header, '\0');
    appendSection(out, header, AtlasSection::Text, text_.constData(),
                  static_cast<std::size_t>(text_.size()));
    appendSection(out, header, AtlasSection::Folded, pool,
                  static_cast<std::size_t>(folded_.size()));
    appendSection(out, header, AtlasSection::FoldedLists, foldedLists_);
    appendSection(out, header, AtlasSection::Countries, countries_);
    appendSection(out, header, AtlasSection::Regions, regions_);
    appendSection(out, header, AtlasSection::Zones, zones_);
    appendSection(out, header, AtlasSection::Records, records_);
    appendSection(out, header, AtlasSection::Alternates, alternates_);
    appendSection(out, header, AtlasSection::Keys, keys_);
    appendSection(out, header, AtlasSection::Codes, codes);
    appendSection(out, header, AtlasSection::Near, near);
    appendSection(out, header, AtlasSection::NearLengths, nearLengths);
    std::memcpy(out.data(), &header, sizeof header);
    sealAtlasIndex(out);
    return out;
}

} // namespace zenthra
