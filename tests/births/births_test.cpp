// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/birth_store.h"
#include "births/births_csv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

using namespace zenthra;

Q_DECLARE_METATYPE(zenthra::Birth)

namespace {

Birth birth(const QString& name)
{
    Birth b;
    b.name = name;
    b.year = 1947, b.month = 8, b.day = 15, b.hour = 0, b.minute = 0;
    b.city = QStringLiteral("Delhi");
    b.country = QStringLiteral("India");
    b.latDeg = 28, b.latMin = 40, b.lonDeg = 77, b.lonMin = 13;
    b.zonePosition = 34;
    return b;
}

QString names(const QList<Birth>& births)
{
    QStringList out;
    for (const Birth& b : births)
        out << b.name;
    return out.join(QLatin1Char('|'));
}

// Every kind of field a birth can hold, one row each.
QList<std::pair<const char*, Birth>> kinds()
{
    QList<std::pair<const char*, Birth>> rows;
    rows.append({"plain", birth(QStringLiteral("Asha"))});
    Birth quoted = birth(QStringLiteral("Jean \"JJ\" O'Brien, Jr.\nsecond line"));
    rows.append({"quotes, comma, line break", quoted});
    Birth unicode = birth(QStringLiteral("Zoë Ødegård"));
    unicode.city = QStringLiteral("São Paulo");
    unicode.state = QStringLiteral("São Paulo");
    unicode.country = QStringLiteral("Brasil 🇧🇷");
    rows.append({"unicode", unicode});
    Birth southWest = birth(QStringLiteral("Sur"));
    southWest.city = QStringLiteral("Ushuaia");
    southWest.latDeg = 54, southWest.latMin = 48, southWest.south = true;
    southWest.lonDeg = 68, southWest.lonMin = 18, southWest.west = true;
    southWest.hour = 23, southWest.minute = 59, southWest.second = 58;
    rows.append({"south west, last second", southWest});
    Birth picked = birth(QStringLiteral("Picked"));
    picked.city = QStringLiteral("Pune");
    picked.state = QStringLiteral("Maharashtra");
    picked.placeTime = PickedPlaceTime{QStringLiteral("Asia/Kolkata"), 19800, false};
    rows.append({"picked place", picked});
    Birth byHand = picked;
    byHand.name = QStringLiteral("By hand");
    byHand.placeTime = PickedPlaceTime{QStringLiteral("America/New_York"), -4 * 3600, true};
    byHand.dst = Qt::Checked;
    rows.append({"picked, zone by hand", byHand});
    Birth greyed = birth(QStringLiteral("Greyed"));
    greyed.dst = Qt::PartiallyChecked;
    greyed.zonePosition = 1; // an entry that does not name daylight time
    rows.append({"greyed daylight saving", greyed});
    return rows;
}

} // namespace

class BirthsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_.emplace();
        QVERIFY(dir_->isValid());
    }
    void roundTrip_data();
    void roundTrip();
    void recentAndUpdate();
    void search_data();
    void search();
    void searchRanksStartsFirst();
    void peopleAndRecentCharts();
    void migrationFromVersion1();
    void migrationRefoldsSearchTexts();
    void damagedMovedAside_data();
    void damagedMovedAside();
    void newerFileLeftAlone();
    void cannotWrite();
    void fullDisk();
    void killedRightAfterSave();
    void writersAtOnce();
    void creatingAtOnce();
    void importKeepsBirthsThatDifferApart();
    void csvRoundTrip();
    void csvBadRows();

private:
    QString file(const char* name = "births.sqlite") const
    {
        return dir_->filePath(QLatin1String(name));
    }
    QString helper() const { return QStringLiteral(BIRTHS_HELPER); }
    std::optional<QTemporaryDir> dir_; // a fresh folder for each test
};

void BirthsTest::roundTrip_data()
{
    QTest::addColumn<Birth>("original");
    for (const auto& [name, b] : kinds())
        QTest::newRow(name) << b;
}

