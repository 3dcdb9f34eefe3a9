// SPDX-License-Identifier: GPL-3.0-or-later
// The place search on the loaded atlas: the first byte gives the number of
// results wanted, the rest is the query as UTF-8.
#include "fuzz_check.h"
#include "place/atlas.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace zenthra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Atlas& atlas = Atlas::shared();
    if (size == 0)
        return 0;
    const int wanted = static_cast<int>(data[0] % 16) - 1;
    const QString query = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                            static_cast<qsizetype>(size - 1));
    (void)foldPlaceName(query);
    const std::vector<Place> found = atlas.search(query, wanted);
    require(found.size() <= static_cast<std::size_t>(wanted < 0 ? 0 : wanted),
            "at most the results wanted");
    if (query.trimmed().isEmpty())
        require(found.empty(), "a blank query finds nothing");
    for (const Place& p : found)
        require(!p.name.isEmpty(), "every place has a name");
    return 0;
}
