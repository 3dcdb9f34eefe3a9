// SPDX-License-Identifier: GPL-3.0-or-later
// Uses a birth store from a separate process for the store's tests:
//   births_helper save <file> <name>           saves, says "saved", then waits to be killed
//   births_helper burst <file> <prefix> <n>    saves n births, says "failed <count>"
//   births_helper full <file>                  saves until the file size limit stops it
//   births_helper read <file>                  as a user who cannot write (root drops to nobody)
//   births_helper rounds <folder> <prefix> <n> <rounds> <start>
//       round r at <start> + r * 35 ms (ms since 1970): opens <folder>/r<r>.sqlite
//       and saves n births (reads when n is 0); says "failed <count>"
#include "births/birth_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

using namespace zenthra;

static Birth sample(const QString& name)
{
    Birth b;
    b.name = name;
    b.year = 1990, b.month = 5, b.day = 17, b.hour = 6, b.minute = 45;
    b.city = QStringLiteral("Zürich");
    b.country = QStringLiteral("Switzerland");
    b.latDeg = 47, b.latMin = 22, b.lonDeg = 8, b.lonMin = 33;
    b.zonePosition = 20;
    return b;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 2;
    if (args[0] == QLatin1String("rounds") && args.size() == 6) {
        int failed = 0;
        const int each = args[3].toInt();
        for (int r = 0; r < args[4].toInt(); ++r) {
            const qint64 wait = args[5].toLongLong() + r * 35 - QDateTime::currentMSecsSinceEpoch();
            if (wait > 0)
                QThread::msleep(static_cast<unsigned long>(wait));
            BirthStore store(QDir(args[1]).filePath(QStringLiteral("r%1.sqlite").arg(r)));
            const int before = failed;
            for (int i = 0; i < each; ++i) {
                Birth b = sample(args[2] + QStringLiteral("%1-%2").arg(r).arg(i));
                failed += store.save(b) ? 0 : 1;
            }
            if (each == 0 && (store.count(), !store.isReadable() || !store.readError().isEmpty()))
                ++failed;
            if (failed != before)
                std::fprintf(stderr, "round %d: %s\n", r,
                             qPrintable(store.openError() + store.lastError() + store.readError()));
        }
        std::printf("failed %d\n", failed);
        return 0;
    }
    if (args[0] == QLatin1String("read") && geteuid() == 0 &&
        (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    BirthStore store(args[1]);
    if (args[0] == QLatin1String("save") && args.size() == 3) {
        Birth b = sample(args[2]);
        if (!store.saveRecent(b))
            return 1;
        std::printf("saved\n");
        std::fflush(stdout);
        QThread::sleep(60);
        return 0;
    }
    if (args[0] == QLatin1String("burst") && args.size() == 4) {
        int failed = 0;
        for (int i = 0; i < args[3].toInt(); ++i) {
            Birth b = sample(args[2] + QString::number(i));
            if (!store.save(b)) { // people: the recent charts are bounded
                std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
                ++failed;
            }
        }
        std::printf("failed %d\n", failed);
        return 0;
    }
    if (args[0] == QLatin1String("read")) {
        Birth b = sample(QStringLiteral("New"));
        const auto recent = store.mostRecent();
        std::printf("saving %d\nrecent %s\nsaved %d\nerror %s\n", store.isSaving(),
                    recent ? qPrintable(recent->name) : "", store.saveRecent(b),
                    qPrintable(store.openError()));
        return 0;
    }
    if (args[0] == QLatin1String("full")) {
        // A size limit makes writes fail as a full disk does; the signal
        // would otherwise end the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{256 * 1024, 256 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        QString lastGood;
        for (int i = 0; i < 10000; ++i) {
            Birth b = sample(QStringLiteral("%1 ").arg(i) + QString(190, QLatin1Char('x')));
            if (!store.save(b)) { // people: the recent charts are bounded
                const auto recent = store.mostRecent();
                std::printf("error %s\nsaved %d\nrecent-is-last-good %d\n",
                            qPrintable(store.lastError()), i, recent && recent->name == lastGood);
                return 0;
            }
            lastGood = b.name;
        }
        return 1;
    }
    return 2;
}
