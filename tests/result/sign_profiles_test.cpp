// SPDX-License-Identifier: GPL-3.0-or-later
// The profile table: every row's texts as the description gives them, the
// refusal of broken profile files, and the twelve pictures.
#include "result/expected_signs.h"
#include "result/sign_image_list.h"
#include "result/sign_profiles.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <stdexcept>

using namespace zenthra;
using testdata::kExpectedSigns;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

void checkLong(const QString& got, const testdata::LongText& want, const char* field)
{
    QVERIFY2(got.size() == want.length,
             qPrintable(QStringLiteral("%1: %2 characters, expected %3")
                            .arg(QLatin1String(field)).arg(got.size()).arg(want.length)));
    QVERIFY2(got.startsWith(text(want.opening)),
             qPrintable(QStringLiteral("%1 opens \"%2\"").arg(QLatin1String(field), got.left(80))));
    // Plain paragraphs: no line breaks.
    QVERIFY2(!got.contains(QLatin1Char('\n')) && !got.contains(QLatin1Char('\r')), field);
}

QByteArray compiledInJson()
{
    QFile file(QStringLiteral(":/zenthra/result/profiles.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class SignProfilesTest : public QObject {
    Q_OBJECT
private slots:
    void everyRow_data();
    void everyRow();
    void storedOddities_data();
    void storedOddities();
    void rowsOutsideTableAreRefused();
    void brokenProfilesAreRefused_data();
    void brokenProfilesAreRefused();
    void compiledInJsonIsUtf8();
    void pictures_data();
    void pictures();
    void picturesAreDistinct();
    void imageListOutsideRangeIsRefused();
};

void SignProfilesTest::everyRow_data()
{
    QTest::addColumn<int>("row");
    for (int row = 1; row <= 12; ++row)
        QTest::newRow(kExpectedSigns[row - 1].code) << row;
}

void SignProfilesTest::everyRow()
{
    QFETCH(int, row);
    const testdata::ExpectedSign& want = kExpectedSigns[row - 1];
    const SignProfile& got = signProfile(row);
    QCOMPARE(got.code, text(want.code));
    QCOMPARE(got.name, text(want.name));
    QCOMPARE(got.rulingPlanet, text(want.rulingPlanet));
    QCOMPARE(got.symbol, text(want.symbol));
    QCOMPARE(got.element, text(want.element));
    QCOMPARE(got.signColor, text(want.signColor));
    QCOMPARE(got.typeOfSign, text(want.typeOfSign));
    QCOMPARE(got.luckyDays, text(want.luckyDays));
    QCOMPARE(got.luckyNumbers, text(want.luckyNumbers));
    QCOMPARE(got.luckyDirection, text(want.luckyDirection));
    QCOMPARE(got.luckyColors, text(want.luckyColors));
    QCOMPARE(got.luckyGemstone, text(want.luckyGemstone));
    checkLong(got.nature, want.nature, "nature");
    checkLong(got.looks, want.looks, "looks");
    checkLong(got.health, want.health, "health");
    checkLong(got.love, want.love, "love");
    checkLong(got.career, want.career, "career");
    QCOMPARE(got.pictureFile, text(want.pictureFile));
}

void SignProfilesTest::storedOddities_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("needle"); // must occur in the text
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<bool>("trailingBlank");

    const QString apostrophe(QChar(0x2019));
    QTest::newRow("aries love U+2019") << 1 << "love" << apostrophe << false << false;
    QTest::newRow("scorpio nature U+2019") << 8 << "nature" << apostrophe << false << true;
    QTest::newRow("capricorn nature U+2019") << 10 << "nature" << apostrophe << false << false;
    QTest::newRow("libra health 1.") << 7 << "health" << "1. K" << true << false;
    QTest::newRow("aquarius nature 1.") << 11 << "nature" << "1. Y" << true << false;
    QTest::newRow("scorpio love 1. and four blanks") << 8 << "love" << "1.    Y" << true << false;
    QTest::newRow("capricorn love colon") << 10 << "love" << ": D" << true << false;
    QTest::newRow("aries health two blanks") << 1 << "health" << "  " << false << false;
    QTest::newRow("leo looks two blanks") << 5 << "looks" << "tall  and" << false << false;
    QTest::newRow("virgo love two blanks") << 6 << "love" << "  " << false << false;
    QTest::newRow("scorpio love two blanks") << 8 << "love" << "  " << false << false;
    QTest::newRow("sagittarius health trailing blank") << 9 << "health" << "" << false << true;
    QTest::newRow("capricorn career trailing blank") << 10 << "career" << "" << false << true;
    QTest::newRow("scorpio moon sign") << 8 << "nature" << "moon sign" << false << true;
}

void SignProfilesTest::storedOddities()
{
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, needle);
    QFETCH(bool, atStart);
    QFETCH(bool, trailingBlank);
    const SignProfile& profile = signProfile(row);
    const QString got = field == "nature" ? profile.nature
        : field == "looks"                ? profile.looks
        : field == "health"               ? profile.health
        : field == "love"                 ? profile.love
                                          : profile.career;
    if (atStart)
        QVERIFY2(got.startsWith(needle), qPrintable(got.left(20)));
    else
        QVERIFY2(got.contains(needle), qPrintable(got.left(60)));
    QCOMPARE(got.endsWith(QLatin1Char(' ')), trailingBlank);
}

