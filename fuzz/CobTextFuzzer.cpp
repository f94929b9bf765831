// Reads arbitrary text as the body of a text-form COB file, straight from
// memory, behind a valid text-form header. Bit 5 of the first byte reads
// newer materials, as in the other COB targets; animation channels are
// always read.

#include "FuzzSupport.h"

#include "cob/Chunk.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobReader.h"
#include "cob/CobTextReader.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string text = "Caligari V00.01ALH             \n";
    text.append(reinterpret_cast<const char*>(data + 1), size - 1);
    verdin::CobFile file(std::vector<unsigned char>(text.begin(), text.end()));

    QuietReport report;
    const verdin::CobReaderOptions options{
        .newerMaterials = (data[0] & 0x20) != 0, .textForm = true, .animation = true};
    verdin::CobSignature signature;
    verdin::CChunkList chunks;
    try {
        if (verdin::ReadCobHeader(file, report, signature, options) && signature.text)
            verdin::ReadCobTextChunks(file, report, chunks, options);
    } catch (const verdin::CobEofError&) {
        // a file that ends before its "END" line
    } catch (const verdin::CobTextError&) {
        // a line the reader names and refuses
    }
    return 0;
}