void BirthsTest::roundTrip()
{
    QFETCH(Birth, original);
    const QString path = file(QTest::currentDataTag());
    Birth saved = original;
    {
        BirthStore store(path);
        QVERIFY2(store.isSaving(), qPrintable(store.openError()));
        QVERIFY2(store.saveRecent(saved), qPrintable(store.lastError()));
        QVERIFY(saved.id != 0);
        QCOMPARE(saved.zoneText, QLatin1String(zoneEntry(original.zonePosition).text));
    }
    BirthStore reopened(path);
    const auto back = reopened.byId(saved.id);
    QVERIFY(back);
    Birth expected = original;
    expected.zoneText = saved.zoneText;
    QVERIFY(back->sameEntries(expected));
    QCOMPARE(back->savedAt, saved.savedAt);
    QCOMPARE(back->lastUsedAt, saved.lastUsedAt);
    QCOMPARE(back->savedAt.timeSpec(), Qt::UTC);
}

void BirthsTest::recentAndUpdate()
{
    BirthStore store(file());
    QVERIFY(!store.mostRecent());
    Birth a = birth(QStringLiteral("A")), b = birth(QStringLiteral("B")),
          c = birth(QStringLiteral("C"));
    for (Birth* x : {&a, &b, &c})
        QVERIFY(store.saveRecent(*x));
    QCOMPARE(store.mostRecent()->name, QStringLiteral("C"));
    QCOMPARE(names(store.recent(2)), QStringLiteral("C|B"));

    // Found again with another zone: the same entry, updated and most recent.
    Birth again = birth(QStringLiteral("A"));
    again.zonePosition = 35;
    again.dst = Qt::Checked;
    QVERIFY(store.saveRecent(again));
    QCOMPARE(again.id, a.id);
    QCOMPARE(store.count(), 3);
    QCOMPARE(names(store.recent(5)), QStringLiteral("A|C|B"));
    QCOMPARE(store.mostRecent()->zonePosition, 35);
    QCOMPARE(store.mostRecent()->savedAt, a.savedAt);
    QVERIFY(store.mostRecent()->lastUsedAt > a.lastUsedAt);

    // Another minute is another birth.
    Birth later = birth(QStringLiteral("A"));
    later.minute = 1;
    QVERIFY(store.saveRecent(later));
    QVERIFY(later.id != a.id);

    // Saved under its id after an edit; a copy under a new name keeps the original.
    b.hour = 12;
    QVERIFY(store.save(b));
    QCOMPARE(store.byId(b.id)->hour, 12);
    Birth copy = b;
    QVERIFY(store.saveAs(copy, QStringLiteral("B2")));
    QVERIFY(copy.id != b.id);
    QCOMPARE(store.byId(b.id)->name, QStringLiteral("B"));
    QCOMPARE(store.count(), 5);

    QVERIFY(store.remove(c.id));
    QVERIFY(!store.byId(c.id));
    QCOMPARE(names(store.all()), QStringLiteral("A|A|B|B2"));

    Birth bad = birth(QStringLiteral("Bad"));
    bad.day = 31, bad.month = 2;
    QVERIFY(!store.saveRecent(bad));
    QVERIFY2(store.lastError().contains(QStringLiteral("day 31 is outside 1-28")),
             qPrintable(store.lastError()));
}

void BirthsTest::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // most recently used first
    QTest::newRow("blank gives recent") << " "
                                        << "Zoë Ødegård|Sur|Asha|Æsa Strauß";
    QTest::newRow("accent typed plain") << "zoe"
                                        << "Zoë Ødegård";
    QTest::newRow("letter spelled out") << "ODEG"
                                        << "Zoë Ødegård";
    QTest::newRow("place, accent typed") << "são"
                                         << "Zoë Ødegård";
    QTest::newRow("inside a name") << "SHA"
                                   << "Asha";
    QTest::newRow("country of two") << "india"
                                    << "Sur|Asha";
    QTest::newRow("no match") << "xyz"
                              << "";
    QTest::newRow("percent is plain text") << "%"
                                           << "";
    QTest::newRow("sharp s spelled out") << "STRAUSS"
                                         << "Æsa Strauß";
    QTest::newRow("ae spelled out") << "aesa"
                                    << "Æsa Strauß";
    QTest::newRow("o slash typed plain") << "tromso"
                                         << "Æsa Strauß";
    QTest::newRow("hyphen as a blank") << "saint etienne"
                                       << "Æsa Strauß";
    QTest::newRow("not across fields") << "asha delhi"
                                       << "";
}