void SignProfilesTest::rowsOutsideTableAreRefused()
{
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, signProfile(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, signProfile(13));
    QCOMPARE(signProfiles().size(), std::size_t(12));
    QCOMPARE(signProfile(12).name, QStringLiteral("Pisces"));
}

void SignProfilesTest::brokenProfilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("json");

    const QJsonObject good = QJsonDocument::fromJson(compiledInJson()).object();
    QVERIFY(!good.isEmpty());
    const QJsonArray signs = good.value("signs").toArray();
    QCOMPARE(signs.size(), 12);
    auto withSigns = [](const QJsonArray& list) {
        return QJsonDocument(QJsonObject{{"signs", list}}).toJson();
    };
    auto changedField = [&](int index, const char* field, const QJsonValue& value) {
        QJsonArray list = signs;
        QJsonObject sign = list.at(index).toObject();
        if (value.isUndefined())
            sign.remove(QLatin1String(field));
        else
            sign.insert(QLatin1String(field), value);
        list.replace(index, sign);
        return withSigns(list);
    };

    QTest::newRow("not json") << QByteArray("{\"signs\": [");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("array at top") << QByteArray("[]");
    QTest::newRow("no signs list") << QByteArray("{\"sign\": []}");
    QJsonArray eleven = signs;
    eleven.removeLast();
    QTest::newRow("eleven signs") << withSigns(eleven);
    QJsonArray thirteen = signs;
    thirteen.append(signs.at(0));
    QTest::newRow("thirteen signs") << withSigns(thirteen);
    QJsonArray swapped = signs;
    swapped.replace(0, signs.at(1));
    swapped.replace(1, signs.at(0));
    QTest::newRow("taurus before aries") << withSigns(swapped);
    QTest::newRow("code in lower case") << changedField(4, "code", "leo");
    QTest::newRow("empty nature") << changedField(3, "nature", "");
    QTest::newRow("no career") << changedField(11, "career", QJsonValue(QJsonValue::Undefined));
    QTest::newRow("looks is a number") << changedField(6, "looks", 7);
    QTest::newRow("health is null") << changedField(0, "health", QJsonValue(QJsonValue::Null));
    QJsonArray notObject = signs;
    notObject.replace(2, QStringLiteral("Gem"));
    QTest::newRow("sign is a string") << withSigns(notObject);
}

void SignProfilesTest::brokenProfilesAreRefused()
{
    QFETCH(QByteArray, json);
    QVERIFY_THROWS_EXCEPTION(SignProfileError, parseSignProfiles(json));
}

void SignProfilesTest::compiledInJsonIsUtf8()
{
    // The same bytes read back are the loaded table; UTF-8 decoding keeps U+2019.
    const std::vector<SignProfile> parsed = parseSignProfiles(compiledInJson());
    QCOMPARE(parsed.size(), std::size_t(12));
    QCOMPARE(parsed[0].love, signProfile(1).love);
    QVERIFY(parsed[0].love.contains(QChar(0x2019)));
    QVERIFY(!parsed[0].love.contains(QStringLiteral("\xC3\xA2"))); // no mojibake
}

void SignProfilesTest::pictures_data()
{
    QTest::addColumn<int>("row");
    for (int row = 1; row <= 12; ++row)
        QTest::newRow(kExpectedSigns[row - 1].pictureFile) << row;
}

void SignProfilesTest::pictures()
{
    QFETCH(int, row);
    const QString path = signPictureResource(row);
    QVERIFY2(path.endsWith(QLatin1Char('/') + text(kExpectedSigns[row - 1].pictureFile)), qPrintable(path));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.read(3) == QByteArray("\xFF\xD8\xFF", 3)); // JPEG start-of-image marker

    static const SignImageList images;
    const QPixmap& picture = images.picture(row);
    QCOMPARE(picture.size(), QSize(200, 200));
    QCOMPARE(loadSignPicture(row).toImage(), picture.toImage());
}

void SignProfilesTest::picturesAreDistinct()
{
    const SignImageList images;
    for (int a = 1; a <= 12; ++a)
        for (int b = a + 1; b <= 12; ++b)
            QVERIFY2(images.picture(a).toImage() != images.picture(b).toImage(),
                     qPrintable(QStringLiteral("pictures %1 and %2 are alike").arg(a).arg(b)));
}

void SignProfilesTest::imageListOutsideRangeIsRefused()
{
    const SignImageList images;
    QCOMPARE(SignImageList::count(), 12);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, images.picture(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, images.picture(13));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, loadSignPicture(-1));
}

QTEST_MAIN(SignProfilesTest)
#include "sign_profiles_test.moc"
