#include "convert/LookHints.h"

#include "cob/PolHChunk.h"
#include "convert/FileNote.h"

#include <optional>

namespace verdin {

namespace {

bool SamePlace(const CobMatrix& a, const CobMatrix& b)
{
    return a.m[0][3] == b.m[0][3] && a.m[1][3] == b.m[1][3] && a.m[2][3] == b.m[2][3];
}

// Two objects or more at different places, as the molecule's spheres are.
bool ObjectsStandApart(const CChunkList& chunks)
{
    std::optional<CobMatrix> first;
    for (const auto& chunk : chunks) {
        if (chunk->m_nType != CHUNK_POLH)
            continue;
        const CobMatrix& place = static_cast<const CPolHChunk&>(*chunk).m_position;
        if (!first)
            first = place;
        else if (!SamePlace(*first, place))
            return true;
    }
    return false;
}

}  // namespace

unsigned LookHintsOf(const CChunkList& chunks, const OptionFlags& options)
{
    unsigned hints = 0;
    if (chunks.RefusedNewerMaterials() > 0)
        hints |= kHintNewerMaterials;
    // glTF files always place every object.
    if (options.Output.load() == kOutputX && !IsOn(options.Position) && ObjectsStandApart(chunks))
        hints |= kHintPositions;
    return hints;
}

}  // namespace verdin
