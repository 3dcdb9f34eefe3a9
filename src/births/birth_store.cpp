// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/birth_store.h"

#include "place/atlas.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace zenthra {
namespace {

// SQLite's result codes that mean the file itself is bad, not the machine.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

// Milliseconds since 1970 UTC; the column type of every time.
qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// dst column: 0 clear, 1 ticked, 2 greyed (version 1 knew only 0 and 1).
int dstCode(Qt::CheckState s)
{
    return s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
}
Qt::CheckState dstState(int code)
{
    return code == 1 ? Qt::Checked : code == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

// Name and place folded as place names are ("Zoë Ødegård" → "zoe odegard"),
// one field a line, so that no search matches across two of them.
QString searchKey(const Birth& b)
{
    QStringList fields;
    for (const QString& field : {b.name, b.city, b.state, b.country})
        fields << foldPlaceName(field);
    return fields.join(QLatin1Char('\n'));
}

// Every birth's id, name, place and zone position, for an upgrade.
QList<Birth> namesAndZones(QSqlQuery& q, bool& ok)
{
    QList<Birth> rows;
    ok = q.exec(QStringLiteral("SELECT id, name, city, state, country, zone FROM births"));
    while (ok && q.next()) {
        Birth b;
        b.id = q.value(0).toLongLong();
        b.name = q.value(1).toString();
        b.city = q.value(2).toString();
        b.state = q.value(3).toString();
        b.country = q.value(4).toString();
        b.zonePosition = q.value(5).toInt();
        rows << b;
    }
    q.finish();
    return rows;
}

int sqliteCode(const QSqlError& e)
{
    // The driver gives SQLite's code as text; the low byte is the primary code.
    return e.nativeErrorCode().toInt() & 0xff;
}

bool damaged(const QSqlError& e)
{
    const int code = sqliteCode(e);
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

constexpr const char* kColumns =
    "id, name, year, month, day, hour, minute, second, city, state, country, lat_deg, lat_min, "
    "south, lon_deg, lon_min, west, zone, zone_text, dst, place_zone_id, place_offset, "
    "zone_by_hand, saved_at, last_used";

Birth readRow(const QSqlQuery& q)
{
    Birth b;
    int c = 0;
    const auto next = [&q, &c] { return q.value(c++); };
    b.id = next().toLongLong();
    b.name = next().toString();
    b.year = next().toInt();
    b.month = next().toInt();
    b.day = next().toInt();
    b.hour = next().toInt();
    b.minute = next().toInt();
    b.second = next().toInt();
    b.city = next().toString();
    b.state = next().toString();
    b.country = next().toString();
    b.latDeg = next().toInt();
    b.latMin = next().toInt();
    b.south = next().toInt() != 0;
    b.lonDeg = next().toInt();
    b.lonMin = next().toInt();
    b.west = next().toInt() != 0;
    const int zone = next().toInt();
    b.zoneText = next().toString();
    b.zonePosition = resolveZonePosition(zone, b.zoneText);
    b.dst = dstState(next().toInt());
    const QVariant zoneId = next();
    const QVariant offset = next();
    const bool byHand = next().toInt() != 0;
    if (!zoneId.isNull())
        b.placeTime = PickedPlaceTime{zoneId.toString(), offset.toInt(), byHand};
    b.savedAt = QDateTime::fromMSecsSinceEpoch(next().toLongLong(), Qt::UTC);
    b.lastUsedAt = QDateTime::fromMSecsSinceEpoch(next().toLongLong(), Qt::UTC);
    return b;
}

// A null QString would be bound as NULL.
QVariant text(const QString& s)
{
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}

// Binds every column a birth writes, in kColumns' order from name on.
void bindFields(QSqlQuery& q, const Birth& b)
{
    for (const QVariant& v :
         {text(b.name),
          QVariant(b.year),
          QVariant(b.month),
          QVariant(b.day),
          QVariant(b.hour),
          QVariant(b.minute),
          QVariant(b.second),
          text(b.city),
          text(b.state),
          text(b.country),
          QVariant(b.latDeg),
          QVariant(b.latMin),
          QVariant(int(b.south)),
          QVariant(b.lonDeg),
          QVariant(b.lonMin),
          QVariant(int(b.west)),
          QVariant(b.zonePosition),
          text(b.zoneText),
          QVariant(dstCode(b.dst)),
          b.placeTime ? QVariant(b.placeTime->zoneId) : QVariant(QMetaType(QMetaType::QString)),
          b.placeTime ? QVariant(b.placeTime->offsetSeconds) : QVariant(QMetaType(QMetaType::Int)),
          QVariant(int(b.placeTime && b.placeTime->zoneByHand)),
          QVariant(searchKey(b))})
        q.addBindValue(v);
}

std::atomic<int> connectionCount{0};

} // namespace

BirthStore::BirthStore()
    : BirthStore(defaultPath())
{
}

BirthStore::BirthStore(const QString& path)
    : path_(QFileInfo(path).absoluteFilePath())
    , connection_(QStringLiteral("zenthra-births-%1").arg(++connectionCount))
{
    open();
}

BirthStore::~BirthStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QString BirthStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/births.sqlite");
}

bool BirthStore::open()
{
    saving_ = false;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        openError_ = QStringLiteral("Births cannot be saved: Qt's SQLite driver is missing.");
        return false;
    }
    const QFileInfo file(path_);
    if (!QDir().mkpath(file.absolutePath())) {
        openError_ = QStringLiteral("Births cannot be saved: the folder %1 cannot be created.")
                         .arg(QDir::toNativeSeparators(file.absolutePath()));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.close();
    db.setDatabaseName(path_);
    // The program and zenthra-calc may write at the same moment: wait for the other.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    const bool existed = file.exists();
    if (!db.open()) {
        const QString why =
            db.lastError().driverText() + QLatin1Char(' ') + db.lastError().databaseText();
        if (existed && openReadOnly())
            openError_ = QStringLiteral("Births cannot be saved: %1 cannot be written (%2).")
                             .arg(QDir::toNativeSeparators(path_), why.trimmed());
        else
            openError_ = QStringLiteral("Births cannot be saved: %1 cannot be created (%2).")
                             .arg(QDir::toNativeSeparators(path_), why.trimmed());
        return false;
    }

    QSqlQuery q(db);
    // Reading the version is the first touch of the file: a file that is not
    // SQLite fails here. The version and the tables are read in one snapshot:
    // another copy may be creating the tables at this moment.
    if (!q.exec(QStringLiteral("SELECT user_version, (SELECT count(*) FROM sqlite_schema) "
                               "FROM pragma_user_version")) ||
        !q.next()) {
        if (damaged(q.lastError()))
            return moveAside(q.lastError().databaseText());
        const QString why = q.lastError().databaseText();
        q.finish();
        // A folder that cannot be written still lets the births be read.
        const bool readable = openReadOnly();
        openError_ = QStringLiteral("Births cannot be saved: %1 cannot be %2 (%3).")
                         .arg(QDir::toNativeSeparators(path_),
                              readable ? QStringLiteral("written") : QStringLiteral("read"), why);
        return false;
    }
    const int version = q.value(0).toInt();
    const bool foreign = version == 0 && q.value(1).toInt() != 0;
    q.finish();
    if (version > kSchemaVersion) {
        // A later program's file: read nothing, overwrite nothing.
        openError_ = QStringLiteral("Births are not saved: %1 comes from a newer version of "
                                    "Zenthra.")
                         .arg(QDir::toNativeSeparators(path_));
        db.close();
        return false;
    }
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        if (damaged(q.lastError()))
            return moveAside(q.lastError().databaseText());
        openError_ = QStringLiteral("Births cannot be saved: %1 cannot be read (%2).")
                         .arg(QDir::toNativeSeparators(path_), q.lastError().databaseText());
        return false;
    }
    if (q.value(0).toString() != QLatin1String("ok"))
        return moveAside(QStringLiteral("integrity check: ") + q.value(0).toString());
    q.finish();
    if (foreign)
        return moveAside(QStringLiteral("it holds tables that are not births"));
    // WAL: readers never wait for the writer. FULL: a commit is on disk when it returns.
    const bool wal = q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && q.next() &&
                     q.value(0).toString() == QLatin1String("wal");
    if (!wal || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        const QString why = q.lastError().databaseText();
        openError_ = QStringLiteral("Births cannot be saved in %1 (%2).")
                         .arg(QDir::toNativeSeparators(path_),
                              why.isEmpty() ? QStringLiteral("it cannot be written") : why);
        q.finish();
        db.close();
        openReadOnly();
        return false;
    }
    if (!migrate(version)) {
        openError_ = QStringLiteral("Births cannot be saved: %1 could not be upgraded (%2).")
                         .arg(QDir::toNativeSeparators(path_), lastError_);
        db.close();
        openReadOnly();
        return false;
    }
    saving_ = true;
    return true;
}