void BirthsTest::search()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    BirthStore store(file());
    Birth north = birth(QStringLiteral("Æsa Strauß"));
    north.city = QStringLiteral("Tromsø");
    north.state = QStringLiteral("Saint-Étienne");
    north.country = QStringLiteral("Norway");
    QVERIFY(store.saveRecent(north));
    const auto rows = kinds();
    for (int i : {0, 3, 2}) {
        Birth b = rows[i].second;
        QVERIFY(store.saveRecent(b));
    }
    QCOMPARE(names(store.search(text, 10)), expected);
}

void BirthsTest::searchRanksStartsFirst()
{
    // The name starts with it, then a word of the name or place starts with
    // it, then it is inside a word; the most recently used first in each.
    BirthStore store(file());
    for (const char* name : {"ASHA", "MEERA ASHTON", "BIKASH", "ASHOK", "DEV"}) {
        Birth b = birth(QString::fromUtf8(name));
        b.city = QByteArray(name) == "DEV" ? QStringLiteral("Ashgabat") : b.city;
        QVERIFY(store.saveRecent(b));
    }
    for (const auto& [text, expected] : {std::pair{"ash", "ASHOK|ASHA|DEV|MEERA ASHTON|BIKASH"},
                                         {"ASHT", "MEERA ASHTON"},
                                         {"kash", "BIKASH"},
                                         {"sh", "DEV|ASHOK|BIKASH|MEERA ASHTON|ASHA"}})
        QCOMPARE(names(store.search(QString::fromUtf8(text), 10)), QString::fromUtf8(expected));
}

void BirthsTest::peopleAndRecentCharts()
{
    BirthStore store(file());
    enum Step { Find, Save, SaveAs };
    constexpr int kCharts = BirthStore::kRecentCharts;
    const struct {
        Step step;
        const char* name;
        int repeat;         // "name 1".."name n" when above 1
        const char* people; // afterwards, most recent first
        int count;
    } steps[] = {
        {Find, "RAVI", 1, "", 1},
        {Save, "ASHA", 1, "ASHA", 2},
        {Find, "CHART", 25, "ASHA", 1 + kCharts}, // only the newest charts are kept
        {Find, "ASHA", 1, "ASHA", 1 + kCharts},   // a person used stays a person
        {SaveAs, "ASHA", 1, "ASHA COPY|ASHA", 2 + kCharts},
        {Find, "DEV", 1, "ASHA COPY|ASHA", 2 + kCharts},
        {Save, "DEV", 1, "DEV|ASHA COPY|ASHA", 2 + kCharts}, // a chart saved becomes a person
    };
    for (const auto& s : steps) {
        for (int i = 1; i <= s.repeat; ++i) {
            Birth b = birth(s.repeat > 1 ? QStringLiteral("%1 %2").arg(s.name).arg(i)
                                         : QString::fromLatin1(s.name));
            QVERIFY2(s.step == Find   ? store.saveRecent(b)
                     : s.step == Save ? store.save(b)
                                      : store.saveAs(b, b.name + QStringLiteral(" COPY")),
                     qPrintable(store.lastError()));
        }
        QCOMPARE(names(store.search(QString(), 50, true)), QString::fromLatin1(s.people));
        QCOMPARE(store.count(), s.count);
    }
    QCOMPARE(store.search(QStringLiteral("CHART 25")).size(), 1);
    QCOMPARE(store.search(QStringLiteral("RAVI")).size(), 0);
}

