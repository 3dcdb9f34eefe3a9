// SPDX-License-Identifier: GPL-3.0-or-later
// The place list as data/places/places.tsv.gz holds it: what make-atlas-index
// compiles, and what the tests hold the compiled atlas against. Not used by
// the programs themselves, which read the compiled atlas only.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace zenthra {

struct PlaceSource {
    struct Country {
        QString code, name;
        QStringList aliases, codes;
    };
    struct State {
        QString country, admin, name;
        QStringList aliases, codes;
    };
    struct Entry {
        QString name;
        QString country, admin; // codes; the admin may name no state
        double latitude = 0, longitude = 0;
        std::uint32_t population = 0;
        QString zoneId;
        QStringList alternates;
    };
    std::vector<Country> countries;
    std::vector<State> states;
    std::vector<Entry> places;
};

// Reads the gzip-compressed, tab-separated list; nothing, with the reason in
// *error, when it cannot be inflated. Lines of unknown kind or with too few
// fields are passed over.
std::optional<PlaceSource> readPlaceSource(const QByteArray& gzipped, QString* error);

// The compiled atlas of a list: a place goes under its state, or under its
// country alone when its state is not listed; a place of a country not listed
// is left out.
QByteArray compilePlaceSource(const PlaceSource& source);

} // namespace zenthra