bool BirthStore::openReadOnly()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    // A WAL file cannot be read where its index file cannot be made, unless
    // it is opened as unchanging: the second way, for a folder that is
    // read-only to us.
    const QString immutable =
        QUrl::fromLocalFile(path_).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1");
    for (const auto& [name, options] :
         {std::pair{path_, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")},
          std::pair{immutable, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")}}) {
        db.close();
        db.setDatabaseName(name);
        db.setConnectOptions(options);
        if (!db.open())
            continue;
        QSqlQuery q(db);
        // Version 3 only refolded the search texts: a version 2 file reads alike.
        if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next() && q.value(0).toInt() >= 2 &&
            q.value(0).toInt() <= kSchemaVersion)
            return true;
    }
    db.close();
    return false;
}

bool BirthStore::moveAside(const QString& why)
{
    QSqlDatabase::database(connection_, false).close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path_ + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path_, aside)) {
        openError_ = QStringLiteral("Births cannot be saved: %1 is damaged (%2) and could not be "
                                    "moved aside.")
                         .arg(QDir::toNativeSeparators(path_), why);
        return false;
    }
    // The journal files belong to the damaged file: they go with it.
    for (const char* tail : {"-wal", "-shm"})
        if (QFileInfo::exists(path_ + QLatin1String(tail)))
            QFile::rename(path_ + QLatin1String(tail), aside + QLatin1String(tail));
    movedAside_ = aside;
    recovery_ =
        QStringLiteral("The saved births in %1 could not be read (%2). The file was moved "
                       "aside as %3 and a new, empty one was started.")
            .arg(QDir::toNativeSeparators(path_), why.trimmed(), QDir::toNativeSeparators(aside));
    return open();
}

