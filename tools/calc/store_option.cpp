// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/store_option.h"

#include "births/birth_store.h"
#include "births/births_csv.h"
#include "calc/calc_print.h"
#include "rules/calendar_text.h"

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

// A births file is a few hundred bytes a person; anything far larger is not one.
constexpr qint64 kMaxImportBytes = qint64{64} << 20;

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

// The store to read from; nothing, and the reply says why, when an explicit
// file is missing (a mistyped path must not make a new, empty store).
std::unique_ptr<BirthStore> openForReading(const std::string& storePath, StoreReply& reply)
{
    prepareQt();
    const QString path = pathOf(storePath);
    if (!QFileInfo::exists(path)) {
        if (!storePath.empty()) {
            reply.status = 1;
            reply.messages.push_back("no births file at '" + storePath + "'");
        }
        return nullptr;
    }
    auto store = std::make_unique<BirthStore>(path);
    if (!store->recoveryMessage().isEmpty())
        reply.messages.push_back(store->recoveryMessage().toStdString());
    return store;
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
    if (!store)
        return out;
    const QList<Birth> births = store->all();
    qsizetype width = 0;
    for (const Birth& b : births)
        width = std::max(width, std::min<qsizetype>(b.name.size(), 30));
    for (const Birth& b : births)
        out.lines.push_back(b.name.leftJustified(width).toStdString() + "  " + dateText(b) + "  " +
                            timeText(b) + "  " + placeOf(b));
    return out;
}

StoreReply exportBirths(const std::string& storePath, const std::string& file)
{
    StoreReply out;
    const auto store = openForReading(storePath, out);
    if (out.status != 0)
        return out;
    const QByteArray csv = exportBirthsCsv(store ? store->all() : QList<Birth>());
    if (file.empty()) {
        out.data = csv.toStdString();
        return out;
    }
    // Written whole or not at all: an earlier export is never left half overwritten.
    QSaveFile target(QString::fromStdString(file));
    if (!target.open(QIODevice::WriteOnly) || target.write(csv) != csv.size() || !target.commit()) {
        out.status = 1;
        out.messages.push_back("could not write '" + file +
                               "': " + target.errorString().toStdString());
    }
    return out;
}

StoreReply importBirths(const std::string& storePath, const std::string& file)
{
    StoreReply out;
    prepareQt();
    QFile source(QString::fromStdString(file));
    if (!source.open(QIODevice::ReadOnly)) {
        out.status = 1;
        out.messages.push_back("could not read '" + file +
                               "': " + source.errorString().toStdString());
        return out;
    }
    if (source.size() > kMaxImportBytes) {
        out.status = 1;
        out.messages.push_back("'" + file + "' is larger than " +
                               std::to_string(kMaxImportBytes >> 20) + " MB: not a births file");
        return out;
    }
    // Row by row from the file into the store: nothing holds the whole file.
    BirthsCsvReader read(source);
    std::optional<Birth> first = read.next();
    std::optional<BirthStore::ImportResult> result;
    std::unique_ptr<BirthStore> store;
    if (first) { // a file without births makes no store
        store = std::make_unique<BirthStore>(pathOf(storePath));
        if (!store->recoveryMessage().isEmpty())
            out.messages.push_back(store->recoveryMessage().toStdString());
        result = store->importBirths([&]() { return std::exchange(first, read.next()); });
    }
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
    if (out.status != 0)
        return out;
    const QString wanted = QString::fromStdString(name);
    QList<Birth> named;
    if (store)
        for (const Birth& b : store->all())
            if (b.name == wanted)
                named.append(b);
    if (named.size() != 1) {
        out.status = 2;
        std::string why = named.empty() ? "no saved birth is named '" + name + "'"
                                        : std::to_string(named.size()) +
                                              " saved births are named '" + name + "': ";
        for (qsizetype i = 0; i < named.size(); ++i)
            why += (i ? "; " : "") + dateText(named[i]) + ' ' + timeText(named[i]) + ' ' +
                   placeOf(named[i]);
        if (named.empty() && store) {
            QStringList near;
            for (const Birth& b : store->search(wanted, 20))
                if (!near.contains(b.name) && near.size() < 5)
                    near << b.name;
            for (qsizetype i = 0; i < near.size(); ++i)
                why += (i ? "\", \"" : "; did you mean \"") + near[i].toStdString() +
                       (i + 1 == near.size() ? "\"?" : "");
        }
        out.messages.push_back(why);
        return out;
    }
    const Birth& b = named.front();
    if (const auto problem = checkBirth(b)) {
        out.status = 1;
        out.messages.push_back("the saved birth of '" + name +
                               "' cannot be computed: " + problem->toStdString());
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
