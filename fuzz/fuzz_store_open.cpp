// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a births file of any bytes, in a scratch folder: no crash; a file
// the user named is either read as a store or refused and left byte for
// byte as it was; the program's own file, when it is damaged, is moved
// aside whole; whatever opens reads without a crash and reports its errors.
// zenthra-calc's store commands on the same file: one that cannot be read
// fails them, prints nothing and leaves the file and an earlier export alone.
#include "births/birth_store.h"
#include "fuzz_calc_run.h"
#include "fuzz_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace zenthra;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    require(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size(),
            "the scratch file is written");
}

// Reads every way the window and zenthra-calc read.
void readAllWays(const BirthStore& store)
{
    const QList<Birth> all = store.all();
    require(store.isReadable() || (all.isEmpty() && !store.readError().isEmpty()),
            "an unreadable store says so on every read");
    store.recent(5);
    store.search(QStringLiteral("a"));
    store.count();
    for (const Birth& b : all)
        store.byId(b.id);
}

// The store commands on a copy of bytes: a store that cannot be read is an
// error for each of them, with nothing printed and nothing written.
void runStoreCommands(QDir& folder, const QString& path, const QByteArray& bytes, bool readable)
{
    const std::string store = path.toStdString();
    const QString backup = folder.filePath(QStringLiteral("backup.csv"));
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--list"},
                                                 {"--export-births", backup.toStdString()},
                                                 {"--person", "Fuzz"}}) {
        put(path, bytes);
        for (const char* tail : {"-wal", "-shm"})
            folder.remove(QStringLiteral("births.sqlite") + QLatin1String(tail));
        put(backup, "an earlier export");
        std::vector<std::string> withStore = args;
        withStore.insert(withStore.end(), {"--store", store});
        const CalcRun run = runCalcCaptured(withStore);
        const int status = run.status;
        const bool printed = !run.printed.empty();
        require(readable || status != 0, "a store that cannot be read fails every command");
        if (!readable)
            require(readAll(path) == bytes, "and is left as it was");
        if (status != 0 && args[0] != "--person")
            require(!printed, "a failed command prints nothing");
        if (status != 0)
            require(readAll(backup) == "an earlier export", "an earlier export is left whole");
        require(status != 0 || run.said.empty() || args[0] == "--person", "no message on success");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_store_open";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // In memory where the system has it: every input writes and syncs files.
    static QTemporaryDir scratch((QDir(QStringLiteral("/dev/shm")).exists()
                                      ? QStringLiteral("/dev/shm")
                                      : QDir::tempPath()) +
                                 QStringLiteral("/fuzz_store_open-XXXXXX"));
    require(scratch.isValid(), "a scratch folder");
    QDir folder(scratch.path());
    for (const QString& f : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(f);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = folder.filePath(QStringLiteral("births.sqlite"));
    put(path, bytes);
    bool readable = false;
    {
        BirthStore named(path, BirthStore::IfDamaged::Refuse);
        readable = named.isReadable();
        readAllWays(named);
        require(named.movedAsidePath().isEmpty(), "a named file is never moved aside");
        if (!named.isSaving())
            require(readAll(path) == bytes, "a file that is refused is left as it was");
    }
    runStoreCommands(folder, path, bytes, readable);

    put(path, bytes);
    for (const char* tail : {"-wal", "-shm"})
        folder.remove(QStringLiteral("births.sqlite") + QLatin1String(tail));
    BirthStore own(path, BirthStore::IfDamaged::MoveAside);
    readAllWays(own);
    if (!own.movedAsidePath().isEmpty()) {
        require(readAll(own.movedAsidePath()) == bytes, "moved aside byte for byte");
        require(own.recoveryMessage().contains(own.movedAsidePath()), "the message names it");
    }
    Birth b;
    b.name = QStringLiteral("Fuzz");
    require(own.saveRecent(b) == own.isSaving(), "a saving store saves");
    return 0;
}