void BirthsTest::migrationFromVersion1()
{
    const QString path = file();
    {
        // A file as the first version of the store wrote it.
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
            "CREATE TABLE births (id INTEGER PRIMARY KEY, name TEXT NOT NULL, year INTEGER NOT "
            "NULL, month INTEGER NOT NULL, day INTEGER NOT NULL, hour INTEGER NOT NULL, minute "
            "INTEGER NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL, country TEXT NOT NULL, "
            "lat_deg INTEGER NOT NULL, lat_min INTEGER NOT NULL, south INTEGER NOT NULL, lon_deg "
            "INTEGER NOT NULL, lon_min INTEGER NOT NULL, west INTEGER NOT NULL, zone INTEGER NOT "
            "NULL, dst INTEGER NOT NULL, saved_at INTEGER NOT NULL)")));
        QVERIFY(q.exec(QStringLiteral(
            "INSERT INTO births VALUES (7, 'Renée', 1976, 7, 4, 9, 30, 'Québec', '', 'Canada', "
            "46, 49, 0, 71, 13, 1, 27, 1, 205000000000)")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 1")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));

    BirthStore store(path);
    QVERIFY2(store.isSaving(), qPrintable(store.openError()));
    const auto b = store.byId(7);
    QVERIFY(b);
    QCOMPARE(b->name, QStringLiteral("Renée"));
    QCOMPARE(b->zoneText, QLatin1String(zoneEntry(27).text));
    QCOMPARE(b->dst, Qt::Checked);
    QVERIFY(b->west && !b->south && !b->placeTime);
    QCOMPARE(b->second, 0);
    QCOMPARE(b->lastUsedAt, b->savedAt);
    QCOMPARE(b->savedAt.toMSecsSinceEpoch(), 205000000000);
    QCOMPARE(names(store.search(QStringLiteral("quebec"))), QStringLiteral("Renée"));
    // Births from before version 4 stay in the list of people.
    QCOMPARE(names(store.search(QString(), 10, true)), QStringLiteral("Renée"));
    Birth next = birth(QStringLiteral("Next"));
    QVERIFY(store.saveRecent(next));
    QCOMPARE(store.count(), 2);
    BirthStore again(path);
    QCOMPARE(again.mostRecent()->name, QStringLiteral("Next"));
}

// Version 2 kept punctuation in the search texts; version 3 folds it away as
// the search itself does.
void BirthsTest::migrationRefoldsSearchTexts()
{
    const QString path = file();
    {
        BirthStore store(path);
        Birth b = birth(QStringLiteral("O'Neill"));
        b.city = QStringLiteral("Saint-Étienne");
        QVERIFY(store.saveRecent(b));
    }
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v2"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("UPDATE births SET search_key = "
                                      "'o''neill' || char(10) || 'saint-etienne' || char(10) || "
                                      "char(10) || 'india'")));
        QVERIFY(q.exec(QStringLiteral("ALTER TABLE births DROP COLUMN person")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 2")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v2"));
    BirthStore store(path);
    QVERIFY2(store.isSaving(), qPrintable(store.openError()));
    QCOMPARE(names(store.search(QStringLiteral("oneill"))), QStringLiteral("O'Neill"));
    QCOMPARE(names(store.search(QStringLiteral("saint etienne"))), QStringLiteral("O'Neill"));
}

void BirthsTest::damagedMovedAside_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("not SQLite") << "text";
    QTest::newRow("pages overwritten") << "pages";
    QTest::newRow("someone else's database") << "foreign";
}

