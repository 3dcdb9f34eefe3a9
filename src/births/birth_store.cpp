// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/birth_store.h"

#include "births/births_csv.h"
#include "births/search_key.h"
#include "place/atlas.h"

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>
#include <memory>

namespace zenthra {
namespace {

// Milliseconds since 1970 UTC; the column type of every time.
qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// A use stamped later than this ahead of the clock is not believed.
constexpr qint64 kMaxAheadMs = qint64{24} * 3600 * 1000;

// dst column: 0 clear, 1 ticked, 2 greyed (version 1 knew only 0 and 1).
int dstCode(Qt::CheckState s)
{
    return s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
}
Qt::CheckState dstState(int code)
{
    return code == 1 ? Qt::Checked : code == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
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

// Every column a birth writes, in kColumns' order from name on.
QVariantList fields(const Birth& b)
{
    return {text(b.name),
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
            b.placeTime ? QVariant(b.placeTime->offsetSeconds)
                        : QVariant(QMetaType(QMetaType::Int)),
            QVariant(int(b.placeTime && b.placeTime->zoneByHand)),
            QVariant(searchKey(b))};
}

// Binds the values, in order, to the statement's placeholders.
void bind(QSqlQuery& q, const QVariantList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(static_cast<int>(i), values[i]);
}

// The statements of a write, each prepared once for as long as the file is
// open: an import of many births spends its time writing, not parsing SQL.
constexpr const char* kLatestUse = "SELECT max(last_used) FROM births WHERE last_used <= ?";
constexpr const char* kSameEntries =
    "SELECT id, last_used FROM births WHERE name = ? AND year = ? AND month = ? AND day = ? AND "
    "hour = ? AND minute = ? AND second = ? AND city = ? AND state = ? AND country = ? AND "
    "lat_deg = ? AND lat_min = ? AND south = ? AND lon_deg = ? AND lon_min = ? AND west = ? "
    "ORDER BY last_used DESC LIMIT 1";
constexpr const char* kSameEveryEntry =
    "SELECT id, last_used FROM births WHERE name = ? AND year = ? AND month = ? AND day = ? AND "
    "hour = ? AND minute = ? AND second = ? AND city = ? AND state = ? AND country = ? AND "
    "lat_deg = ? AND lat_min = ? AND south = ? AND lon_deg = ? AND lon_min = ? AND west = ? AND "
    "zone = ? AND dst = ? AND place_zone_id IS ? AND place_offset IS ? AND zone_by_hand = ? "
    "ORDER BY last_used DESC LIMIT 1";
constexpr const char* kById = "SELECT id, last_used FROM births WHERE id = ?";
constexpr const char* kUpdate =
    "UPDATE births SET name = ?, year = ?, month = ?, day = ?, hour = ?, minute = ?, second = ?, "
    "city = ?, state = ?, country = ?, lat_deg = ?, lat_min = ?, south = ?, lon_deg = ?, "
    "lon_min = ?, west = ?, zone = ?, zone_text = ?, dst = ?, place_zone_id = ?, "
    "place_offset = ?, zone_by_hand = ?, search_key = ?, last_used = ? WHERE id = ?";
constexpr const char* kSavedAt = "SELECT saved_at FROM births WHERE id = ?";
constexpr const char* kInsert =
    "INSERT INTO births (name, year, month, day, hour, minute, second, city, state, country, "
    "lat_deg, lat_min, south, lon_deg, lon_min, west, zone, zone_text, dst, place_zone_id, "
    "place_offset, zone_by_hand, search_key, last_used, saved_at) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

} // namespace

struct BirthStore::Statements {
    std::map<const char*, QSqlQuery> prepared;
};

BirthStore::~BirthStore()
{
    statements_.reset(); // before the connection they belong to
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

void BirthStore::forgetStatements()
{
    statements_.reset();
}

QSqlQuery* BirthStore::statement(const char* sql)
{
    if (!statements_)
        statements_ = std::make_shared<Statements>();
    const auto found = statements_->prepared.find(sql);
    if (found != statements_->prepared.end()) {
        found->second.finish();
        return &found->second;
    }
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.prepare(QLatin1String(sql))) {
        fail(QString(), q.lastError().databaseText());
        return nullptr;
    }
    return &statements_->prepared.emplace(sql, std::move(q)).first->second;
}

bool BirthStore::knownTables(int version)
{
    // Every column read and written (those of the first version for a file
    // of that version), in one statement that fails on a table this program
    // does not know: such a file is read as nothing at all.
    if (version == 0)
        return true; // no tables yet
    const QString columns =
        version == 1 ? QStringLiteral("id, name, year, month, day, hour, minute, city, state, "
                                      "country, lat_deg, lat_min, south, lon_deg, lon_min, west, "
                                      "zone, dst, saved_at")
                     : QLatin1String(kColumns) + QStringLiteral(", search_key") +
                           (version >= 4 ? QStringLiteral(", person") : QString());
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(QStringLiteral("SELECT %1 FROM births LIMIT 0").arg(columns)))
        return true;
    return unreadable(QStringLiteral("Births cannot be read: %1 does not hold births as this "
                                     "version of Zenthra keeps them (%2).")
                          .arg(QDir::toNativeSeparators(path_), q.lastError().databaseText()));
}

bool BirthStore::begin()
{
    // IMMEDIATE takes the write lock now (waiting up to the busy timeout), so
    // a read inside the transaction cannot go stale and fail later.
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (execWaiting(q, QStringLiteral("BEGIN IMMEDIATE")))
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
    QSqlQuery* q = nullptr;
    // A statement left active would hold its read open past the commit.
    struct Finish {
        QSqlQuery*& q;
        ~Finish()
        {
            if (q)
                q->finish();
        }
    } finish{q};
    // Prepares the statement, binds the values and runs it.
    const auto run = [this, &q](const char* sql, const QVariantList& values) {
        if (q)
            q->finish();
        q = statement(sql);
        if (!q)
            return false;
        bind(*q, values);
        return q->exec() || fail(QString(), q->lastError().databaseText());
    };
    const qint64 now = nowMs();
    // Strictly after every other use, so "most recent" never ties; a use
    // stamped far ahead (a clock set wrong once) does not carry every later
    // stamp past it.
    const qint64 latest = now + kMaxAheadMs;
    if (!run(kLatestUse, {latest}) || !q->next())
        return false;
    qint64 stamp = std::max(now, q->value(0).toLongLong() + 1);
    if (keepLaterUse && birth.lastUsedAt.isValid() &&
        birth.lastUsedAt.toMSecsSinceEpoch() <= latest)
        stamp = birth.lastUsedAt.toMSecsSinceEpoch();

    qint64 existing = 0;
    qint64 existingUse = 0;
    bool found = false;
    if (matchEntries) {
        // After a calculation the same person is the same birth whatever its
        // zone; an import keeps two births that differ in any entry apart.
        QVariantList entries = fields(birth).mid(0, 16);
        if (keepLaterUse) {
            const auto& place = birth.placeTime;
            entries << QVariant(birth.zonePosition) << QVariant(dstCode(birth.dst))
                    << (place ? QVariant(place->zoneId) : QVariant(QMetaType(QMetaType::QString)))
                    << (place ? QVariant(place->offsetSeconds)
                              : QVariant(QMetaType(QMetaType::Int)))
                    << QVariant(int(place && place->zoneByHand));
        }
        found = run(keepLaterUse ? kSameEveryEntry : kSameEntries, entries);
    } else {
        found = run(kById, {birth.id});
    }
    if (!found)
        return false;
    if (q->next()) {
        existing = q->value(0).toLongLong();
        existingUse = q->value(1).toLongLong();
    }

    if (existing != 0) {
        if (keepLaterUse)
            stamp = std::max(stamp, existingUse);
        if (!run(kUpdate, fields(birth) << stamp << existing) || !run(kSavedAt, {existing}) ||
            !q->next())
            return false;
        birth.savedAt = QDateTime::fromMSecsSinceEpoch(q->value(0).toLongLong(), Qt::UTC);
        birth.id = existing;
    } else {
        const qint64 saved =
            keepLaterUse && birth.savedAt.isValid() ? birth.savedAt.toMSecsSinceEpoch() : now;
        if (!run(kInsert, fields(birth) << stamp << saved))
            return false;
        birth.id = q->lastInsertId().toLongLong();
        birth.savedAt = QDateTime::fromMSecsSinceEpoch(saved, Qt::UTC);
    }
    birth.lastUsedAt = QDateTime::fromMSecsSinceEpoch(stamp, Qt::UTC);
    if (updated)
        *updated = existing != 0;
    return true;
}

bool BirthStore::saveRecent(Birth& birth)
{
    return saveChecked(birth, true, false);
}

bool BirthStore::save(Birth& birth)
{
    return saveChecked(birth, birth.id == 0, true);
}

// One checked write in its own transaction; birth takes the stored values
// (id, zone text, times) only when it succeeded.
bool BirthStore::saveChecked(Birth& birth, bool matchEntries, bool asPerson)
{
    if (!isSaving())
        return fail(QString(), openError_);
    if (const auto problem = checkBirth(birth))
        return fail(QStringLiteral("The birth was not saved"), *problem);
    Birth work = birth;
    work.zoneText = QString::fromLatin1(zoneEntry(work.zonePosition).text); // checked above
    bool updated = false;
    if (!begin() || !write(work, matchEntries, false, &updated) ||
        !markKept(work.id, asPerson, updated) || !commit())
        return savingFailed();
    birth = work;
    return true;
}

bool BirthStore::markKept(qint64 id, bool asPerson, bool updated)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const auto failed = [this, &q] { return fail(QString(), q.lastError().databaseText()); };
    // A row written by a Find keeps what it was; a new one is a chart.
    if (asPerson || !updated) {
        q.prepare(QStringLiteral("UPDATE births SET person = ? WHERE id = ?"));
        q.addBindValue(int(asPerson));
        q.addBindValue(id);
        if (!q.exec())
            return failed();
        q.finish();
    }
    if (asPerson)
        return true;
    q.prepare(QStringLiteral("DELETE FROM births WHERE person = 0 AND id NOT IN (SELECT id FROM "
                             "births WHERE person = 0 ORDER BY last_used DESC, id DESC LIMIT ?)"));
    q.addBindValue(kRecentCharts);
    return q.exec() || failed();
}

