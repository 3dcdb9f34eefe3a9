// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/sign_profiles.h"

#include "rules/sign_facts.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace zenthra {
namespace {

constexpr const char* kProfilesResource = ":/zenthra/result/profiles.json";
constexpr const char* kTextFields[] = {"nature", "looks", "health", "love", "career"};

[[noreturn]] void refuse(const QString& why)
{
    throw SignProfileError(("profiles.json: " + why).toStdString());
}

QString textField(const QJsonObject& sign, const char* field, const QString& code)
{
    const QJsonValue value = sign.value(QLatin1String(field));
    if (!value.isString())
        refuse(QStringLiteral("%1 has no text \"%2\"").arg(code, QLatin1String(field)));
    const QString text = value.toString();
    if (text.isEmpty())
        refuse(QStringLiteral("%1 has an empty \"%2\"").arg(code, QLatin1String(field)));
    return text;
}

std::vector<SignProfile> loadCompiledIn()
{
    QFile file(QString::fromLatin1(kProfilesResource));
    if (!file.open(QIODevice::ReadOnly))
        refuse(QStringLiteral("not found among the program's resources"));
    return parseSignProfiles(file.readAll());
}

} // namespace

std::vector<SignProfile> parseSignProfiles(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        refuse(QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject() || !doc.object().value(QLatin1String("signs")).isArray())
        refuse(QStringLiteral("no \"signs\" list"));
    const QJsonArray signs = doc.object().value(QLatin1String("signs")).toArray();
    if (signs.size() != kSignCount)
        refuse(QStringLiteral("%1 signs instead of %2").arg(signs.size()).arg(kSignCount));

    std::vector<SignProfile> table;
    table.reserve(kSignCount);
    for (int k = 0; k < kSignCount; ++k) {
        const SignFacts& facts = signFacts(k);
        if (!signs.at(k).isObject())
            refuse(QStringLiteral("sign %1 is not an object").arg(k + 1));
        const QJsonObject sign = signs.at(k).toObject();
        // The driver finds a row by its code, so the order is part of the data.
        const QString code = sign.value(QLatin1String("code")).toString();
        const QString factsCode = QString::fromLatin1(facts.code.data(), facts.code.size());
        if (code != factsCode)
            refuse(QStringLiteral("sign %1 is \"%2\", expected \"%3\"")
                       .arg(k + 1)
                       .arg(code, factsCode));

        SignProfile row;
        row.code = factsCode;
        row.name = QString::fromUtf8(facts.name);
        row.rulingPlanet = QString::fromUtf8(facts.rulingPlanet);
        row.symbol = QString::fromUtf8(facts.symbol);
        row.element = QString::fromUtf8(facts.element);
        row.signColor = QString::fromUtf8(facts.signColor);
        row.typeOfSign = QString::fromUtf8(facts.typeOfSign);
        row.luckyDays = QString::fromUtf8(facts.luckyDays);
        row.luckyNumbers = QString::fromUtf8(facts.luckyNumbers);
        row.luckyDirection = QString::fromUtf8(facts.luckyDirection);
        row.luckyColors = QString::fromUtf8(facts.luckyColors);
        row.luckyGemstone = QString::fromUtf8(facts.luckyGemstone);
        row.nature = textField(sign, kTextFields[0], code);
        row.looks = textField(sign, kTextFields[1], code);
        row.health = textField(sign, kTextFields[2], code);
        row.love = textField(sign, kTextFields[3], code);
        row.career = textField(sign, kTextFields[4], code);
        row.pictureFile = QString::fromUtf8(facts.pictureFile);
        table.push_back(std::move(row));
    }
    return table;
}

const std::vector<SignProfile>& signProfiles()
{
    // Read once; if it throws, the next call tries again and throws again.
    static const std::vector<SignProfile> table = loadCompiledIn();
    return table;
}

const SignProfile& signProfile(int row)
{
    if (row < 1 || row > kSignCount)
        throw std::out_of_range("sign profile row must be 1..12");
    return signProfiles()[static_cast<std::size_t>(row - 1)];
}

} // namespace zenthra
