// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "births/birth.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlQuery;

#include <functional>
#include <memory>
#include <optional>

namespace zenthra {

// The saved births: one SQLite file owned by this class; the windows and the
// command line never write SQL themselves. Every change is one transaction
// with bound values and is on disk when the call returns. Several stores,
// in one process or several (the program and zenthra-calc), may use one file
// at once. Not thread-safe: use a store from the thread that made it.
class BirthsCsvReader;

class BirthStore {
public:
    // The schema version this build writes; older files are upgraded.
    static constexpr int kSchemaVersion = 4;
    // How many charts of a Find the store keeps besides the saved people.
    static constexpr int kRecentCharts = 20;

    // What may be done with the file once it is opened.
    enum class State {
        Saving,     // read and written
        ReadOnly,   // read, nothing saved (a file or folder that cannot be written)
        Unreadable, // nothing read and nothing saved: see openError()
    };
    // What opening does with a file that is damaged or is another program's
    // database: the program's own file is moved aside, byte for byte, and a
    // new one started; a file the user named is refused and left untouched.
    enum class IfDamaged { MoveAside, Refuse };

    // births.sqlite in the user's data folder, which Qt names after the
    // application: zenthra-calc must call itself "Zenthra" too to share it.
    BirthStore();
    explicit BirthStore(const QString& path, IfDamaged ifDamaged = IfDamaged::MoveAside);
    ~BirthStore();
    BirthStore(const BirthStore&) = delete;
    BirthStore& operator=(const BirthStore&) = delete;

    static QString defaultPath();
    QString path() const { return path_; }

    // Unreadable when the file cannot be read at all: a folder, a file from
    // a newer program, one whose tables are not births as this program
    // keeps them, a damaged or foreign file that was refused or could not
    // be moved aside, a read error. Reads then give nothing and every write
    // is refused: nothing in the file changes.
    State state() const { return state_; }
    bool isSaving() const { return state_ == State::Saving; }
    bool isReadable() const { return state_ != State::Unreadable; }
    // Why the store is not saving, naming the file: one sentence for the user.
    QString openError() const { return openError_; }
    // Set when a damaged file was moved aside at opening and a new one
    // started: a message naming both files, for the user.
    QString recoveryMessage() const { return recovery_; }
    QString movedAsidePath() const { return movedAside_; }
    // Why the last failed call failed ("database or disk is full", ...).
    QString lastError() const { return lastError_; }
    // Why the last read (byId, mostRecent, recent, search, all, count)
    // failed, naming the file; empty when it succeeded. A read that failed
    // gives nothing, which is not the same as a store without births.
    QString readError() const { return readError_; }

    // After a calculation: updates the birth with the same name, date, time
    // and place, or adds it as a recent chart; either way it becomes the most
    // recent. Of the charts that are not saved people, the kRecentCharts most
    // recently used are kept. Sets the birth's id and times. False (and
    // lastError()) when it could not be saved.
    bool saveRecent(Birth& birth);
    // Writes the birth back under its id (added when it has none or is gone)
    // as a saved person.
    bool save(Birth& birth);
    // Adds a copy under another name as a saved person, keeping the original.
    bool saveAs(Birth& birth, const QString& newName);
    bool remove(qint64 id);

    std::optional<Birth> byId(qint64 id) const;
    std::optional<Birth> mostRecent() const;
    QList<Birth> recent(int count) const; // most recently used first
    // Births whose name or place holds the text, accents and case ignored: a
    // name that starts with it first, then one with a word that does, then
    // the others, each most recently used first; a blank text gives the most
    // recent ones. peopleOnly leaves out the recent charts of a Find that were
    // never saved as people (births from before version 4 all count as people).
    QList<Birth> search(const QString& text, int limit = 50, bool peopleOnly = false) const;
    QList<Birth> all() const; // by name, then date
    int count() const;

    struct ImportResult {
        int added = 0;
        int updated = 0; // the same birth was already there
    };
    // Adds the births in one transaction; one already stored (the same in
    // every entry: name, date, time, place, coordinates, zone, box and
    // place time) is updated and keeps the later of the two last-used times. Nothing is
    // imported when one of them cannot be saved.
    std::optional<ImportResult> importBirths(const QList<Birth>& births);
    // The same for the births next() gives until it gives nothing, taken one
    // at a time: a file of any length is imported in bounded memory.
    // stop, when given, is asked at the end: a reason given there means the
    // input was not whole, and nothing is imported.
    std::optional<ImportResult>
    importBirths(const std::function<std::optional<Birth>()>& next,
                 const std::function<std::optional<QString>()>& stop = {});
    // The births of a births file as the reader gives them; nothing is
    // imported when the file is larger than the reader takes.
    std::optional<ImportResult> importBirths(BirthsCsvReader& reader);

private:
    // asPerson: the birth is a saved person from now on; else a new row is a
    // recent chart and the oldest charts beyond kRecentCharts go.
    bool saveChecked(Birth& birth, bool matchEntries, bool asPerson);
    bool markKept(qint64 id, bool asPerson, bool updated);
    bool open();
    bool openReadOnly();
    static constexpr int kBusyTimeoutMs = 5000;
    // Runs sql, trying again for up to kBusyTimeoutMs while another
    // connection holds the lock.
    static bool execWaiting(QSqlQuery& q, const QString& sql);
    bool unreadable(const QString& why);
    bool readOnly(const QString& why);
    bool damagedFile(const QString& why);
    bool knownTables(int version);
    bool moveAside(const QString& why);
    bool migrate(int from);
    bool begin();
    bool commit();
    void rollback();
    bool fail(const QString& what, const QString& why);
    bool savingFailed();
    void readFailed(const QSqlQuery& q) const; // rolls back and names the file in lastError()
    bool write(Birth& birth, bool matchEntries, bool keepLaterUse = false, bool* updated = nullptr);
    struct Statements;
    QSqlQuery* statement(const char* sql); // prepared once; nothing (and lastError) when it fails
    void forgetStatements();               // before the connection closes
    QList<Birth> select(const QString& where, const QVariantList& values,
                        const QString& tail) const;

    QString path_;
    QString connection_;
    IfDamaged ifDamaged_ = IfDamaged::MoveAside;
    State state_ = State::Unreadable;
    QString openError_;
    QString recovery_;
    QString movedAside_;
    mutable QString lastError_;
    mutable QString readError_;
    std::shared_ptr<Statements> statements_; // shared: its type is known in one file only
};

} // namespace zenthra
