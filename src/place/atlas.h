// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas_fold.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace zenthra {

// One place of the offline atlas (GeoNames data, 1,000 inhabitants and more).
struct Place {
    QString name;         // the place's name today, "Mumbai"
    QString matchedName;  // the other name a search matched ("Bombay"), else empty
    QString state;        // first-level division; may be empty
    QString country;      // English name
    QString countryCode;  // ISO 3166 alpha-2, "DE"
    QString zoneId;       // IANA zone id, "Europe/Berlin"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    std::uint32_t population = 0;

    // "Pune, Maharashtra, India"; an empty state is left out.
    QString displayName() const;
    // The display name with the matched name in brackets after the name:
    // "Mumbai (Bombay), Maharashtra, India".
    QString suggestionText() const;
};

// One search result and how well the query matched it.
struct PlaceMatch {
    Place place;
    // The name part equals the place's name or one of its other names, and
    // every part after a comma named its state or country in full or by code.
    bool exact = false;
};

struct AtlasIndex;
struct AtlasKey;
struct AtlasRegion;

// The searchable place list: a compiled index (see atlas_index.h), searched
// where it lies. Copies share the index.
class Atlas {
public:
    Atlas() = default;
    // A hand-made list: states and countries are matched by their names and
    // the country code only.
    explicit Atlas(const std::vector<Place>& places);

    // The place list built into the program (every GeoNames place of 1,000
    // inhabitants or more, with other and former names, state and country
    // names, codes and aliases), compiled at build time. Opening it reads its
    // header only; empty, with a warning, when it cannot be read.
    static Atlas openBuiltIn();

    // A compiled index from elsewhere, checked in full; nothing, with the
    // reason in *error, when it is damaged, truncated or of another version.
    static std::optional<Atlas> fromIndex(const QByteArray& index, QString* error = nullptr);

    // The built-in atlas, opened on first use; opening takes microseconds.
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

    int size() const;
    // The place at index, 0 to size() - 1; an empty place outside that.
    Place place(int index) const;

private:
    bool regionMatches(const AtlasRegion& region, const QStringList& qualifiers,
                       bool lastAsPrefix) const;
    Place placeAt(std::uint32_t index, const AtlasKey* matched) const;

    std::shared_ptr<const AtlasIndex> index_;
};

} // namespace zenthra

Q_DECLARE_METATYPE(zenthra::Place)