bool BirthStore::migrate(int from)
{
    if (from >= kSchemaVersion)
        return true;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!begin())
        return false;
    QSqlQuery q(db);
    // Another copy may have upgraded the file while this one waited for the lock.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        rollback();
        return fail(QString(), q.lastError().databaseText());
    }
    int version = q.value(0).toInt();
    q.finish();
    const auto run = [&q](const char* sql) { return q.exec(QLatin1String(sql)); };
    bool ok = true;
    if (version == 0) {
        // Version 1: the birth as the window first kept it.
        ok = run("CREATE TABLE births ("
                 "id INTEGER PRIMARY KEY, name TEXT NOT NULL, year INTEGER NOT NULL, "
                 "month INTEGER NOT NULL, day INTEGER NOT NULL, hour INTEGER NOT NULL, "
                 "minute INTEGER NOT NULL, city TEXT NOT NULL, state TEXT NOT NULL, "
                 "country TEXT NOT NULL, lat_deg INTEGER NOT NULL, lat_min INTEGER NOT NULL, "
                 "south INTEGER NOT NULL, lon_deg INTEGER NOT NULL, lon_min INTEGER NOT NULL, "
                 "west INTEGER NOT NULL, zone INTEGER NOT NULL, dst INTEGER NOT NULL, "
                 "saved_at INTEGER NOT NULL)") &&
             run("PRAGMA user_version = 1");
        version = 1;
    }
    if (ok && version == 1) {
        // Version 2: seconds, the zone's text, the picked place's time, the
        // greyed box (dst 2), last use and the folded text for searching.
        ok = run("ALTER TABLE births ADD COLUMN second INTEGER NOT NULL DEFAULT 0") &&
             run("ALTER TABLE births ADD COLUMN zone_text TEXT NOT NULL DEFAULT ''") &&
             run("ALTER TABLE births ADD COLUMN place_zone_id TEXT") &&
             run("ALTER TABLE births ADD COLUMN place_offset INTEGER") &&
             run("ALTER TABLE births ADD COLUMN zone_by_hand INTEGER NOT NULL DEFAULT 0") &&
             run("ALTER TABLE births ADD COLUMN last_used INTEGER NOT NULL DEFAULT 0") &&
             run("ALTER TABLE births ADD COLUMN search_key TEXT NOT NULL DEFAULT ''") &&
             run("UPDATE births SET last_used = saved_at");
        // Texts come from the program's own tables and folding: row by row.
        const QList<Birth> old = ok ? namesAndZones(q, ok) : QList<Birth>();
        ok = ok && q.prepare(QStringLiteral(
                       "UPDATE births SET zone_text = ?, search_key = ? WHERE id = ?"));
        for (const Birth& b : std::as_const(old)) {
            if (!ok)
                break;
            q.addBindValue(b.zonePosition >= 0 && b.zonePosition < kZoneCount
                               ? QString::fromLatin1(zoneEntry(b.zonePosition).text)
                               : QString());
            q.addBindValue(searchKey(b));
            q.addBindValue(b.id);
            ok = q.exec();
        }
        ok = ok && run("CREATE INDEX births_last_used ON births(last_used)") &&
             run("CREATE INDEX births_entries ON births(name, year, month, day, hour, minute)") &&
             run("PRAGMA user_version = 2");
        version = 2;
    }
    if (ok && version == 2) {
        // Version 3: the text for searching folded as place names are.
        const QList<Birth> old = namesAndZones(q, ok);
        ok = ok && q.prepare(QStringLiteral("UPDATE births SET search_key = ? WHERE id = ?"));
        for (const Birth& b : old) {
            if (!ok)
                break;
            q.addBindValue(searchKey(b));
            q.addBindValue(b.id);
            ok = q.exec();
        }
        ok = ok && run("PRAGMA user_version = 3");
    }
    if (!ok) {
        const QString why = q.lastError().databaseText();
        rollback();
        return fail(QString(), why);
    }
    return commit();
}