bool BirthStore::saveAs(Birth& birth, const QString& newName)
{
    Birth copy = birth;
    copy.id = 0;
    copy.name = newName;
    if (!save(copy))
        return false;
    birth = copy;
    return true;
}

bool BirthStore::remove(qint64 id)
{
    if (!isSaving())
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
    auto it = births.begin();
    return importBirths([&]() -> std::optional<Birth> {
        if (it == births.end())
            return std::nullopt;
        return *it++;
    });
}

std::optional<BirthStore::ImportResult>
BirthStore::importBirths(const std::function<std::optional<Birth>()>& next,
                         const std::function<std::optional<QString>()>& stop)
{
    if (!isSaving()) {
        fail(QString(), openError_);
        return std::nullopt;
    }
    ImportResult result;
    if (!begin()) {
        savingFailed();
        return std::nullopt;
    }
    while (std::optional<Birth> b = next()) {
        if (const auto problem = checkBirth(*b)) {
            rollback();
            fail(QStringLiteral("Nothing was imported: %1").arg(b->name), *problem);
            return std::nullopt;
        }
        if (b->zoneText.isEmpty()) // as a save keeps it
            b->zoneText = QString::fromLatin1(zoneEntry(b->zonePosition).text);
        bool updated = false;
        if (!write(*b, true, true, &updated)) {
            savingFailed();
            return std::nullopt;
        }
        ++(updated ? result.updated : result.added);
    }
    if (const auto why = stop ? stop() : std::nullopt) {
        rollback();
        fail(QStringLiteral("Nothing was imported"), *why);
        return std::nullopt;
    }
    if (!commit()) {
        savingFailed();
        return std::nullopt;
    }
    return result;
}

