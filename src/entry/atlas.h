// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

namespace zenthra {

// One city of the offline atlas (GeoNames data, population 15,000 and more).
struct Place {
    QString name;      // English name, "Munich"
    QString localName; // name in the user's language when it differs ("München"), else empty
    QString state;     // first-level division; may be empty
    QString country;   // English name
    QString countryCode; // ISO 3166 alpha-2, "DE"
    QString zoneId;      // IANA zone id, "Europe/Berlin"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    std::uint32_t population = 0;

    // "Pune, Maharashtra, India"; an empty state is left out.
    QString displayName() const;
};

// Folds a name for matching: compatibility decomposition with the combining
// marks dropped, case folding, a few letters that do not decompose spelled out
// (ß ss, ø o, æ ae, ł l, ...), apostrophes dropped, and every other run of
// non-letters and non-digits made one blank, trimmed. "São Paulo" and
// "sao  paulo" both give "sao paulo"; "Saint-Étienne" gives "saint etienne".
QString foldPlaceName(const QString& text);

// The searchable city list, kept in memory with its own index.
class Atlas {
public:
    Atlas() = default;
    explicit Atlas(std::vector<Place> places);

    // Reads every city of the system's GeoNames data (libgeonames). Names
    // are always the English ones whatever the process locale; the name in
    // the user's message language is kept as Place::localName for searching.
    // Takes a few hundred milliseconds: call it off the user-interface thread.
    static Atlas loadFromGeonames();

    // The process-wide atlas, loaded on first use. Blocks until loaded.
    static const Atlas& shared();

    // Places matching query, best first, at most maxResults. The part before
    // the first comma is matched against the names: exact matches first,
    // then English names beginning with it, then names in the user's language
    // beginning with it, then names with a later word beginning with it;
    // within each rank the larger population first. Each further
    // comma-separated part must begin a word of the state or the country, or
    // equal the country code ("Pune, India", "Portland, Oregon", "Paris, FR").
    // Accents and case are ignored on both sides. A blank query gives nothing.
    std::vector<Place> search(const QString& query, int maxResults) const;

    int size() const { return static_cast<int>(places_.size()); }
    const Place& place(int index) const { return places_[static_cast<std::size_t>(index)]; }

private:
    // localStates and localCountries are empty or run parallel to places.
    Atlas(std::vector<Place> places, std::vector<QString> localStates,
          std::vector<QString> localCountries);

    struct Key {
        QString folded; // a folded name, or a folded name from a later word on
        int place;
        bool wholeName; // folded is the whole name, not a later word of it
        bool local;     // from the name in the user's language
    };
    struct Qualifiers {
        QString state, country, localState, localCountry, countryCode; // folded
    };
    bool matchesQualifier(int place, const QString& foldedQualifier) const;

    std::vector<Place> places_;
    std::vector<Qualifiers> qualifiers_;
    std::vector<Key> keys_; // sorted by folded
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
