// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of compiled atlases on damaged ones. The first byte chooses how
// the rest damages a small valid index: taken as the whole index; laid over
// the index; or laid over it with the checksums set afresh afterwards, so
// that only the checks of every reference stand in the way. Whatever opens
// must search, suggest and list its places without fault.
#include "fuzz_check.h"
#include "place/atlas.h"
#include "place/atlas_index.h"

#include <cstdint>

using namespace zenthra;

namespace {

QByteArray smallIndex()
{
    AtlasIndexWriter writer;
    const std::uint32_t india =
        writer.addCountry(QStringLiteral("India"), QStringLiteral("IN"), {QStringLiteral("Bharat")},
                          {QStringLiteral("IND")});
    const std::uint32_t state =
        writer.addRegion(india, QStringLiteral("Maharashtra"), {}, {QStringLiteral("MH")});
    writer.addPlace(QStringLiteral("Pune"), state, 18.51957, 73.85535, 3124458,
                    QStringLiteral("Asia/Kolkata"), {QStringLiteral("Poona")});
    writer.addPlace(QStringLiteral("Mumbai"), state, 19.07283, 72.88261, 12691836,
                    QStringLiteral("Asia/Kolkata"), {QStringLiteral("Bombay")});
    return writer.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray good = smallIndex();
    if (size == 0)
        return 0;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const auto restSize = static_cast<qsizetype>(size - 1);
    QByteArray bytes = data[0] % 3 == 0 ? QByteArray(rest, restSize) : good;
    if (data[0] % 3 != 0) {
        // Pairs of bytes: where (in steps of the input's first byte) and what to flip.
        for (qsizetype i = 0; i + 1 < restSize; i += 2) {
            const qsizetype at =
                (static_cast<unsigned char>(rest[i]) * (1 + data[0] / 3) + i) % bytes.size();
            bytes[at] = static_cast<char>(bytes[at] ^ rest[i + 1]);
        }
        if (data[0] % 3 == 2)
            sealAtlasIndex(bytes);
    }
    QString error;
    const std::optional<Atlas> atlas = Atlas::fromIndex(bytes, &error);
    require(atlas.has_value() == error.isEmpty(), "a refusal, and only a refusal, says why");
    if (!atlas)
        return 0;
    for (const char* query :
         {"pune", "p", "bombay, in", "mumbai, maharashtra, ind", "poona, bha", "pnue"}) {
        const QString q = QString::fromLatin1(query);
        require(atlas->search(q, 5).size() <= 5, "at most the results wanted");
        require(atlas->nearest(q, 5).size() <= 5, "at most the nearest wanted");
    }
    for (int i = 0; i < atlas->size(); ++i)
        (void)atlas->place(i).suggestionText();
    return 0;
}