std::optional<BirthStore::ImportResult> BirthStore::importBirths(BirthsCsvReader& reader)
{
    return importBirths([&reader] { return reader.next(); },
                        [&reader] { return reader.tooLarge(); });
}

QList<Birth> BirthStore::select(const QString& where, const QVariantList& values,
                                const QString& tail) const
{
    QList<Birth> out;
    readError_.clear();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!isReadable() || !db.isOpen()) {
        readError_ = openError_;
        return out;
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM births %2 %3")
                  .arg(QLatin1String(kColumns),
                       where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where, tail));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        readFailed(q);
        return out;
    }
    while (q.next())
        out << readRow(q);
    // A read error part way gives no more rows: never a list cut short.
    if (q.lastError().isValid()) {
        readFailed(q);
        out.clear();
    }
    return out;
}

void BirthStore::readFailed(const QSqlQuery& q) const
{
    lastError_ = q.lastError().databaseText();
    readError_ = QStringLiteral("The saved births in %1 could not be read (%2).")
                     .arg(QDir::toNativeSeparators(path_), lastError_);
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

QList<Birth> BirthStore::search(const QString& text, int limit, bool peopleOnly) const
{
    const QString people = peopleOnly ? QStringLiteral("person = 1 AND ") : QString();
    if (text.trimmed().isEmpty())
        return select(people + QStringLiteral("1"), {limit},
                      QStringLiteral("ORDER BY last_used DESC, id DESC LIMIT ?"));
    // Only punctuation: folded away, it is in no name.
    const QString needle = foldPlaceName(text);
    if (needle.isEmpty())
        return {};
    // A name that starts with the text first, then a word that starts with
    // it (of the name or the place), then any other match.
    return select(people + QStringLiteral("instr(search_key, ?) > 0"),
                  {needle, needle, needle, needle, limit},
                  QStringLiteral("ORDER BY CASE WHEN instr(search_key, ?) = 1 THEN 0 "
                                 "WHEN instr(search_key, ' ' || ?) > 0 "
                                 "OR instr(search_key, char(10) || ?) > 0 THEN 1 ELSE 2 END, "
                                 "last_used DESC, id DESC LIMIT ?"));
}

QList<Birth> BirthStore::all() const
{
    return select(
        QString(), {},
        QStringLiteral("ORDER BY name COLLATE NOCASE, year, month, day, hour, minute, id"));
}

int BirthStore::count() const
{
    readError_.clear();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!isReadable() || !db.isOpen()) {
        readError_ = openError_;
        return 0;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM births")) || !q.next()) {
        readFailed(q);
        return 0;
    }
    return q.value(0).toInt();
}

} // namespace zenthra
