// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <cstdint>
#include <vector>

namespace zenthra {

// One place of the offline atlas (GeoNames data, 1,000 inhabitants and more).
struct Place {
    QString name;        // the place's name today, "Mumbai"
    QString matchedName; // the other name a search matched ("Bombay"), else empty
    QString state;       // first-level division; may be empty
    QString country;     // English name
    QString countryCode; // ISO 3166 alpha-2, "DE"
    QString zoneId;      // IANA zone id, "Europe/Berlin"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    std::uint32_t population = 0;

    // "Pune, Maharashtra, India"; an empty state is left out.
    QString displayName() const;
    // The display name with the matched name in brackets after the name:
    // "Mumbai (Bombay), Maharashtra, India".
    QString suggestionText() const;
};

// Folds a name for matching: compatibility decomposition with the combining
// marks dropped, case folding, a few letters that do not decompose spelled out
// (ß ss, ø o, æ ae, ł l, ...), apostrophes dropped, and every other run of
// non-letters and non-digits made one blank, trimmed. "São Paulo" and
// "sao  paulo" both give "sao paulo"; "Saint-Étienne" gives "saint etienne".
QString foldPlaceName(const QString& text);

// One search result and how well the query matched it.
struct PlaceMatch {
    Place place;
    // The name part equals the place's name or one of its other names, and
    // every part after a comma named its state or country in full or by code.
    bool exact = false;
};

// The searchable place list, kept in memory with its own index.
class Atlas {
public:
    Atlas() = default;
    // A hand-made list: states and countries are matched by their names and
    // the country code only.
    explicit Atlas(const std::vector<Place>& places);

    // Reads the place list built into the program (every GeoNames place of
    // 1,000 inhabitants or more, with other and former names, state and
    // country names, codes and aliases). Takes about a second: call it off
    // the user-interface thread.
    static Atlas loadPlaceList();

    // The process-wide atlas, loaded on first use. Blocks until loaded.
    static const Atlas& shared();

    // Places matching query, best first, at most maxResults. The part before
    // the first comma is matched against the names and other names (former,
    // other languages): the whole name or its beginning, or a later word of it;
    // "St", "Ft" and "Mt" stand for "Saint", "Fort" and "Mount" and the other
    // way round. Matches rank by how well they match together with the
    // population, so that a large city matched exactly beats a hamlet. Each
    // further comma-separated part must be a code of the place's state or
    // country ("TX", "NL", "USA"), or whole words of their names or aliases
    // ("Pune, India", "Seoul, South Korea"), never just the beginning of a
    // word; only when nothing matches that way does a last part of three or
    // more letters match the beginning of a word, as it does while being
    // typed. Accents and case are ignored. A blank query gives nothing.
    std::vector<PlaceMatch> match(const QString& query, int maxResults) const;
    std::vector<Place> search(const QString& query, int maxResults) const;

    // For a query that matches nothing: places whose name or other name is
    // spelled most like the part before the first comma, closest first, then
    // by population.
    std::vector<Place> nearest(const QString& query, int maxResults) const;

    int size() const { return static_cast<int>(records_.size()); }
    Place place(int index) const;

private:
    struct Country {
        QString name, code;
        std::vector<QString> names, codes; // folded
    };
    struct Region {
        int country;
        QString state;
        std::vector<QString> names, codes; // folded
    };
    struct Record {
        std::uint32_t name;  // in text_
        std::uint16_t nameLength;
        std::uint16_t zone;  // in zones_
        std::uint32_t region;
        std::int32_t latitude, longitude; // 1e-5 degrees
        std::uint32_t population;
    };
    struct Alternate {
        std::uint32_t text; // in text_
        std::uint16_t length;
        std::uint32_t place;
    };
    enum KeyKind : std::uint8_t { NameWhole, NameWord, AlternateWhole, AlternateWord };
    struct Key {
        std::uint32_t folded; // in folded_, up to the end of that folded name
        std::uint16_t length;
        KeyKind kind;
        std::uint32_t ref; // a record for names, an alternate for other names
    };
    struct Builder;

    QStringView keyText(const Key& k) const
    {
        return QStringView(folded_).mid(k.folded, k.length);
    }
    std::uint32_t keyPlace(const Key& k) const;
    bool regionMatches(const Region& region, const QStringList& qualifiers, bool lastAsPrefix) const;
    Place placeAt(std::uint32_t index, const Key* matched) const;

    std::vector<Country> countries_;
    std::vector<Region> regions_;
    std::vector<QString> zones_;
    std::vector<Record> records_;
    std::vector<Alternate> alternates_;
    std::vector<Key> keys_; // sorted by their folded text
    QString text_;          // names as shown, one after another
    QString folded_;        // folded names, one after another
    std::vector<QString> allCodes_; // folded codes of every state and country, sorted
};

// Loads the shared atlas on a worker thread so that nobody has to wait for it.
class AtlasLoader : public QObject {
    Q_OBJECT
public:
    // The one loader; lives for the whole process.
    static AtlasLoader* instance();

    // Starts loading on the global thread pool unless already started.
    // Returns at once.
    void start();

    // The shared atlas once it is loaded, else null. Never blocks.
    const Atlas* atlas() const { return atlas_.load(std::memory_order_acquire); }

Q_SIGNALS:
    // Emitted once, from the worker thread, when the atlas is loaded;
    // receivers on the user-interface thread get it queued.
    void ready();

private:
    AtlasLoader() = default;
    std::atomic<const Atlas*> atlas_{nullptr};
    std::atomic<bool> started_{false};
};

} // namespace zenthra

Q_DECLARE_METATYPE(zenthra::Place)
