// Writes the example COB files of examples/ into the folder given.

#include "CobBodies.h"
#include "texture/BmpBuilder.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace verdin::test;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-examples FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = true;

    // A group holding a cube with two materials, one of them textured, and a
    // triangle with a hole-free face list of its own.
    PolygonSpec cube = NamedPolygon("cube");
    cube.vertices = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                     {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
    cube.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const std::vector<std::array<int, 4>> sides = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                                   {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}};
    for (std::size_t side = 0; side < sides.size(); ++side) {
        FaceSpec face{0x10, static_cast<std::int16_t>(side < 2 ? 1 : 0), {}};
        for (int corner = 0; corner < 4; ++corner)
            face.corners.emplace_back(sides[side][corner], corner);
        cube.faces.push_back(face);
    }
    PolygonSpec triangle = NamedPolygon("triangle");
    triangle.position = {{{1, 0, 0, 3}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.faces = {{0x00, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    MaterialSpec wood{1, 's', 30, {0.8f, 0.6f, 0.4f}, 0.2f, MapSpec{0x02, "wood.bmp", {0, 0}, {2, 2}}};
    written &= CobBuilder()
                   .Header()
                   .Chunk("Grou", 0, 1, 1, 0, PlacementBody("scene"))
                   .Chunk("PolH", 0, 4, 2, 1, PolHBody(cube))
                   .Chunk("Mat1", 0, 5, 3, 2, Mat1Body({0, 'f', 30, {1, 0, 0}, 0.5f, std::nullopt}))
                   .Chunk("Mat1", 0, 5, 4, 2, Mat1Body(wood))
                   .Chunk("PolH", 0, 4, 5, 1, PolHBody(triangle))
                   .Chunk("Mat1", 0, 5, 6, 5, Mat1Body({0, 'a', 45, {0, 0, 1}, 0, std::nullopt}))
                   .End()
                   .WriteTo(folder + "scene.cob");

    // The cube's texture: an 8-bit bitmap whose sides are no powers of two.
    {
        std::ofstream bitmap(folder + "wood.bmp", std::ios::binary);
        const std::string bytes = BmpBuilder(NumberedPicture(100, 60)).Bytes();
        bitmap.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        written &= static_cast<bool>(bitmap);
    }

    // Only chunks the converter passes over: the .x file holds its frame.
    written &= CobBuilder()
                   .Header()
                   .Chunk("Grou", 0, 1, 1, 0, PlacementBody("empty group"))
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
