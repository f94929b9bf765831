// Writes the example COB files of examples/ into the folder given.

#include "CobBuilder.h"

#include <cstdio>
#include <string>

using verdin::test::CobBuilder;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-examples FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = true;

    // Only chunks the converter passes over: the .x file holds its frame.
    written &= CobBuilder()
                   .Header()
                   .Chunk("Grou", 0, 1, 1, 0, CobBuilder())
                   .Chunk("Unit", 0, 1, 2, 1, CobBuilder().Int16(2))
                   .ChunkWithLength("BitM", 0, 1, 3, 1, -1, CobBuilder().Bytes("pixels"))
                   .End()
                   .WriteTo(folder + "frame-only.cob");

    // A file cut off in the middle of a chunk.
    const std::string whole = CobBuilder().Header().Chunk("Unit", 0, 1, 1, 0, CobBuilder().Int16(2)).End().Data();
    written &= CobBuilder().Bytes(whole.substr(0, 40)).WriteTo(folder + "truncated.cob");

    // A file of the text form, which the converter does not read.
    written &= CobBuilder().Header("Caligari ", "V00.01", 'A', "LH").WriteTo(folder + "ascii.cob");

    return written ? 0 : 1;
}
