// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/atlas_source.h"

#include "place/atlas_index.h"

#include <QHash>
#include <QList>

#include <zlib.h>

namespace zenthra {
namespace {

QByteArray gunzip(const QByteArray& packed)
{
    z_stream zs{};
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK)
        return {};
    QByteArray out;
    out.resize(packed.size() * 3 + 64);
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

QString text(QByteArrayView field)
{
    return QString::fromUtf8(field);
}

QStringList listOf(QByteArrayView field)
{
    return field.isEmpty() ? QStringList() : text(field).split(u'|');
}

} // namespace

std::optional<PlaceSource> readPlaceSource(const QByteArray& gzipped, QString* error)
{
    const QByteArray data = gunzip(gzipped);
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("the place list is not gzip-compressed text");
        return std::nullopt;
    }
    PlaceSource source;
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
            source.countries.push_back({text(f[1]), text(f[2]), listOf(f[3]), listOf(f[4])});
        } else if (f[0] == "S" && f.size() >= 6) {
            source.states.push_back(
                {text(f[1]), text(f[2]), text(f[3]), listOf(f[4]), listOf(f[5])});
        } else if (f[0] == "P" && f.size() >= 9) {
            source.places.push_back({text(f[1]), text(f[2]), text(f[3]),
                                     f[4].toByteArray().toDouble(), f[5].toByteArray().toDouble(),
                                     f[6].toByteArray().toUInt(), text(f[7]), listOf(f[8])});
        }
    }
    return source;
}

QByteArray compilePlaceSource(const PlaceSource& source)
{
    AtlasIndexWriter writer;
    QHash<QString, std::uint32_t> countries; // by code
    QHash<QString, std::uint32_t> regions;   // by "code.admin"; "code." for none
    for (const PlaceSource::Country& c : source.countries) {
        const std::uint32_t at = writer.addCountry(c.name, c.code, c.aliases, c.codes);
        countries.insert(c.code, at);
        regions.insert(c.code + u'.', writer.addRegion(at, {}, {}, {}));
    }
    for (const PlaceSource::State& s : source.states) {
        const auto country = countries.constFind(s.country);
        if (country != countries.cend())
            regions.insert(s.country + u'.' + s.admin,
                           writer.addRegion(*country, s.name, s.aliases, s.codes));
    }
    for (const PlaceSource::Entry& p : source.places) {
        auto r = regions.constFind(p.country + u'.' + p.admin);
        if (r == regions.cend())
            r = regions.constFind(p.country + u'.');
        if (r != regions.cend())
            writer.addPlace(p.name, *r, p.latitude, p.longitude, p.population, p.zoneId,
                            p.alternates);
    }
    return writer.finish();
}

} // namespace zenthra