void BirthsTest::damagedMovedAside()
{
    QFETCH(QString, damage);
    const QString path = file();
    if (damage == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("name,year\nAsha,1947\n");
    } else if (damage == QLatin1String("pages")) {
        {
            BirthStore store(path);
            for (int i = 0; i < 300; ++i) {
                Birth b = birth(QStringLiteral("Person %1").arg(i));
                QVERIFY(store.save(b));
            }
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.size() > 8 * 4096);
        f.seek(3 * 4096);
        f.write(QByteArray(4 * 4096, '\xA5'));
    } else {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE notes (text TEXT)"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    BirthStore store(path);
    QVERIFY2(store.isSaving(), qPrintable(store.openError()));
    QVERIFY(!store.movedAsidePath().isEmpty());
    QVERIFY2(store.recoveryMessage().contains(path) &&
                 store.recoveryMessage().contains(store.movedAsidePath()),
             qPrintable(store.recoveryMessage()));
    QFile aside(store.movedAsidePath());
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), bytes);
    QCOMPARE(store.count(), 0);
    Birth b = birth(QStringLiteral("After"));
    QVERIFY(store.saveRecent(b));
}

void BirthsTest::newerFileLeftAlone()
{
    const QString path = file();
    {
        BirthStore store(path);
        Birth b = birth(QStringLiteral("Kept"));
        QVERIFY(store.saveRecent(b));
    }
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(
            QStringLiteral("PRAGMA user_version = %1").arg(BirthStore::kSchemaVersion + 1)));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    BirthStore store(path);
    QCOMPARE(store.state(), BirthStore::State::Unreadable);
    QVERIFY2(store.openError().contains(QStringLiteral("newer version")),
             qPrintable(store.openError()));
    QVERIFY(store.movedAsidePath().isEmpty());
    // Read as nothing, and said so: not a store without births.
    QVERIFY(store.all().isEmpty());
    QCOMPARE(store.readError(), store.openError());
    Birth b = birth(QStringLiteral("New"));
    QVERIFY(!store.saveRecent(b));
    QCOMPARE(store.lastError(), store.openError());
}

void BirthsTest::cannotWrite()
{
    // A folder that cannot be created: nothing to read, nothing saved.
    QFile blocker(file("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    BirthStore store(file("blocker") + QStringLiteral("/births.sqlite"));
    QVERIFY(!store.isSaving());
    QVERIFY2(store.openError().contains(file("blocker")), qPrintable(store.openError()));
    Birth b = birth(QStringLiteral("Lost?"));
    QVERIFY(!store.saveRecent(b));
    QCOMPARE(store.lastError(), store.openError());
    QVERIFY(!store.mostRecent());

    // A folder the user cannot write: the births already there can still be read.
    const QString locked = file("locked");
    QVERIFY(QDir().mkdir(locked));
    {
        BirthStore before(locked + QStringLiteral("/births.sqlite"));
        Birth kept = birth(QStringLiteral("Before"));
        QVERIFY(before.saveRecent(kept));
    }
    QFile::setPermissions(dir_->path(), QFile::Permissions(0x7755));
    QFile::setPermissions(locked, QFile::Permissions(0x5555));
    QProcess p;
    p.start(helper(), {QStringLiteral("read"), locked + QStringLiteral("/births.sqlite")});
    QVERIFY(p.waitForFinished(30000));
    QFile::setPermissions(locked, QFile::Permissions(0x7700));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(
        out.startsWith(
            QStringLiteral("saving 0\nrecent Before\nsaved 0\nerror Births cannot be saved: ") +
            locked),
        qPrintable(out + p.readAllStandardError()));
}

void BirthsTest::fullDisk()
{
    QProcess p;
    p.start(helper(), {QStringLiteral("full"), file()});
    QVERIFY(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(p.exitCode(), 0);
    QVERIFY2(out.contains(QStringLiteral("recent-is-last-good 1")), qPrintable(out));
    const int saved =
        QRegularExpression(QStringLiteral("\nsaved (\\d+)\n")).match(out).captured(1).toInt();
    QVERIFY2(saved > 0, qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("error The birth could not be saved in ") + file()),
             qPrintable(out));
    // Nothing that was reported saved is lost, and the file is sound.
    BirthStore store(file());
    QVERIFY(store.movedAsidePath().isEmpty());
    QCOMPARE(store.count(), saved);
}

void BirthsTest::killedRightAfterSave()
{
    QProcess p;
    p.start(helper(), {QStringLiteral("save"), file(), QStringLiteral("Killed")});
    QVERIFY(p.waitForStarted());
    while (!p.canReadLine())
        QVERIFY(p.waitForReadyRead(10000));
    QCOMPARE(p.readLine(), QByteArray("saved\n"));
    p.kill(); // SIGKILL
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    BirthStore store(file());
    QCOMPARE(store.mostRecent() ? store.mostRecent()->name : QString(), QStringLiteral("Killed"));
}

void BirthsTest::writersAtOnce()
{
    constexpr int kEach = 100;
    QProcess others[2];
    for (int i = 0; i < 2; ++i)
        others[i].start(helper(), {QStringLiteral("burst"), file(), QStringLiteral("P%1-").arg(i),
                                   QString::number(kEach)});
    BirthStore mine(file());
    BirthStore second(file()); // two connections in one process as well
    for (int i = 0; i < kEach; ++i) {
        Birth b = birth(QStringLiteral("M%1").arg(i));
        QVERIFY2((i % 2 ? mine : second).save(b), qPrintable(mine.lastError()));
    }
    for (QProcess& p : others) {
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.readAllStandardOutput(), QByteArray("failed 0\n"));
    }
    QCOMPARE(mine.count(), 3 * kEach);
    // A copy opening the file while another creates it must not take it for a foreign one.
    QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral("*damaged*")}), QStringList());
    // Last-used times never tie, even across processes.
    QList<qint64> uses;
    for (const Birth& b : mine.all())
        uses << b.lastUsedAt.toMSecsSinceEpoch();
    std::sort(uses.begin(), uses.end());
    QCOMPARE(std::adjacent_find(uses.begin(), uses.end()), uses.end());
}

