// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

class QByteArray;

namespace zenthra {

// One row of the profile table: the short facts of sign_facts.h and the five
// paragraphs from profiles.json, exactly as stored.
struct SignProfile {
    QString code; // "Ari" .. "Pis"
    QString name;
    QString rulingPlanet;
    QString symbol;
    QString element;
    QString signColor;
    QString typeOfSign;
    QString luckyDays;
    QString luckyNumbers;
    QString luckyDirection;
    QString luckyColors;
    QString luckyGemstone;
    QString nature;
    QString looks;
    QString health;
    QString love;   // love and domestic life
    QString career; // career and finance
    QString pictureFile;
};

// The profile texts are content shipped inside the program; if they are
// broken the build is broken, so loading refuses them loudly.
class SignProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Row 1 (Aries) .. 12 (Pisces). The texts are read from the compiled-in
// profiles.json on first use and kept; throws SignProfileError when they are
// unusable and std::out_of_range for a row outside 1..12.
const SignProfile& signProfile(int row);
const std::vector<SignProfile>& signProfiles();

// Checks and combines a profiles.json document (UTF-8) with the short facts:
// twelve rows, codes in zodiac order, five non-empty strings each.
// Throws SignProfileError naming the first problem.
std::vector<SignProfile> parseSignProfiles(const QByteArray& json);

} // namespace zenthra