bool BirthStore::begin()
{
    // IMMEDIATE takes the write lock now (waiting up to the busy timeout), so
    // a read inside the transaction cannot go stale and fail later.
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    return fail(QString(), q.lastError().databaseText());
}

bool BirthStore::commit()
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(QStringLiteral("COMMIT")))
        return true;
    const QString why = q.lastError().databaseText();
    rollback();
    return fail(QString(), why);
}

void BirthStore::rollback()
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.exec(QStringLiteral("ROLLBACK"));
}

bool BirthStore::fail(const QString& what, const QString& why)
{
    lastError_ = what.isEmpty() ? why : what + QStringLiteral(" (") + why + QLatin1Char(')');
    return false;
}

bool BirthStore::savingFailed()
{
    rollback(); // harmless when no transaction is open
    lastError_ = QStringLiteral("The birth could not be saved in %1 (%2).")
                     .arg(QDir::toNativeSeparators(path_), lastError_);
    return false;
}

bool BirthStore::write(Birth& birth, bool matchEntries, bool keepLaterUse, bool* updated)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const auto failed = [this, &q] { return fail(QString(), q.lastError().databaseText()); };
    const qint64 now = nowMs();
    // Strictly after every other use, so "most recent" never ties.
    if (!q.exec(QStringLiteral("SELECT max(last_used) FROM births")) || !q.next())
        return failed();
    qint64 stamp = std::max(now, q.value(0).toLongLong() + 1);
    q.finish();
    if (keepLaterUse && birth.lastUsedAt.isValid())
        stamp = birth.lastUsedAt.toMSecsSinceEpoch();

    qint64 existing = 0;
    qint64 existingUse = 0;
    if (matchEntries) {
        q.prepare(QStringLiteral(
            "SELECT id, last_used FROM births WHERE name = ? AND year = ? AND month = ? AND "
            "day = ? AND hour = ? AND minute = ? AND second = ? AND city = ? AND state = ? AND "
            "country = ? AND lat_deg = ? AND lat_min = ? AND south = ? AND lon_deg = ? AND "
            "lon_min = ? AND west = ? ORDER BY last_used DESC LIMIT 1"));
        for (const QVariant& v :
             {text(birth.name), QVariant(birth.year), QVariant(birth.month), QVariant(birth.day),
              QVariant(birth.hour), QVariant(birth.minute), QVariant(birth.second),
              text(birth.city), text(birth.state), text(birth.country), QVariant(birth.latDeg),
              QVariant(birth.latMin), QVariant(int(birth.south)), QVariant(birth.lonDeg),
              QVariant(birth.lonMin), QVariant(int(birth.west))})
            q.addBindValue(v);
    } else {
        q.prepare(QStringLiteral("SELECT id, last_used FROM births WHERE id = ?"));
        q.addBindValue(birth.id);
    }
    if (!q.exec())
        return failed();
    if (q.next()) {
        existing = q.value(0).toLongLong();
        existingUse = q.value(1).toLongLong();
    }
    q.finish();

    if (existing != 0) {
        if (keepLaterUse)
            stamp = std::max(stamp, existingUse);
        q.prepare(QStringLiteral(
            "UPDATE births SET name = ?, year = ?, month = ?, day = ?, hour = ?, minute = ?, "
            "second = ?, city = ?, state = ?, country = ?, lat_deg = ?, lat_min = ?, south = ?, "
            "lon_deg = ?, lon_min = ?, west = ?, zone = ?, zone_text = ?, dst = ?, "
            "place_zone_id = ?, place_offset = ?, zone_by_hand = ?, search_key = ?, "
            "last_used = ? WHERE id = ?"));
        bindFields(q, birth);
        q.addBindValue(stamp);
        q.addBindValue(existing);
        if (!q.exec())
            return failed();
        q.finish();
        if (!q.prepare(QStringLiteral("SELECT saved_at FROM births WHERE id = ?")))
            return failed();
        q.addBindValue(existing);
        if (!q.exec() || !q.next())
            return failed();
        birth.savedAt = QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong(), Qt::UTC);
        birth.id = existing;
    } else {
        const qint64 saved =
            keepLaterUse && birth.savedAt.isValid() ? birth.savedAt.toMSecsSinceEpoch() : now;
        q.prepare(QStringLiteral(
            "INSERT INTO births (name, year, month, day, hour, minute, second, city, state, "
            "country, lat_deg, lat_min, south, lon_deg, lon_min, west, zone, zone_text, dst, "
            "place_zone_id, place_offset, zone_by_hand, search_key, last_used, saved_at) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        bindFields(q, birth);
        q.addBindValue(stamp);
        q.addBindValue(saved);
        if (!q.exec())
            return failed();
        birth.id = q.lastInsertId().toLongLong();
        birth.savedAt = QDateTime::fromMSecsSinceEpoch(saved, Qt::UTC);
    }
    birth.lastUsedAt = QDateTime::fromMSecsSinceEpoch(stamp, Qt::UTC);
    if (updated)
        *updated = existing != 0;
    return true;
}

bool BirthStore::saveRecent(Birth& birth)
{
    return saveChecked(birth, true);
}

bool BirthStore::save(Birth& birth)
{
    return birth.id == 0 ? saveRecent(birth) : saveChecked(birth, false);
}

// One checked write in its own transaction; birth takes the stored values
// (id, zone text, times) only when it succeeded.
bool BirthStore::saveChecked(Birth& birth, bool matchEntries)
{
    if (!saving_)
        return fail(QString(), openError_);
    if (const auto problem = checkBirth(birth))
        return fail(QStringLiteral("The birth was not saved"), *problem);
    Birth work = birth;
    work.zoneText = QString::fromLatin1(zoneEntry(work.zonePosition).text); // checked above
    if (!begin() || !write(work, matchEntries) || !commit())
        return savingFailed();
    birth = work;
    return true;
}

bool BirthStore::saveAs(Birth& birth, const QString& newName)
{
    Birth copy = birth;
    copy.id = 0;
    copy.name = newName;
    if (!saveRecent(copy))
        return false;
    birth = copy;
    return true;
}

bool BirthStore::remove(qint64 id)
{
    if (!saving_)
        return fail(QString(), openError_);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    bool ok = begin();
    if (ok) {
        q.prepare(QStringLiteral("DELETE FROM births WHERE id = ?"));
        q.addBindValue(id);
        ok = q.exec() || fail(QString(), q.lastError().databaseText());
        q.finish();
    }
    if (!ok || !commit()) {
        rollback();
        lastError_ = QStringLiteral("The birth could not be deleted from %1 (%2).")
                         .arg(QDir::toNativeSeparators(path_), lastError_);
        return false;
    }
    return true;
}

std::optional<BirthStore::ImportResult> BirthStore::importBirths(const QList<Birth>& births)
{
    if (!saving_) {
        fail(QString(), openError_);
        return std::nullopt;
    }
    for (const Birth& b : births)
        if (const auto problem = checkBirth(b)) {
            fail(QStringLiteral("Nothing was imported: %1").arg(b.name), *problem);
            return std::nullopt;
        }
    ImportResult result;
    if (!begin()) {
        savingFailed();
        return std::nullopt;
    }
    for (Birth b : births) {
        bool updated = false;
        if (!write(b, true, true, &updated)) {
            savingFailed();
            return std::nullopt;
        }
        ++(updated ? result.updated : result.added);
    }
    if (!commit()) {
        savingFailed();
        return std::nullopt;
    }
    return result;
}

QList<Birth> BirthStore::select(const QString& where, const QVariantList& values,
                                const QString& tail) const
{
    QList<Birth> out;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isOpen())
        return out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM births %2 %3")
                  .arg(QLatin1String(kColumns),
                       where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where, tail));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        lastError_ = q.lastError().databaseText();
        return out;
    }
    while (q.next())
        out << readRow(q);
    return out;
}