// Programs started together on a store not there yet, round after round:
// none finds the file locked, every birth is saved.
void BirthsTest::creatingAtOnce()
{
    constexpr int kRounds = 100, kWriters = 4, kReaders = 2, kEach = 2;
    const QString start = QString::number(QDateTime::currentMSecsSinceEpoch() + 500);
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < kWriters + kReaders; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(
            helper(), {QStringLiteral("rounds"), dir_->path(), QStringLiteral("w%1-").arg(i),
                       QString::number(i < kWriters ? kEach : 0), QString::number(kRounds), start});
    }
    for (auto& p : runs) {
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->readAllStandardOutput() + p->readAllStandardError(), QByteArray("failed 0\n"));
    }
    for (int round = 0; round < kRounds; ++round)
        QCOMPARE(BirthStore(file(QByteArray("r" + QByteArray::number(round) + ".sqlite"))).count(),
                 kWriters * kEach);
}

void BirthsTest::importKeepsBirthsThatDifferApart()
{
    QList<Birth> births(7, birth(QStringLiteral("Twin")));
    births[1].zonePosition = 33;
    births[2].dst = Qt::PartiallyChecked;
    births[3].dst = Qt::Checked;
    births[4].placeTime = PickedPlaceTime{QStringLiteral("Asia/Kolkata"), 19800};
    births[5].placeTime = PickedPlaceTime{QStringLiteral("Asia/Kolkata"), 19800, true};
    births[6].latMin = 41;
    BirthStore store(file());
    const auto first = store.importBirths(births);
    QVERIFY2(first, qPrintable(store.lastError()));
    QCOMPARE(first->added, births.size());
    const auto again = store.importBirths(importBirthsCsv(exportBirthsCsv(store.all())).births);
    QCOMPARE(again->updated, births.size());
    QCOMPARE(store.count(), births.size());

    // A use stamped years ahead is not believed: it, and later saves, take the clock's.
    Birth ahead = birth(QStringLiteral("Ahead"));
    ahead.lastUsedAt = QDateTime(QDate(9999, 1, 1), QTime(0, 0), Qt::UTC);
    QVERIFY(store.importBirths(QList<Birth>{ahead}));
    QVERIFY(store.mostRecent()->lastUsedAt < QDateTime::currentDateTimeUtc().addDays(1));
    Birth now = birth(QStringLiteral("Now"));
    QVERIFY(store.saveRecent(now));
    QVERIFY(now.lastUsedAt < QDateTime::currentDateTimeUtc().addDays(1));
}

