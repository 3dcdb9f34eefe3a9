// SPDX-License-Identifier: GPL-3.0-or-later
// The profile table: every row's texts and picture as the description gives
// them, and the refusal of broken profile files.
#include "result/expected_signs.h"
#include "result/sign_image_list.h"
#include "result/sign_profiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtTest>

#include <stdexcept>

using namespace zenthra;
using testdata::ExpectedSign;
using testdata::kExpectedSigns;

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const std::pair<QString SignProfile::*, const char * ExpectedSign::*> kShortItems[] = {
    {&SignProfile::code, &ExpectedSign::code},
    {&SignProfile::name, &ExpectedSign::name},
    {&SignProfile::rulingPlanet, &ExpectedSign::rulingPlanet},
    {&SignProfile::symbol, &ExpectedSign::symbol},
    {&SignProfile::element, &ExpectedSign::element},
    {&SignProfile::signColor, &ExpectedSign::signColor},
    {&SignProfile::typeOfSign, &ExpectedSign::typeOfSign},
    {&SignProfile::luckyDays, &ExpectedSign::luckyDays},
    {&SignProfile::luckyNumbers, &ExpectedSign::luckyNumbers},
    {&SignProfile::luckyDirection, &ExpectedSign::luckyDirection},
    {&SignProfile::luckyColors, &ExpectedSign::luckyColors},
    {&SignProfile::luckyGemstone, &ExpectedSign::luckyGemstone},
    {&SignProfile::pictureFile, &ExpectedSign::pictureFile},
};

const std::tuple<QString SignProfile::*, testdata::LongText ExpectedSign::*, const char*>
    kLongTexts[] = {
        {&SignProfile::nature, &ExpectedSign::nature, "nature"},
        {&SignProfile::looks, &ExpectedSign::looks, "looks"},
        {&SignProfile::health, &ExpectedSign::health, "health"},
        {&SignProfile::love, &ExpectedSign::love, "love"},
        {&SignProfile::career, &ExpectedSign::career, "career"},
};

// The stored texts' oddities, by "code field"; the openings in the expected
// table already pin the "1. ", "1." + four blanks and ": " starts.
const QSet<QString> kApostrophe{"Ari love", "Sco nature", "Cap nature"}; // U+2019
const QSet<QString> kTwoBlanks{"Ari health", "Leo looks", "Vir love", "Sco love"};
const QSet<QString> kTrailingBlank{"Sco nature", "Sag health", "Cap career"};

QByteArray compiledInJson()
{
    QFile file(QStringLiteral(":/zenthra/result/profiles.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SignProfilesTest : public QObject {
    Q_OBJECT
private slots:
    void everyRow_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 1; row <= 12; ++row)
            QTest::newRow(kExpectedSigns[row - 1].code) << row;
    }

    void everyRow()
    {
        QFETCH(int, row);
        const ExpectedSign& want = kExpectedSigns[row - 1];
        const SignProfile& got = signProfile(row);
        for (const auto& [gotItem, wantItem] : kShortItems)
            QCOMPARE(got.*gotItem, text(want.*wantItem));
        for (const auto& [gotText, wantText, field] : kLongTexts) {
            const QString& long_ = got.*gotText;
            const QString key = text(want.code) + ' ' + field;
            QVERIFY2(long_.size() == (want.*wantText).length,
                     qPrintable(QStringLiteral("%1: %2 characters").arg(key).arg(long_.size())));
            QVERIFY2(long_.startsWith(text((want.*wantText).opening)), qPrintable(key));
            QVERIFY2(!long_.contains('\n') && !long_.contains('\r'), qPrintable(key));
            QVERIFY2(long_.contains(QChar(0x2019)) == kApostrophe.contains(key), qPrintable(key));
            QVERIFY2(long_.contains("  ") == kTwoBlanks.contains(key), qPrintable(key));
            QVERIFY2(long_.endsWith(' ') == kTrailingBlank.contains(key), qPrintable(key));
        }
        // The picture: a JPEG of 200 x 200 named as the table says.
        const QString path = signPictureResource(row);
        QVERIFY2(path.endsWith('/' + text(want.pictureFile)), qPrintable(path));
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QCOMPARE(file.read(3), QByteArray("\xFF\xD8\xFF", 3)); // JPEG start-of-image marker
        static const SignImageList images;
        QCOMPARE(images.picture(row).size(), QSize(200, 200));
        QCOMPARE(loadSignPicture(row).toImage(), images.picture(row).toImage());
    }

    void picturesAreDistinctAndRowsBounded()
    {
        const SignImageList images;
        for (int a = 1; a <= 12; ++a)
            for (int b = a + 1; b <= 12; ++b)
                QVERIFY2(images.picture(a).toImage() != images.picture(b).toImage(),
                         qPrintable(QStringLiteral("pictures %1 and %2 are alike").arg(a).arg(b)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, signProfile(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, signProfile(13));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, images.picture(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, images.picture(13));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, loadSignPicture(-1));
    }

    void brokenProfilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        const QJsonArray signs = QJsonDocument::fromJson(compiledInJson())["signs"].toArray();
        // The untouched file parses, so every refusal below is down to its one fault.
        QCOMPARE(parseSignProfiles(QJsonDocument(QJsonObject{{"signs", signs}}).toJson()).size(),
                 std::size_t(12));
        auto with = [&](int index, const QJsonValue& sign, bool insert = false) {
            QJsonArray list = signs;
            if (index < 0)
                list.removeLast();
            else if (insert)
                list.insert(index, sign);
            else
                list.replace(index, sign);
            return QJsonDocument(QJsonObject{{"signs", list}}).toJson();
        };
        auto field = [&](int index, const char* name, const QJsonValue& value) {
            QJsonObject sign = signs.at(index).toObject();
            if (value.isUndefined())
                sign.remove(name);
            else
                sign.insert(name, value);
            return with(index, sign);
        };
        QTest::newRow("not json") << QByteArray("{\"signs\": [");
        QTest::newRow("no signs list") << QByteArray("{\"sign\": []}");
        QTest::newRow("eleven signs") << with(-1, {});
        QTest::newRow("thirteen signs") << with(0, signs.at(0), true);
        QTest::newRow("taurus first") << with(0, signs.at(1));
        QTest::newRow("sign is a string") << with(2, QStringLiteral("Gem"));
        QTest::newRow("empty nature") << field(3, "nature", "");
        QTest::newRow("no career") << field(11, "career", QJsonValue(QJsonValue::Undefined));
        QTest::newRow("looks is a number") << field(6, "looks", 7);
    }

    void brokenProfilesAreRefused()
    {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(SignProfileError, parseSignProfiles(json));
    }
};

QTEST_MAIN(SignProfilesTest)
#include "sign_profiles_test.moc"
