// SPDX-License-Identifier: GPL-3.0-or-later
// Compiles the place list into the atlas the programs carry:
//   make-atlas-index data/places/places.tsv.gz places.idx
// The index is read back and checked in full before it is written.
#include "place/atlas_index.h"
#include "place/atlas_source.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

using namespace zenthra;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "make-atlas-index: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: make-atlas-index PLACES.tsv.gz OUTPUT.idx"));
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(args[1], in.errorString()));
    QString error;
    const std::optional<PlaceSource> source = readPlaceSource(in.readAll(), &error);
    if (!source)
        return fail(QStringLiteral("%1: %2").arg(args[1], error));
    const QByteArray index = compilePlaceSource(*source);
    const auto atlas = openAtlasIndex(index, AtlasCheck::Full, &error);
    if (!atlas)
        return fail(error);
    if (atlas->records.size == 0)
        return fail(QStringLiteral("%1 holds no place").arg(args[1]));

    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(index) != index.size() || !out.commit())
        return fail(QStringLiteral("%1: %2").arg(args[2], out.errorString()));
    std::printf("%u places of %zu, %lld bytes\n", atlas->records.size, source->places.size(),
                static_cast<long long>(index.size()));
    return 0;
}
