// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the births file: creating it, moving a damaged one aside, reading
// one from a folder that cannot be written, and upgrading older schemas.
#include "births/birth_store.h"

#include "births/search_key.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
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
#include <chrono>
#include <thread>

namespace zenthra {
namespace {

// SQLite's result codes: another connection holds the lock; the file
// itself is bad, not the machine.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

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

std::atomic<int> connectionCount{0};

} // namespace

BirthStore::BirthStore()
    : BirthStore(defaultPath())
{
}

BirthStore::BirthStore(const QString& path, IfDamaged ifDamaged)
    : path_(QFileInfo(path).absoluteFilePath())
    , connection_(QStringLiteral("zenthra-births-%1").arg(++connectionCount))
    , ifDamaged_(ifDamaged)
{
    open();
}

QString BirthStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/births.sqlite");
}

bool BirthStore::unreadable(const QString& why)
{
    forgetStatements();
    QSqlDatabase::database(connection_, false).close();
    state_ = State::Unreadable;
    openError_ = why;
    return false;
}

bool BirthStore::damagedFile(const QString& why)
{
    if (ifDamaged_ == IfDamaged::MoveAside)
        return moveAside(why);
    return unreadable(QStringLiteral("Births cannot be read: %1 is damaged or is not a births "
                                     "file (%2); it was left as it is.")
                          .arg(QDir::toNativeSeparators(path_), why.trimmed()));
}

