// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled atlas, linked into the program's read-only data as it is, and
// aligned for its records to be read where they lie. The assembler includes
// the file the build made (ZENTHRA_PLACES_INDEX); a C++ array of 25 MB would
// take minutes to compile.
#include "place/atlas_built_in.h"

#ifndef ZENTHRA_PLACES_INDEX
#error "ZENTHRA_PLACES_INDEX must give the path of the compiled atlas"
#endif

__asm__(".pushsection .rodata.zenthra_places, \"a\", %progbits\n"
        ".balign 64\n"
        ".globl zenthra_places_index\n"
        "zenthra_places_index:\n"
        ".incbin \"" ZENTHRA_PLACES_INDEX "\"\n"
        ".globl zenthra_places_index_end\n"
        "zenthra_places_index_end:\n"
        ".popsection\n");

extern "C" const char zenthra_places_index[];
extern "C" const char zenthra_places_index_end[];

namespace zenthra {

QByteArray builtInAtlasIndex()
{
    return QByteArray::fromRawData(zenthra_places_index,
                                   zenthra_places_index_end - zenthra_places_index);
}

} // namespace zenthra