std::optional<Birth> BirthStore::byId(qint64 id) const
{
    const QList<Birth> found = select(QStringLiteral("id = ?"), {id}, QString());
    if (found.isEmpty())
        return std::nullopt;
    return found.front();
}

std::optional<Birth> BirthStore::mostRecent() const
{
    const QList<Birth> found = recent(1);
    if (found.isEmpty())
        return std::nullopt;
    return found.front();
}

QList<Birth> BirthStore::recent(int count) const
{
    return select(QString(), {count}, QStringLiteral("ORDER BY last_used DESC, id DESC LIMIT ?"));
}

QList<Birth> BirthStore::search(const QString& text, int limit) const
{
    if (text.trimmed().isEmpty())
        return recent(limit);
    // Only punctuation: folded away, it is in no name.
    const QString needle = foldPlaceName(text);
    if (needle.isEmpty())
        return {};
    return select(QStringLiteral("instr(search_key, ?) > 0"), {needle, limit},
                  QStringLiteral("ORDER BY last_used DESC, id DESC LIMIT ?"));
}

QList<Birth> BirthStore::all() const
{
    return select(
        QString(), {},
        QStringLiteral("ORDER BY name COLLATE NOCASE, year, month, day, hour, minute, id"));
}

int BirthStore::count() const
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isOpen())
        return 0;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM births")) || !q.next()) {
        lastError_ = q.lastError().databaseText();
        return 0;
    }
    return q.value(0).toInt();
}

} // namespace zenthra
