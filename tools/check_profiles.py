#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Verify the sign profile texts in src/result/profiles.json.

Usage: check_profiles.py [path/to/profiles.json]
Prints one line per problem and exits with status 1 if there is any.
"""
import json
import os
import sys

ORDER = ["Ari", "Tau", "Gem", "Can", "Leo", "Vir",
         "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"]
FIELDS = ["nature", "looks", "health", "love", "career"]

# (code, field) -> (length in code points, opening, cut after twelve words)
EXPECTED = {
    ("Ari", "nature"): (883, "You are very independent and dynamic.", False),
    ("Ari", "looks"): (185, "You may be slim and of medium complexion.", False),
    ("Ari", "health"): (122, "You may be prone to blood circulation problems, head related illnesses and BP issues.", False),
    ("Ari", "love"): (210, "You are a romantic to the core by nature.", False),
    ("Ari", "career"): (175, "You are ambitious by nature.", False),

    ("Tau", "nature"): (685, "You have a powerful and commanding personality.", False),
    ("Tau", "looks"): (191, "You are attractive and beautiful.", False),
    ("Tau", "health"): (84, "You may not enjoy good health all the time.", False),
    ("Tau", "love"): (140, "You may not express your emotions but you are still a romantic at heart.", False),
    ("Tau", "career"): (282, "You love spending on luxurious things.", False),

    ("Gem", "nature"): (652, "You have an analytical mind.", False),
    ("Gem", "looks"): (127, "You are tall slim and good looking.", False),
    ("Gem", "health"): (108, "You may have some problems of the sexual nature.", False),
    ("Gem", "love"): (216, "You are blessed with a long life.", False),
    ("Gem", "career"): (227, "You will do very well in jobs that need interaction with people.", False),

    ("Can", "nature"): (619, "You are a patient person and very emotional.", False),
    ("Can", "looks"): (136, "You have a medium stature and may be a bit stout.", False),
    ("Can", "health"): (166, "You may have stress and mental illnesses because of your highly emotional", True),
    ("Can", "love"): (220, "Parents will mean a lot to you.", False),
    ("Can", "career"): (186, "You have an artistic bent of mind.", False),

    ("Leo", "nature"): (716, "You are a leader and can never take orders.", False),
    ("Leo", "looks"): (137, "You are tall  and have broad squarely built shoulders.", False),
    ("Leo", "health"): (124, "Heart problems may occur.", False),
    ("Leo", "love"): (321, "You love living life king size.", False),
    ("Leo", "career"): (215, "You can do well in professions that need you to be in the limelight.", False),

    ("Vir", "nature"): (855, "You are practical and polished.", False),
    ("Vir", "looks"): (131, "You are tall and slim with sharp features.", False),
    ("Vir", "health"): (81, "Your intestine and liver may give you some problems.", False),
    ("Vir", "love"): (148, "You are not romantic at all.", False),
    ("Vir", "career"): (126, "You are skilled in music and dance.", False),

    ("Lib", "nature"): (769, "Justice means everything to you.", False),
    ("Lib", "looks"): (150, "You are tall and thin.", False),
    ("Lib", "health"): (96, "1. Kidney and liver are your weak parts.", False),
    ("Lib", "love"): (184, "Being peaceful and loving by nature, you have good love life.", False),
    ("Lib", "career"): (156, "You could make a career of the artistic kind.", False),

    ("Sco", "nature"): (812, "Mysterious is the first word that comes to mind about this moon sign.", False),
    ("Sco", "looks"): (103, "You have broad body shape.", False),
    ("Sco", "health"): (110, "You may have problems from piles and colic.", False),
    ("Sco", "love"): (282, "1.    Your possessive nature may create problems in life.", False),
    ("Sco", "career"): (257, "You may come in possession of sudden legacies and gifts.", False),

    ("Sag", "nature"): (515, "You are very optimistic and spontaneous by nature.", False),
    ("Sag", "looks"): (167, "You may be medium to tall and well built.", False),
    ("Sag", "health"): (156, "Your body gives out too much heat, which may create a few problems.", False),
    ("Sag", "love"): (297, "You may have some problem dealing with other people.", False),
    ("Sag", "career"): (240, "You always yearn to learn more in life.", False),

    ("Cap", "nature"): (726, "You want to achieve a lot in life.", False),
    ("Cap", "looks"): (107, "You have beautiful eyes.", False),
    ("Cap", "health"): (93, "You may be prone to gout and blood related problems.", False),
    ("Cap", "love"): (326, ": Domestic life will have its share of problems mainly because of", True),
    ("Cap", "career"): (167, "Material wealth means a lot to you.", False),

    ("Aqu", "nature"): (629, "1. You are a thinker, philosopher and an idealist.", False),
    ("Aqu", "looks"): (221, "You have a fair complexion.", False),
    ("Aqu", "health"): (155, "Your legs and eyes may be weak.", False),
    ("Aqu", "love"): (177, "You are influenced more by your friends than your relatives.", False),
    ("Aqu", "career"): (195, "You will do very well in public related jobs and businesses.", False),

    ("Pis", "nature"): (699, "You are very creative and soft by nature.", False),
    ("Pis", "looks"): (154, "You have the perfect body with the right nose, eyes and mouth.", False),
    ("Pis", "health"): (131, "Common cold will be your constant companion.", False),
    ("Pis", "love"): (293, "Your children will be very fortunate to be born to you.", False),
    ("Pis", "career"): (231, "You are artistically inclined.", False),
}

# Stored details that must survive any rewording.
TYPOGRAPHIC_APOSTROPHE = {("Ari", "love"), ("Sco", "nature"), ("Cap", "nature")}
DOUBLE_BLANK = {("Ari", "health"), ("Leo", "looks"), ("Vir", "love"), ("Sco", "love")}
TRAILING_BLANK = {("Sco", "nature"), ("Sag", "health"), ("Cap", "career")}
MUST_CONTAIN = {("Sco", "nature"): ["this moon sign", "moon signs"]}

SECOND_PERSON = ("you", "your", "yours", "yourself")


def check_text(code, field, text, problems):
    where = "%s %s" % (code, field)
    length, opening, cut = EXPECTED[(code, field)]

    def bad(msg):
        problems.append("%s: %s" % (where, msg))

    if not isinstance(text, str):
        bad("not a string")
        return
    if len(text) != length:
        bad("length %d, expected %d" % (len(text), length))
    if not text.startswith(opening):
        bad("does not begin with %r" % opening)
    elif len(text) > len(opening) and text[len(opening)] != " ":
        # the opening must end on a word boundary, not inside a longer word
        bad("opening runs into %r" % text[len(opening)])
    if cut:
        words = text.split()
        if words[:12] != opening.split() or len(words) <= 12:
            bad("first twelve words differ from the opening or nothing follows")

    for ch in text:
        if ch in "\r\n\t\v\f\u2028\u2029" or (ord(ch) < 32):
            bad("contains control character U+%04X" % ord(ch))
            break
    if text[:1].isspace() and not opening[:1].isspace():
        bad("leading blank")

    has_curly = "\u2019" in text
    if (code, field) in TYPOGRAPHIC_APOSTROPHE and not has_curly:
        bad("missing typographic apostrophe U+2019")
    if (code, field) not in TYPOGRAPHIC_APOSTROPHE and has_curly:
        bad("unexpected typographic apostrophe U+2019")
    if "'" in text:
        bad("plain ASCII apostrophe found; only U+2019 is used")

    if (code, field) in DOUBLE_BLANK and "  " not in text:
        bad("missing two blanks in a row")
    if (code, field) not in DOUBLE_BLANK and "  " in text:
        bad("unexpected two blanks in a row")

    if (code, field) in TRAILING_BLANK:
        if not text.endswith(" ") or text.endswith("  "):
            bad("must end with exactly one blank")
    elif text.endswith(" "):
        bad("unexpected trailing blank")

    body = text.rstrip()
    if body and body[-1] not in ".!?":
        bad("does not end with a full sentence")

    for phrase in MUST_CONTAIN.get((code, field), []):
        if phrase not in text:
            bad("missing %r" % phrase)

    lowered = [w.strip(".,;:!?\u2019").lower() for w in text.split()]
    if not any(w in SECOND_PERSON for w in lowered):
        bad("not written in the second person")


def main(argv):
    if len(argv) > 1:
        path = argv[1]
    else:
        here = os.path.dirname(os.path.abspath(__file__))
        path = os.path.join(here, os.pardir, "src", "result", "profiles.json")
    problems = []
    try:
        with open(path, "rb") as f:
            raw = f.read()
        if raw.startswith(b"\xef\xbb\xbf"):
            problems.append("file starts with a byte order mark")
        source = raw.decode("utf-8")
        data = json.loads(source)
    except (OSError, UnicodeDecodeError, ValueError) as e:
        print("cannot load %s: %s" % (path, e))
        return 1

    # One key per line, as json.dumps(indent=2) writes it.
    pretty = json.dumps(data, ensure_ascii=False, indent=2) + "\n"
    if source != pretty:
        problems.append("file is not pretty-printed with indent 2 and a final newline")

    if not isinstance(data, dict) or list(data.keys()) != ["signs"]:
        problems.append("top level must be an object with the single key 'signs'")
        data = {"signs": data.get("signs", []) if isinstance(data, dict) else []}
    signs = data["signs"]
    if not isinstance(signs, list) or len(signs) != 12:
        problems.append("expected 12 signs, found %s" %
                        (len(signs) if isinstance(signs, list) else type(signs).__name__))
        signs = signs if isinstance(signs, list) else []

    for i, sign in enumerate(signs[:12]):
        if not isinstance(sign, dict):
            problems.append("sign %d is not an object" % (i + 1))
            continue
        code = sign.get("code")
        if code != ORDER[i]:
            problems.append("sign %d has code %r, expected %r" % (i + 1, code, ORDER[i]))
            continue
        keys = list(sign.keys())
        if keys != ["code"] + FIELDS:
            problems.append("%s: keys %s, expected %s" % (code, keys, ["code"] + FIELDS))
        for field in FIELDS:
            if field not in sign:
                problems.append("%s %s: missing" % (code, field))
                continue
            check_text(code, field, sign[field], problems)

    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
