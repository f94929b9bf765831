// Reads arbitrary bytes as a COB file, straight from memory. The first byte
// is passed over, so that the conversion target's corpus serves this one too.

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
            verdin::ReadCobChunks(file, report, chunks);
    } catch (const verdin::CobEofError&) {
        // a short file: the reader's one way of refusing it
    }
    return 0;
}
