// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/store_option.h"

#include "births/birth_store.h"
#include "births/births_csv.h"
#include "calc/calc_print.h"
#include "rules/calendar_text.h"
#include "rules/message_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

namespace zenthra::calc {
namespace {

// Qt SQL loads its driver through the application object, and the default
// file lies in a folder named after the application: the program's name, so
// that both share one file.
void prepareQt()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zenthra-calc";
        static char* argv[] = {name, nullptr};
        static QCoreApplication* const app = new QCoreApplication(argc, argv); // lives to the end
        (void)app;
    }
    QCoreApplication::setApplicationName(QStringLiteral("Zenthra"));
}

QString pathOf(const std::string& storePath)
{
    return storePath.empty() ? BirthStore::defaultPath() : QString::fromStdString(storePath);
}

// The program's own file, when damaged, is moved aside and started anew; a
// file the user named is refused and left as it is.
std::unique_ptr<BirthStore> openStore(const std::string& storePath, StoreReply& reply)
{
    auto store = std::make_unique<BirthStore>(pathOf(storePath),
                                              storePath.empty() ? BirthStore::IfDamaged::MoveAside
                                                                : BirthStore::IfDamaged::Refuse);
    if (!store->recoveryMessage().isEmpty())
        reply.messages.push_back(store->recoveryMessage().toStdString());
    return store;
}

// The store to read from; nothing, and the reply says why, when an explicit
// file is missing (a mistyped path must not make a new, empty store) or
// the file cannot be read (it must not look empty). The program's own file
// that does not exist yet is no store at all, and no error.
std::unique_ptr<BirthStore> openForReading(const std::string& storePath, StoreReply& reply)
{
    prepareQt();
    const QString path = pathOf(storePath);
    if (!QFileInfo::exists(path)) {
        if (!storePath.empty()) {
            reply.status = 1;
            reply.messages.push_back("no births file at " + shown(storePath));
        }
        return nullptr;
    }
    auto store = openStore(storePath, reply);
    if (!store->isReadable()) {
        reply.status = 1;
        reply.messages.push_back(store->openError().toStdString());
        return nullptr;
    }
    return store;
}

// Every birth, or nothing and the reply says why.
std::optional<QList<Birth>> allBirths(const BirthStore* store, StoreReply& reply)
{
    if (!store)
        return QList<Birth>();
    QList<Birth> births = store->all();
    if (!store->readError().isEmpty()) {
        reply.status = 1;
        reply.messages.push_back(store->readError().toStdString());
        return std::nullopt;
    }
    return births;
}

std::string twoDigits(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string dateText(const Birth& b)
{
    return birthDateText(b.year, b.month, b.day, DateStyle::Iso);
}

std::string timeText(const Birth& b)
{
    return twoDigits(b.hour) + ':' + twoDigits(b.minute) +
           (b.second ? ':' + twoDigits(b.second) : "");
}

std::string placeOf(const Birth& b)
{
    if (!b.placeText().isEmpty())
        return b.placeText().toStdString();
    return coordinatesText(birthChartInputs(b));
}

} // namespace

bool birthStoreAvailable()
{
    return true;
}

StoreReply listBirths(const std::string& storePath)
{
    StoreReply out;
    const auto store = openForReading(storePath, out);
    const auto births = out.status == 0 ? allBirths(store.get(), out) : std::nullopt;
    if (!births)
        return out;
    qsizetype width = 0;
    for (const Birth& b : *births)
        width = std::max(width, std::min<qsizetype>(b.name.size(), 30));
    for (const Birth& b : *births)
        out.lines.push_back(b.name.leftJustified(width).toStdString() + "  " + dateText(b) + "  " +
                            timeText(b) + "  " + placeOf(b));
    return out;
}

StoreReply exportBirths(const std::string& storePath, const std::string& file)
{
    StoreReply out;
    const auto store = openForReading(storePath, out);
    const auto births = out.status == 0 ? allBirths(store.get(), out) : std::nullopt;
    if (!births) // an earlier export under that name stays as it was
        return out;
    const QByteArray csv = exportBirthsCsv(*births);
    if (file.empty()) {
        out.data = csv.toStdString();
        return out;
    }
    const QString name = QString::fromStdString(file);
    const auto failed = [&out, &file](const QFileDevice& target) {
        out.status = 1;
        out.messages.push_back("could not write " + shown(file) + ": " +
                               target.errorString().toStdString());
        return out;
    };
    // A device or a pipe (/dev/stdout, a FIFO) is written as it stands: a
    // temporary file renamed over it would replace it.
    if (const QFileInfo info(name); info.exists() && !info.isFile() && !info.isDir()) {
        QFile target(name);
        if (!target.open(QIODevice::WriteOnly) || target.write(csv) != csv.size() ||
            !target.flush())
            return failed(target);
        return out;
    }
    // Written whole or not at all: an earlier export is never left half overwritten.
    QSaveFile target(name);
    if (!target.open(QIODevice::WriteOnly) || target.write(csv) != csv.size() || !target.commit())
        return failed(target);
    return out;
}

