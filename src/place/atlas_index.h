// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled atlas: one block of fixed-width little-endian records that the
// search reads where it lies, with no parsing and no allocation per place.
// make-atlas-index writes it at build time from data/places; the program
// carries it as an uncompressed resource, so opening it costs a glance at
// its header.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "the compiled atlas is read in place as little-endian");

namespace zenthra {

// UTF-8 text in the text section.
struct AtlasText {
    std::uint32_t offset, size;
};
// Folded UTF-16 text in the folded section.
struct AtlasFolded {
    std::uint32_t offset, size;
};
// A run of AtlasFolded entries in the folded-list section.
struct AtlasList {
    std::uint32_t first, count;
};

struct AtlasCountry {
    AtlasText name, code;
    AtlasList names, codes; // folded: the name and aliases; the codes
};
struct AtlasRegion {
    std::uint32_t country;
    AtlasText state; // empty for a country's places without a state
    AtlasList names, codes;
};
struct AtlasRecord {
    AtlasText name;
    std::uint32_t region, zone;
    std::int32_t latitude, longitude; // 1e-5 degrees
    std::uint32_t population;
};
struct AtlasAlternate {
    AtlasText text;
    std::uint32_t place;
};

enum class AtlasKeyKind : std::uint8_t { NameWhole, NameWord, AlternateWhole, AlternateWord };

// One searchable spelling: a whole folded name or other name, or the part of
// it from a later word on. Carries what the ranking needs, so that a search
// reads nothing else until it has its best matches.
struct AtlasKey {
    std::uint32_t folded; // in the folded section
    std::uint32_t place;
    std::uint32_t ref; // the alternate for other names, else the place
    std::uint32_t region;
    float rank; // log10 of the population, at least 2
    std::uint16_t length;
    AtlasKeyKind kind;
    std::uint8_t unused;
};

// A whole name or other name for the nearest-spelling search, with the
// letters and the pairs of neighbouring letters it has. One edit adds or
// removes at most one letter and at most two pairs, so a word that has
// letters or pairs the key lacks, or lacks some it has, is that many edits
// away at least (see atlasEditsAtLeast).
struct AtlasNear {
    std::uint32_t key;
    std::uint32_t letters; // one bit for each of a to z, a few for the rest
    std::uint64_t pairs;   // one bit for each pair, hashed
};

// The signature of a folded word.
AtlasNear atlasSpelling(QStringView folded, std::uint32_t key);

// At least how many edits turn a word into another, by their signatures.
inline int atlasEditsAtLeast(const AtlasNear& a, const AtlasNear& b)
{
    const int letters = std::max(__builtin_popcount(a.letters & ~b.letters),
                                 __builtin_popcount(b.letters & ~a.letters));
    const int pairs = std::max(__builtin_popcountll(a.pairs & ~b.pairs),
                               __builtin_popcountll(b.pairs & ~a.pairs));
    return std::max(letters, (pairs + 1) / 2);
}

enum class AtlasSection : int {
    Text,        // char: names as shown
    Folded,      // char16_t: folded names
    FoldedLists, // AtlasFolded
    Countries,   // AtlasCountry
    Regions,     // AtlasRegion
    Zones,       // AtlasText: IANA zone ids
    Records,     // AtlasRecord, one a place
    Alternates,  // AtlasAlternate
    Keys,        // AtlasKey, sorted by folded text
    Codes,       // AtlasFolded: every state and country code, sorted
    Near,        // AtlasNear: whole names by length, then in key order
    NearLengths, // std::uint32_t: where each length starts in Near, and the end
    Count
};
constexpr int kAtlasSections = static_cast<int>(AtlasSection::Count);

struct AtlasHeader {
    char magic[8];
    std::uint32_t version;
    std::uint32_t headerCrc; // crc32 of the header from size on
    std::uint32_t size;      // of the whole index
    std::uint32_t dataCrc;   // crc32 of everything after the header
    struct {
        std::uint32_t offset, count;
    } sections[kAtlasSections];
};

constexpr char kAtlasMagic[8] = {'Z', 'N', 'T', 'R', 'A', 'T', 'L', 'S'};
constexpr std::uint32_t kAtlasVersion = 1;

// An index checked and ready to search, with typed views of its sections.
struct AtlasIndex {
    QByteArray bytes; // owned, or raw data over the built-in index

    template <typename T> struct Span {
        const T* data = nullptr;
        std::uint32_t size = 0;
        const T& operator[](std::uint32_t i) const { return data[i]; }
        const T* begin() const { return data; }
        const T* end() const { return data + size; }
    };
    Span<char> text;
    Span<char16_t> folded;
    Span<AtlasFolded> foldedLists;
    Span<AtlasCountry> countries;
    Span<AtlasRegion> regions;
    Span<AtlasText> zones;
    Span<AtlasRecord> records;
    Span<AtlasAlternate> alternates;
    Span<AtlasKey> keys;
    Span<AtlasFolded> codes;
    Span<AtlasNear> near;
    Span<std::uint32_t> nearLengths;

    QString textOf(AtlasText t) const { return QString::fromUtf8(text.data + t.offset, t.size); }
    QStringView foldedOf(AtlasFolded f) const
    {
        return QStringView(folded.data + f.offset, f.size);
    }
    QStringView keyText(const AtlasKey& k) const
    {
        return QStringView(folded.data + k.folded, k.length);
    }
    Span<AtlasFolded> list(AtlasList l) const { return {foldedLists.data + l.first, l.count}; }
};

enum class AtlasCheck {
    // Header, size and section bounds only: for the index built into the
    // program, which the build has checked in full and which lies in the
    // program's own read-only memory. Reads no more than the header.
    Header,
    // Also the checksum of the data and every reference in range: for an
    // index from anywhere else.
    Full,
};

// The index in bytes, checked; null, with the reason in *error, when it is
// damaged, truncated or of another version.
std::shared_ptr<const AtlasIndex> openAtlasIndex(const QByteArray& bytes, AtlasCheck check,
                                                 QString* error);

// Sets the two checksums of an index whose header and sections are written.
void sealAtlasIndex(QByteArray& bytes);

// Builds an index: countries first, then their regions, then the places.
class AtlasIndexWriter {
public:
    std::uint32_t addCountry(const QString& name, const QString& code, QStringList aliases,
                             const QStringList& codes);
    std::uint32_t addRegion(std::uint32_t country, const QString& state, QStringList aliases,
                            const QStringList& codes);
    // A place whose name folds to nothing is left out; so is an other name
    // that folds to nothing or to the name.
    void addPlace(const QString& name, std::uint32_t region, double latitude, double longitude,
                  std::uint32_t population, const QString& zoneId, const QStringList& alternates);
    // The index, sealed.
    QByteArray finish();

private:
    AtlasText addText(const QString& s);
    AtlasFolded addFolded(const QString& folded);
    AtlasList addList(const QStringList& names);
    void addKeys(const QString& folded, AtlasKeyKind whole, AtlasKeyKind word, std::uint32_t place,
                 std::uint32_t ref);

    QByteArray text_;
    QString folded_;
    QHash<QString, AtlasFolded> foldedAt_; // one copy of each folded text
    QHash<QString, std::uint32_t> zoneAt_;
    std::vector<AtlasFolded> foldedLists_;
    std::vector<AtlasCountry> countries_;
    std::vector<AtlasRegion> regions_;
    std::vector<AtlasText> zones_;
    std::vector<AtlasRecord> records_;
    std::vector<AtlasAlternate> alternates_;
    std::vector<AtlasKey> keys_;
};

} // namespace zenthra
