// Files from later versions of the modeller: Mat1 0.8 bodies read with the
// newer-materials option, and texture v flipped with the flip-v option.

#include "CobBodies.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace verdin::test {
namespace {

// A triangle with texture coordinates, owning one material with `body` as
// stored by a version 0.8 modeller.
struct Converted {
    std::string report;
    std::string x;
};

Converted ConvertWithMaterial(const CobBuilder& body, bool newerMaterials, bool flipV = false)
{
    PolygonSpec triangle = NamedPolygon("tri");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}, {1, 0}, {0, -0.25f}};
    triangle.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    TempDir dir;
    const std::string cob = dir.Path("model.cob");
    CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle))
        .Chunk("Mat1", 0, 8, 2, 1, body)
        .End()
        .WriteTo(cob);
    OptionFlags options;
    options.NewerMaterials = newerMaterials;
    options.FlipV = flipV;
    const JobRun run = RunJob({cob}, options);
    return {run.report, ReadFile(dir.Path("model.x"))};
}

// The 37 bytes every newer body starts with: the fields of version 0.6.
CobBuilder Fields()
{
    return Mat1Body({0, 's', 40, {0.25f, 0.5f, 0.75f}, 0, std::nullopt});
}

CobBuilder WithTexture(CobBuilder body, const std::string& name, bool cutShort = false)
{
    body.Bytes("t:").Bytes("\x02").String(name).Float(0).Float(0);
    if (!cutShort)
        body.Float(1).Float(1);
    return body;
}

const std::string kColour = WithCrLf("Material{\n0.250000;0.500000;0.750000;1.0;;\n");
const std::string kWhite = WithCrLf("Material{\n1.000000;1.000000;1.000000;1.0;;\n");

TEST(NewerMaterials, AreRefusedUnlessAskedFor)
{
    const Converted plain = ConvertWithMaterial(Fields(), false);
    EXPECT_NE(plain.report.find("No support Mat1 chunk version 0.8\r\n"), std::string::npos) << plain.report;
    EXPECT_NE(plain.x.find(kWhite), std::string::npos);

    const Converted newer = ConvertWithMaterial(Fields(), true);
    EXPECT_EQ(newer.report.find("No support"), std::string::npos) << newer.report;
    EXPECT_NE(newer.x.find(kColour), std::string::npos) << newer.x;
}

TEST(NewerMaterials, KeepTheirColourWhateverFollowsTheFields)
{
    CobBuilder diffuse = Fields();
    diffuse.Float(0.6f);
    CobBuilder diffuseCutShort = Fields();
    diffuseCutShort.Bytes("\x9a\x99");
    for (const CobBuilder& body : {diffuse, diffuseCutShort, WithTexture(Fields(), "wood.bmp", true)}) {
        const Converted converted = ConvertWithMaterial(body, true);
        EXPECT_NE(converted.report.find("Converted 1 file."), std::string::npos) << converted.report;
        EXPECT_NE(converted.x.find(kColour), std::string::npos);
        // A record cut short by the data length is no texture.
        EXPECT_EQ(converted.x.find("TextureFilename{"), std::string::npos);
    }
}

TEST(NewerMaterials, TextureRecordsTextureTheMeshAndFlipVTurnsItsCoordinates)
{
    const Converted converted = ConvertWithMaterial(WithTexture(Fields(), "wood.bmp"), true);
    EXPECT_NE(converted.x.find("TextureFilename{\"wood.bmp\";}"), std::string::npos);
    EXPECT_NE(converted.x.find(WithCrLf("0.000000;-0.250000;\n")), std::string::npos);

    const Converted flipped = ConvertWithMaterial(WithTexture(Fields(), "wood.bmp"), true, true);
    EXPECT_NE(flipped.x.find(WithCrLf("0.000000;1.000000;\n1.000000;1.000000;\n0.000000;1.250000;\n")),
              std::string::npos)
        << flipped.x;

    const Converted unnamed = ConvertWithMaterial(WithTexture(Fields(), ""), true);
    EXPECT_NE(unnamed.report.find(" No texture file name.\r\n"), std::string::npos) << unnamed.report;
}

}  // namespace
}  // namespace verdin::test
