// Reads arbitrary bytes as a COB file, straight from memory. The first byte
// holds options as in the conversion target, so that its corpus serves this
// one too; bit 5 reads newer materials. Animation channels are always read.

#include "FuzzSupport.h"

#include "cob/Chunk.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobReader.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    verdin::CobFile file(std::vector<unsigned char>(data + 1, data + size));
    QuietReport report;
    verdin::CobSignature signature;
    verdin::CChunkList chunks;
    try {
        if (verdin::ReadCobHeader(file, report, signature))
            verdin::ReadCobChunks(file, report, chunks, {.newerMaterials = (data[0] & 0x20) != 0, .animation = true});
    } catch (const verdin::CobEofError&) {
        // a short file: the reader's one way of refusing it
    }
    return 0;
}