bool BirthStore::execWaiting(QSqlQuery& q, const QString& sql)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (q.exec(sql))
            return true;
        const int code = sqliteCode(q.lastError());
        if ((code != kSqliteBusy && code != kSqliteLocked) || waited.elapsed() > kBusyTimeoutMs)
            return false;
        q.finish();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool BirthStore::open()
{
    forgetStatements();
    state_ = State::Unreadable;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return unreadable(QStringLiteral("Births cannot be saved: Qt's SQLite driver is missing."));
    const QFileInfo file(path_);
    const QString shownPath = QDir::toNativeSeparators(path_);
    if (file.isDir())
        return unreadable(
            QStringLiteral("Births cannot be read: %1 is a folder, not a births file.")
                .arg(shownPath));
    if (!QDir().mkpath(file.absolutePath()))
        return unreadable(QStringLiteral("Births cannot be saved: the folder %1 cannot be created.")
                              .arg(QDir::toNativeSeparators(file.absolutePath())));
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.close();
    db.setDatabaseName(path_);
    // The program and zenthra-calc may write at the same moment: wait for the other.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    const bool existed = file.exists();
    // SQLite would open a file it cannot write for reading alone and fail
    // only at the first save.
    if (existed && !file.isWritable()) {
        if (openReadOnly())
            return readOnly(
                QStringLiteral("Births cannot be saved: %1 cannot be written.").arg(shownPath));
        return unreadable(
            QStringLiteral("Births cannot be read: %1 cannot be read.").arg(shownPath));
    }
    if (!db.open()) {
        const QString why =
            (db.lastError().driverText() + QLatin1Char(' ') + db.lastError().databaseText())
                .trimmed();
        if (existed && openReadOnly())
            return readOnly(QStringLiteral("Births cannot be saved: %1 cannot be written (%2).")
                                .arg(shownPath, why));
        return unreadable(QStringLiteral("Births cannot be saved: %1 cannot be created (%2).")
                              .arg(shownPath, why));
    }

    QSqlQuery q(db);
    // Reading the version is the first touch of the file: a file that is not
    // SQLite fails here. The version and the tables are read in one snapshot:
    // another copy may be creating the tables at this moment.
    if (!execWaiting(q, QStringLiteral("SELECT user_version, (SELECT count(*) FROM sqlite_schema) "
                                       "FROM pragma_user_version")) ||
        !q.next()) {
        if (damaged(q.lastError()))
            return damagedFile(q.lastError().databaseText());
        const QString why = q.lastError().databaseText();
        q.finish();
        // A folder that cannot be written still lets the births be read.
        if (openReadOnly())
            return readOnly(QStringLiteral("Births cannot be saved: %1 cannot be written (%2).")
                                .arg(shownPath, why));
        return unreadable(
            QStringLiteral("Births cannot be read: %1 cannot be read (%2).").arg(shownPath, why));
    }
    const int version = q.value(0).toInt();
    const bool foreign = version == 0 && q.value(1).toInt() != 0;
    q.finish();
    if (version > kSchemaVersion) // a later program's file: read nothing, overwrite nothing
        return unreadable(QStringLiteral("Births cannot be read: %1 comes from a newer version "
                                         "of Zenthra.")
                              .arg(shownPath));
    // The full check, not quick_check: an index that lost its rows reads
    // well and fails only at the next write. A store of births is small.
    if (!execWaiting(q, QStringLiteral("PRAGMA integrity_check(1)")) || !q.next()) {
        if (damaged(q.lastError()))
            return damagedFile(q.lastError().databaseText());
        return unreadable(QStringLiteral("Births cannot be read: %1 cannot be read (%2).")
                              .arg(shownPath, q.lastError().databaseText()));
    }
    if (q.value(0).toString() != QLatin1String("ok"))
        return damagedFile(QStringLiteral("integrity check: ") + q.value(0).toString());
    q.finish();
    if (foreign)
        return damagedFile(QStringLiteral("it holds tables that are not births"));
    // Nothing is written before the tables are known to be births: a file
    // that is not ours stays as it was, down to its header.
    if (!knownTables(version))
        return false;
    if (!migrate(version)) {
        db.close();
        const QString error =
            QStringLiteral("Births cannot be saved: %1 could not be upgraded (%2).")
                .arg(shownPath, lastError_);
        return openReadOnly() ? readOnly(error) : unreadable(error);
    }
    // WAL: readers never wait for the writer. FULL: a commit is on disk when it
    // returns. Another copy opening the file at this moment makes the switch
    // fail at once, whatever the busy timeout: it is tried again.
    const bool wal = execWaiting(q, QStringLiteral("PRAGMA journal_mode=WAL")) && q.next() &&
                     q.value(0).toString() == QLatin1String("wal");
    if (!wal || !execWaiting(q, QStringLiteral("PRAGMA synchronous=FULL"))) {
        const QString why = q.lastError().databaseText();
        q.finish();
        db.close();
        const QString error =
            QStringLiteral("Births cannot be saved in %1 (%2).")
                .arg(shownPath, why.isEmpty() ? QStringLiteral("it cannot be written") : why);
        return openReadOnly() ? readOnly(error) : unreadable(error);
    }
    q.finish();
    if (!knownTables(kSchemaVersion))
        return false;
    state_ = State::Saving;
    return true;
}

bool BirthStore::readOnly(const QString& why)
{
    openError_ = why;
    // An older file that could not be upgraded is read as its version keeps it.
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const int version = q.exec(QStringLiteral("PRAGMA user_version")) && q.next()
                            ? q.value(0).toInt()
                            : kSchemaVersion;
    q.finish();
    if (!knownTables(std::min(version, int(kSchemaVersion))))
        return false;
    state_ = State::ReadOnly;
    return false;
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
         {std::pair{
              path_,
              QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs)},
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
    if (!QFile::rename(path_, aside))
        return unreadable(QStringLiteral("Births cannot be read: %1 is damaged (%2) and could "
                                         "not be moved aside.")
                              .arg(QDir::toNativeSeparators(path_), why));
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
        version = 3;
    }
    if (ok && version == 3) {
        // Version 4: saved people apart from the recent charts of a Find.
        // Every earlier birth stays in the list of people.
        // A damaged schema row can make the ALTER a silent no-op: the
        // column is looked for before the new version is kept.
        ok = run("ALTER TABLE births ADD COLUMN person INTEGER NOT NULL DEFAULT 1") &&
             run("SELECT person FROM births LIMIT 0") && run("PRAGMA user_version = 4");
    }
    if (!ok) {
        const QString why = q.lastError().databaseText();
        rollback();
        return fail(QString(), why);
    }
    return commit();
}

} // namespace zenthra