void BirthsTest::csvRoundTrip()
{
    BirthStore from(file("from.sqlite"));
    for (auto [name, b] : kinds())
        QVERIFY(from.saveRecent(b));
    const QByteArray csv = exportBirthsCsv(from.all());
    QVERIFY(csv.startsWith("year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,"
                           "lat_min,lat_dir,dst,utc_offset,name,second,"));
    const CsvBirths read = importBirthsCsv(csv);
    QCOMPARE(read.problems, QStringList());
    BirthStore to(file("to.sqlite"));
    const auto result = to.importBirths(read.births);
    QVERIFY(result);
    QCOMPARE(result->added, kinds().size());
    const QList<Birth> a = from.all(), b = to.all();
    QCOMPARE(b.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        QVERIFY2(a[i].sameEntries(b[i]), qPrintable(a[i].name));
        QCOMPARE(b[i].lastUsedAt, a[i].lastUsedAt);
        QCOMPARE(b[i].savedAt, a[i].savedAt);
    }
    // Importing again changes nothing.
    QCOMPARE(to.importBirths(read.births)->updated, kinds().size());
    QCOMPARE(to.count(), kinds().size());
}

void BirthsTest::csvBadRows()
{
    QByteArray csv =
        "name,year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst,"
        "city\n"
        "Good,1947,8,15,0,0,34,77,13,E,28,40,N,0,Delhi\n"
        "Month,1947,13,15,0,0,34,77,13,E,28,40,N,0,Delhi\n"
        "\"Multi\nline\",1947,8,15,0,0,34,77,13,X,28,40,N,0,Delhi\n"
        "Short,1947,8\n"
        "\n"
        "Dst,1947,8,15,0,0,34,77,13,W,28,40,S,2,Delhi\n"
        ",1947,8,15,0,0,34,77,13,W,28,40,S,1,Delhi\n"
        "\"Good, too\",2050,12,31,23,59,70,179,59,W,89,59,S,1,\"\"\"Q\"\" town\"\n";
    // A stray quote inside an unquoted field is text, as the batch reads it;
    // the longest name is counted in characters, not bytes.
    for (const QByteArray& name :
         {QByteArray("Ana 5\" Lee"), QString(kNameLimit.maxChars, QChar(0xE9)).toUtf8(),
          QByteArray(kMaxTextChars + 1, 'x'),
          QString(kNameLimit.maxChars + 1, QChar(0xE9)).toUtf8()})
        csv += name + ",1947,8,15,0,0,34,77,13,E,28,40,N,0,Delhi\n";
    csv += "Open,1947,8,15,0,0,34,77,13,E,28,40,N,0,\"Del\n";
    const CsvBirths read = importBirthsCsv(csv);
    QCOMPARE(read.problems,
             (QStringList{QStringLiteral("line 3: month 13 is outside 1-12"),
                          QStringLiteral("line 4: lon_dir 'X' is not E or W"),
                          QStringLiteral("line 6: expected 15 fields but found 3"),
                          QStringLiteral("line 8: dst 2 is not 0 or 1"),
                          QStringLiteral("line 9: the name is empty"),
                          QStringLiteral("line 13: name is longer than 500 characters"),
                          QStringLiteral("line 14: name is longer than 500 characters"),
                          QStringLiteral("line 15: a quoted field is not closed")}));
    QCOMPARE(names(read.births), QStringLiteral("Good|Good, too|Ana 5\" Lee|") +
                                     QString(kNameLimit.maxChars, QChar(0xE9)));
    QCOMPARE(read.births[1].city, QStringLiteral("\"Q\" town"));
    QCOMPARE(importBirthsCsv("name,year\n").problems,
             QStringList{QStringLiteral("line 1: the header has no column 'month'")});
}

QTEST_GUILESS_MAIN(BirthsTest)
#include "births_test.moc"