StoreReply importBirths(const std::string& storePath, const std::string& file)
{
    StoreReply out;
    prepareQt();
    QFile source(QString::fromStdString(file));
    if (!source.open(QIODevice::ReadOnly)) {
        out.status = 1;
        out.messages.push_back("could not read " + shown(file) + ": " +
                               source.errorString().toStdString());
        return out;
    }
    const auto refused = [&out, &file](const QString& why) {
        out.status = 1;
        out.messages.push_back("nothing was imported from " + shown(file) + ": " +
                               why.toStdString());
        return out;
    };
    // A file says its size at once; a pipe is counted as it is read.
    if (!source.isSequential() && source.size() > qint64{BirthsCsvReader::kMaxBytes})
        return refused(BirthsCsvReader::tooLargeText());
    // Row by row from the file into the store: nothing holds the whole file.
    BirthsCsvReader read(source);
    std::optional<Birth> first = read.next();
    std::optional<BirthStore::ImportResult> result;
    std::unique_ptr<BirthStore> store;
    if (first) { // a file without births makes no store
        store = openStore(storePath, out);
        result = store->importBirths([&]() { return std::exchange(first, read.next()); },
                                     [&read] { return read.tooLarge(); });
    }
    if (const auto why = read.tooLarge())
        return refused(*why);
    for (const QString& problem : read.problems())
        out.messages.push_back(problem.toStdString());
    if (read.problemCount() > read.problems().size())
        out.messages.push_back("and " +
                               std::to_string(read.problemCount() - read.problems().size()) +
                               " more rows left out");
    if (read.problemCount() > 0)
        out.status = 1;
    if (!store) {
        out.lines.push_back("No births imported from " + file);
        return out;
    }
    if (!result) {
        out.status = 1;
        out.messages.push_back("nothing was imported: " + store->lastError().toStdString());
        return out;
    }
    out.lines.push_back("Imported from " + file + ": " + std::to_string(result->added) +
                        " added, " + std::to_string(result->updated) + " updated" +
                        (read.problemCount() == 0
                             ? std::string()
                             : ", " + std::to_string(read.problemCount()) + " rows left out"));
    return out;
}

PersonReply findPerson(const std::string& storePath, const std::string& name)
{
    PersonReply out;
    const auto store = openForReading(storePath, out);
    const auto births = out.status == 0 ? allBirths(store.get(), out) : std::nullopt;
    if (!births)
        return out;
    const QString wanted = QString::fromStdString(name);
    QList<Birth> named;
    for (const Birth& b : *births)
        if (b.name == wanted)
            named.append(b);
    if (named.size() != 1) {
        out.status = 2;
        std::string why = named.empty() ? "no saved birth is named " + shown(name)
                                        : std::to_string(named.size()) +
                                              " saved births are named " + shown(name) + ": ";
        for (qsizetype i = 0; i < named.size(); ++i)
            why += (i ? "; " : "") + dateText(named[i]) + ' ' + timeText(named[i]) + ' ' +
                   placeOf(named[i]);
        if (named.empty() && store) {
            QStringList near;
            for (const Birth& b : store->search(wanted, 20))
                if (!near.contains(b.name) && near.size() < 5)
                    near << b.name;
            for (qsizetype i = 0; i < near.size(); ++i)
                why += (i ? "\", \"" : "; did you mean \"") + escaped(near[i].toStdString()) +
                       (i + 1 == near.size() ? "\"?" : "");
        }
        out.messages.push_back(why);
        return out;
    }
    const Birth& b = named.front();
    if (const auto problem = checkBirth(b)) {
        out.status = 1;
        out.messages.push_back("the saved birth of " + shown(name) +
                               " cannot be computed: " + problem->toStdString());
        return out;
    }
    out.request = birthChartInputs(b);
    if (const auto offset = out.request.exactOffset)
        out.zoneText =
            "Place time, " + offset->text() + " (" + b.placeTime->zoneId.toStdString() + ")";
    out.lines.push_back("Name:           " + b.name.toStdString());
    out.lines.push_back("Place:          " + placeOf(b));
    return out;
}

} // namespace zenthra::calc
