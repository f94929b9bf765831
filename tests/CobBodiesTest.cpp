#include "CobBodies.h"
#include "CobTextBodies.h"
#include "TestSupport.h"

#include "cob/ChanChunk.h"
#include "cob/GrouChunk.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace verdin::test {
namespace {

PolygonSpec Square()
{
    PolygonSpec square;
    square.name = "square";
    square.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    square.uvs = {{0, 0}, {1, 1}};
    square.faces = {{0x10, 3, {{0, 0}, {1, 1}, {2, 0}}},
                    {0x08, 0, {{2, 1}, {3, 0}}},  // a hole: corners follow the count directly
                    {0x00, 2, {}},                // no corners: nothing after the material
                    {0x00, -1, {{3, 1}, {0, 0}, {2, 1}}}};
    return square;
}

// `body` in a chunk of the given version, followed by an unknown chunk that
// shows where reading goes on.
CobReading ReadVersioned(std::string_view tag, std::int16_t major, std::int16_t minor, const CobBuilder& body)
{
    return CobReading(CobBuilder()
                          .Header()
                          .Chunk(tag, major, minor, 5, 0, body)
                          .Chunk("Next", 0, 1, 6, 0, CobBuilder())
                          .End()
                          .Data());
}

// Two readings of the same channels, numbers equal within `tolerance` of their size.
void ExpectSameChannels(const std::vector<const CChanChunk*>& a, const std::vector<const CChanChunk*>& b,
                        float tolerance)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t c = 0; c < a.size(); ++c) {
        EXPECT_EQ(a[c]->m_nId, b[c]->m_nId);
        EXPECT_EQ(a[c]->m_nParentId, b[c]->m_nParentId);
        EXPECT_EQ(a[c]->m_name, b[c]->m_name);
        EXPECT_EQ(a[c]->m_kind, b[c]->m_kind);
        EXPECT_EQ(a[c]->m_nVertex, b[c]->m_nVertex);
        EXPECT_EQ(a[c]->m_nFlags, b[c]->m_nFlags);
        ASSERT_EQ(a[c]->m_keys.size(), b[c]->m_keys.size()) << a[c]->m_nId;
        for (std::size_t k = 0; k < a[c]->m_keys.size(); ++k) {
            const ChannelKey& x = a[c]->m_keys[k];
            const ChannelKey& y = b[c]->m_keys[k];
            EXPECT_EQ(x.frame, y.frame);
            const float numbers[][2] = {
                {x.acc, y.acc},           {x.tension, y.tension},   {x.continuity, y.continuity},
                {x.bias, y.bias},         {x.value[0], y.value[0]}, {x.value[1], y.value[1]},
                {x.value[2], y.value[2]}, {x.value[3], y.value[3]}};
            for (const auto& [p, q] : numbers)
                EXPECT_NEAR(p, q, tolerance * std::max(1.0f, std::fabs(p))) << a[c]->m_nId << " key " << k;
        }
    }
}

TEST(CobBodies, PolygonObjectVersionsFromZeroPointTwo)
{
    const CobBuilder body = PolHBody(Square());
    for (auto [major, minor] : {std::pair{0, 2}, {0, 3}, {0, 8}, {0, 32767}}) {
        const CobReading reading = ReadVersioned("PolH", major, minor, body);
        EXPECT_EQ(reading.Chunks<CPolHChunk>().size(), 1u) << major << "." << minor;
        EXPECT_EQ(reading.Report(), " reading file...\r\n No support 'Next' chunk.\r\n");
    }
    for (auto [major, minor] : {std::pair{0, 1}, {0, 0}, {0, -5}, {1, 2}, {-1, 8}}) {
        const CobReading reading = ReadVersioned("PolH", major, minor, body);
        EXPECT_EQ(reading.Count(), 0u);
        EXPECT_EQ(reading.Report(), " reading file...\r\nNo support PolH chunk version " + std::to_string(major) + "." +
                                        std::to_string(minor) + "\r\n No support 'Next' chunk.\r\n");
        EXPECT_FALSE(reading.Truncated());
    }
}

TEST(CobBodies, MaterialVersionsUpToZeroPointSix)
{
    const CobBuilder body = Mat1Body({});
    for (auto [major, minor] : {std::pair{0, 0}, {0, 6}, {0, -1}, {0, -32768}}) {
        const CobReading reading = ReadVersioned("Mat1", major, minor, body);
        EXPECT_EQ(reading.Chunks<CMat1Chunk>().size(), 1u) << major << "." << minor;
        EXPECT_EQ(reading.Report(), " reading file...\r\n No support 'Next' chunk.\r\n");
    }
    for (auto [major, minor] : {std::pair{0, 7}, {0, 8}, {1, 0}, {-1, 5}}) {
        const CobReading reading = ReadVersioned("Mat1", major, minor, body);
        EXPECT_EQ(reading.Count(), 0u);
        EXPECT_EQ(reading.Report(), " reading file...\r\nNo support Mat1 chunk version " + std::to_string(major) + "." +
                                        std::to_string(minor) + "\r\n No support 'Next' chunk.\r\n");
    }
}

TEST(CobBodies, GroupVersionZeroPointOneOnly)
{
    const CobBuilder body = PlacementBody("group");
    EXPECT_EQ(ReadVersioned("Grou", 0, 1, body).Chunks<CGrouChunk>().size(), 1u);
    for (auto [major, minor] : {std::pair{0, 0}, {0, 2}, {1, 1}}) {
        const CobReading reading = ReadVersioned("Grou", major, minor, body);
        EXPECT_EQ(reading.Count(), 0u);
        EXPECT_EQ(reading.Report(), " reading file...\r\nNo support Grou chunk version " + std::to_string(major) + "." +
                                        std::to_string(minor) + "\r\n No support 'Next' chunk.\r\n");
    }
}

TEST(CobBodies, RefusedChunkWithoutLengthIsScannedOver)
{
    const CobReading reading(CobBuilder()
                                 .Header()
                                 .ChunkWithLength("Mat1", 0, 8, 1, 0, -1, Mat1Body({}))
                                 .Chunk("Grou", 0, 1, 2, 0, PlacementBody("after"))
                                 .End()
                                 .Data());
    EXPECT_EQ(reading.Report(), " reading file...\r\nNo support Mat1 chunk version 0.8\r\n");
    ASSERT_EQ(reading.Chunks<CGrouChunk>().size(), 1u);
    EXPECT_EQ(reading.Chunks<CGrouChunk>()[0]->m_name.name.text, "after");
}

TEST(CobBodies, PolygonObjectIsKeptAsStored)
{
    PolygonSpec square = Square();
    square.position = {{{2, 0, 0, 10}, {0, 2, 0, 20}, {0, 0, 2, 30}}};
    const CobReading reading(CobBuilder().Header().Chunk("PolH", 0, 8, 42, 0, PolHBody(square)).End().Data());
    ASSERT_EQ(reading.Chunks<CPolHChunk>().size(), 1u);
    const CPolHChunk& polygon = *reading.Chunks<CPolHChunk>()[0];

    EXPECT_EQ(polygon.m_nType, CHUNK_POLH);
    EXPECT_EQ(polygon.m_nId, 42);
    EXPECT_EQ(polygon.m_name.name.text, "square");
    EXPECT_EQ(polygon.m_position.m[1][3], 20.0f);
    EXPECT_EQ(polygon.m_axes.yAxis.y, 1.0f);
    ASSERT_EQ(polygon.m_nVertices, 4);
    EXPECT_EQ(polygon.m_pVertices[2].x, 1.0f);
    EXPECT_EQ(polygon.m_pVertices[2].y, 1.0f);
    ASSERT_EQ(polygon.m_nUVs, 2);
    EXPECT_EQ(polygon.m_pUVs[1].v, 1.0f);
    ASSERT_EQ(polygon.m_nFaces, 4);

    const auto& faces = polygon.m_pFaces;
    EXPECT_EQ(faces[0].material, 3);
    EXPECT_EQ(std::vector(polygon.Corners(faces[0]).begin(), polygon.Corners(faces[0]).end()),
              (std::vector<std::int32_t>{0, 0, 1, 1, 2, 0}));
    EXPECT_TRUE(faces[1].IsHole());
    EXPECT_EQ(std::vector(polygon.Corners(faces[1]).begin(), polygon.Corners(faces[1]).end()),
              (std::vector<std::int32_t>{2, 1, 3, 0}));
    EXPECT_EQ(faces[2].nVertices, 0);
    EXPECT_EQ(faces[2].material, 2);
    EXPECT_TRUE(polygon.Corners(faces[2]).empty());
    EXPECT_EQ(faces[3].material, -1);
    EXPECT_EQ(std::vector(polygon.Corners(faces[3]).begin(), polygon.Corners(faces[3]).end()),
              (std::vector<std::int32_t>{3, 1, 0, 0, 2, 1}));
}

TEST(CobBodies, EmptyAndNegativeCountsReadNothingMore)
{
    CobBuilder body = PlacementBody("");
    body.Int32(0).Int32(-7).Int32(1).Bytes("\x10").Int16(-3).Int16(0);
    const CobReading reading(CobBuilder().Header().Chunk("PolH", 0, 2, 1, 0, body).End().Data());
    ASSERT_EQ(reading.Chunks<CPolHChunk>().size(), 1u);
    const CPolHChunk& polygon = *reading.Chunks<CPolHChunk>()[0];
    EXPECT_FALSE(polygon.m_name.name.HasText());
    EXPECT_EQ(polygon.m_nVertices, 0);
    EXPECT_TRUE(polygon.m_pVertices.empty());
    EXPECT_EQ(polygon.m_nUVs, -7);
    EXPECT_TRUE(polygon.m_pUVs.empty());
    ASSERT_EQ(polygon.m_nFaces, 1);
    EXPECT_EQ(polygon.m_pFaces[0].nVertices, -3);
    EXPECT_TRUE(polygon.Corners(polygon.m_pFaces[0]).empty());
}

TEST(CobBodies, CountsLargerThanTheFileAreTruncationNotAllocation)
{
    for (int list = 0; list < 3; ++list) {
        CobBuilder body = PlacementBody("huge");
        for (int i = 0; i < 3; ++i)
            body.Int32(i == list ? 2'000'000'000 : 0);
        const CobReading reading(CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, body).Data());
        EXPECT_TRUE(reading.Truncated()) << list;
    }
    CobBuilder face = PlacementBody("corners");
    face.Int32(0).Int32(0).Int32(1).Bytes("\x10").Int16(32767).Int16(0).Int32(0);
    EXPECT_TRUE(CobReading(CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, face).Data()).Truncated());
}

TEST(CobBodies, FileEndingInsideCornersOrSubRecordsIsTruncated)
{
    const std::string polygon = CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(Square())).Data();
    for (std::size_t cut = 1; cut <= 20; ++cut)
        EXPECT_TRUE(CobReading(polygon.substr(0, polygon.size() - cut)).Truncated()) << cut;

    MaterialSpec textured;
    textured.texture = MapSpec{0x02, "wood.bmp"};
    const std::string material = CobBuilder().Header().Chunk("Mat1", 0, 6, 1, 0, Mat1Body(textured)).Data();
    for (std::size_t cut = 1; cut <= 30; ++cut)
        EXPECT_TRUE(CobReading(material.substr(0, material.size() - cut)).Truncated()) << cut;
}

TEST(CobBodies, MaterialSubRecordsInAnyOrderTheLastOfALetterWins)
{
    CobBuilder body = Mat1Body({7, 's', 45, {0.5f, 0.25f, 1}, 0.75f, std::nullopt});
    body.Bytes("b:").Bytes("\x02").String("bump.bmp").Float(1).Float(2).Float(3).Float(4).Float(0.5f);
    body.Bytes("t:").Bytes(std::string_view("\0", 1)).String("first.bmp").Float(0).Float(0).Float(1).Float(1);
    body.Bytes("e:").Bytes("\x01").String("sky.bmp");
    body.Bytes("t:").Bytes("\x02").String("wood.bmp").Float(0.25f).Float(0.5f).Float(2).Float(3);
    const CobReading reading(CobBuilder().Header().Chunk("Mat1", 0, 5, 1, 9, body).End().Data());
    ASSERT_EQ(reading.Chunks<CMat1Chunk>().size(), 1u);
    const CMat1Chunk& material = *reading.Chunks<CMat1Chunk>()[0];

    EXPECT_EQ(material.m_nParentId, 9);
    EXPECT_EQ(material.m_nMaterial, 7);
    EXPECT_EQ(material.m_cFacet, 's');
    EXPECT_EQ(material.m_nAutoFacetAngle, 45);
    EXPECT_EQ(material.m_colour.y, 0.25f);
    EXPECT_EQ(material.m_fExponent, 0.75f);
    EXPECT_EQ(material.m_bumpMap.name.text, "bump.bmp");
    EXPECT_EQ(material.m_bumpMap.repeat.v, 4.0f);
    EXPECT_EQ(material.m_fBumpAmplitude, 0.5f);
    EXPECT_EQ(material.m_envMap.flags, 1);
    EXPECT_EQ(material.m_envMap.name.text, "sky.bmp");
    EXPECT_EQ(material.m_textureMap.flags, 2);
    EXPECT_EQ(material.m_textureMap.name.text, "wood.bmp");
    EXPECT_EQ(material.m_textureMap.offset.u, 0.25f);
    EXPECT_EQ(material.m_textureMap.repeat.v, 3.0f);
}

TEST(CobBodies, MaterialWithoutSubRecordsHasNoMaps)
{
    const CobReading reading(CobBuilder().Header().Chunk("Mat1", 0, 6, 1, 0, Mat1Body({})).End().Data());
    ASSERT_EQ(reading.Chunks<CMat1Chunk>().size(), 1u);
    const CobMap& texture = reading.Chunks<CMat1Chunk>()[0]->m_textureMap;
    EXPECT_EQ(texture.flags, 0);
    EXPECT_FALSE(texture.name.HasText());
    EXPECT_EQ(texture.repeat.u, 0.0f);
}

TEST(CobBodies, LetterWithoutColonEndsTheSubRecords)
{
    // "t " is no sub-record: both characters are read again, as the next tag.
    CobBuilder body = Mat1Body({});
    const std::string bytes = CobBuilder()
                                  .Header()
                                  .ChunkWithLength("Mat1", 0, 6, 1, 0, -1, body)
                                  .Bytes("t xx")
                                  .Int16(0)
                                  .Int16(1)
                                  .Int32(2)
                                  .Int32(0)
                                  .Int32(0)
                                  .End()
                                  .Data();
    const CobReading reading(bytes);
    EXPECT_EQ(reading.Chunks<CMat1Chunk>().size(), 1u);
    EXPECT_EQ(reading.Report(), " reading file...\r\n No support 't xx' chunk.\r\n");
}

TEST(CobBodies, MaterialAtTheEndOfTheFileIsTruncated)
{
    const CobReading reading(CobBuilder().Header().ChunkWithLength("Mat1", 0, 6, 1, 0, -1, Mat1Body({})).Data());
    EXPECT_EQ(reading.Report(), " reading file...\r\n");
    EXPECT_TRUE(reading.Truncated());
}

TEST(CobBodies, BytesBehindAPolygonObjectInsideItsLengthArePassedOver)
{
    CobBuilder body = PolHBody(Square());
    body.Bytes("Unit0000");  // what newer versions of the modeller write after the faces
    const CobReading reading(CobBuilder()
                                 .Header()
                                 .Chunk("PolH", 0, 8, 1, 0, body)
                                 .Chunk("Grou", 0, 1, 2, 0, PlacementBody("g"))
                                 .End()
                                 .Data());
    EXPECT_EQ(reading.Report(), " reading file...\r\n");
    EXPECT_EQ(reading.Chunks<CPolHChunk>().size(), 1u);
    EXPECT_EQ(reading.Chunks<CGrouChunk>().size(), 1u);
}

TEST(CobBodies, RealSamplesReadToTheirEnd)
{
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";

    const CobReading molecule(ReadFile(samples + "/molecule.cob"));
    EXPECT_FALSE(molecule.Truncated()) << molecule.Report();
    EXPECT_EQ(molecule.Chunks<CPolHChunk>().size(), 4u);
    EXPECT_EQ(molecule.Chunks<CGrouChunk>().size(), 1u);
    EXPECT_NE(molecule.Report().find("No support Mat1 chunk version 0.8\r\n"), std::string::npos);
    EXPECT_NE(molecule.Report().find(" No support 'BitM' chunk.\r\n"), std::string::npos);
    for (const CPolHChunk* polygon : molecule.Chunks<CPolHChunk>()) {
        EXPECT_GT(polygon->m_nVertices, 0);
        EXPECT_GT(polygon->m_nFaces, 0);
    }

    const CobReading spider(ReadFile(samples + "/spider_6_6.cob"));
    EXPECT_FALSE(spider.Truncated()) << spider.Report();
    ASSERT_EQ(spider.Chunks<CPolHChunk>().size(), 1u);
    EXPECT_EQ(spider.Chunks<CPolHChunk>()[0]->m_nVertices, 762);
    EXPECT_EQ(spider.Chunks<CPolHChunk>()[0]->m_nFaces, 1368);
}

// The text form writes the binary form's shaders parameter by parameter, a
// colour as bytes and numbers to six digits.
TEST(CobBodies, RealSamplesHoldTheSameShadersInBothForms)
{
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";
    const CobReaderOptions options{.newerMaterials = true, .textForm = true};
    for (const std::string name : {"molecule", "spider_6_6", "dwarf"}) {
        const CobReading binary(ReadFile(samples + "/" + name + ".cob"), options);
        const CobReading text(ReadFile(samples + "/" + name + "_ascii.cob"), options);
        const auto binaryMaterials = binary.Chunks<CMat1Chunk>();
        const auto textMaterials = text.Chunks<CMat1Chunk>();
        ASSERT_EQ(binaryMaterials.size(), textMaterials.size()) << name;
        for (std::size_t m = 0; m < binaryMaterials.size(); ++m) {
            const std::vector<Shader>& shaders = binaryMaterials[m]->m_shaders.shaders;
            const std::vector<Shader>& written = textMaterials[m]->m_shaders.shaders;
            ASSERT_EQ(shaders.size(), 4u) << name;
            ASSERT_EQ(written.size(), 4u) << name;
            for (std::size_t s = 0; s < 4; ++s) {
                EXPECT_EQ(shaders[s].shaderClass, static_cast<Shader::Class>(s));
                EXPECT_EQ(shaders[s].name, written[s].name);
                ASSERT_EQ(shaders[s].parameters.size(), written[s].parameters.size()) << shaders[s].name;
                for (std::size_t p = 0; p < shaders[s].parameters.size(); ++p) {
                    const ShaderParameter& parameter = shaders[s].parameters[p];
                    EXPECT_EQ(parameter.name, written[s].parameters[p].name);
                    EXPECT_EQ(parameter.type, written[s].parameters[p].type) << parameter.name;
                    EXPECT_EQ(parameter.text, written[s].parameters[p].text);
                    for (std::size_t i = 0; i < 3; ++i)
                        EXPECT_NEAR(parameter.numbers[i], written[s].parameters[p].numbers[i], 0.5 / 255)
                            << name << " " << parameter.name;
                }
            }
        }
    }
}

TEST(CobBodies, AnimationChannelsAreReadWhenAskedInBothForms)
{
    const ChannelSpec move{"Move", 0, 1, {{0, 0, 0.5f, -0.25f, 1, {1, 2, 3, 0}}, {4, 0, 0, 0, 0, {-1, 0, 2.5f, 0}}}};
    const ChannelSpec rotate{
        "Rotate", 0, 0, {{0, 0, 0, 0, 0, {1, 0, 0, 0}}, {2, 1, 0, 0, 0, {0.5f, 0.5f, -0.5f, 0.5f}}}};
    const ChannelSpec vertex{"Vertex", 1478, 0, {{7, 0, 0, 0, 0, {-9.25f, 3, 53.5f, 0}}}};
    ChannelSpec damaged = vertex;
    damaged.storedCount = 1000;
    const std::string binary = CobBuilder()
                                   .Header()
                                   .Chunk("Chan", 0, 12, 1, 9, ChanBody(move))
                                   .Chunk("Chan", 0, 12, 2, 9, ChanBody(rotate))
                                   .Chunk("Chan", 0, 12, 3, 9, ChanBody(vertex))
                                   .Chunk("Chan", 0, 12, 4, 9, ChanBody(damaged))
                                   .Chunk("Grou", 0, 1, 5, 0, PlacementBody("after"))
                                   .End()
                                   .Data();

    const CobReading unasked(binary);
    EXPECT_EQ(unasked.Count(), 1u);
    EXPECT_NE(unasked.Report().find(" No support 'Chan' chunk.\r\n No support 'Chan' chunk.\r\n"), std::string::npos);

    const CobReaderOptions options{.textForm = true, .animation = true};
    const CobReading reading(binary, options);
    EXPECT_EQ(reading.Report(), " reading file...\r\nDamaged Chan chunk 4 passed over.\r\n");
    ASSERT_EQ(reading.Chunks<CGrouChunk>().size(), 1u);
    EXPECT_EQ(reading.Chunks<CGrouChunk>()[0]->m_name.name.text, "after");
    const auto channels = reading.Chunks<CChanChunk>();
    ASSERT_EQ(channels.size(), 3u);
    EXPECT_EQ(channels[0]->m_nType, CHUNK_CHAN);
    EXPECT_EQ(channels[0]->m_nParentId, 9);
    EXPECT_EQ(channels[0]->m_name, "AnimationSet0");
    EXPECT_EQ(channels[0]->m_kind, ChannelKind::kMove);
    EXPECT_EQ(channels[0]->m_nFlags, 1);
    ASSERT_EQ(channels[0]->m_keys.size(), 2u);
    EXPECT_EQ(channels[0]->m_keys[0].continuity, -0.25f);
    EXPECT_EQ(channels[0]->m_keys[1].frame, 4.0f);
    EXPECT_EQ(channels[0]->m_keys[1].value[2], 2.5f);
    EXPECT_EQ(channels[1]->m_kind, ChannelKind::kRotate);
    ASSERT_EQ(channels[1]->m_keys.size(), 2u);
    EXPECT_EQ(channels[1]->m_keys[1].acc, 1.0f);
    EXPECT_EQ(channels[1]->m_keys[1].value[3], 0.5f);
    EXPECT_EQ(channels[2]->m_kind, ChannelKind::kVertex);
    EXPECT_EQ(channels[2]->m_nVertex, 1478);
    ASSERT_EQ(channels[2]->m_keys.size(), 1u);
    EXPECT_EQ(channels[2]->m_keys[0].value[0], -9.25f);

    const CobReading text(kTextHeader + TextChunk("Chan", 12, 1, 9, TextChan(move)) +
                              TextChunk("Chan", 12, 2, 9, TextChan(rotate)) +
                              TextChunk("Chan", 12, 3, 9, TextChan(vertex)) + kTextEnd,
                          options);
    EXPECT_EQ(text.Report(), " reading file...\r\n");
    ExpectSameChannels(text.Chunks<CChanChunk>(), channels, 0);
}

// The text form writes numbers to six digits.
TEST(CobBodies, RealSampleHoldsTheSameChannelsInBothForms)
{
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";
    const CobReaderOptions options{.textForm = true, .animation = true};
    const CobReading binary(ReadFile(samples + "/dwarf.cob"), options);
    const CobReading text(ReadFile(samples + "/dwarf_ascii.cob"), options);
    EXPECT_FALSE(binary.Truncated());
    EXPECT_FALSE(text.Truncated());
    EXPECT_EQ(binary.Report().find("Chan"), std::string::npos) << binary.Report();
    EXPECT_EQ(text.Report().find("Chan"), std::string::npos) << text.Report();

    const auto channels = binary.Chunks<CChanChunk>();
    const auto kinds = [&channels](ChannelKind kind) {
        return std::count_if(channels.begin(), channels.end(),
                             [kind](const CChanChunk* c) { return c->m_kind == kind; });
    };
    EXPECT_EQ(kinds(ChannelKind::kMove), 1);
    EXPECT_EQ(kinds(ChannelKind::kRotate), 1);
    EXPECT_EQ(kinds(ChannelKind::kVertex), 1479);
    ASSERT_EQ(channels.size(), 1481u);
    // The Move channel: "time 0 acc 0 t 0 c 0 b 0 position -0.011608 0 0.24791".
    ASSERT_EQ(channels[1]->m_keys.size(), 23u);
    EXPECT_NEAR(channels[1]->m_keys[0].value[2], 0.24791f, 1e-6f);
    EXPECT_EQ(channels.back()->m_nVertex, 1478);
    ExpectSameChannels(channels, text.Chunks<CChanChunk>(), 1e-5f);
}

// A summary reports each kind of chunk passed over once, in the order the
// kinds came, however reading ends.
TEST(CobBodies, ASummaryCountsTheChunksPassedOver)
{
    CobBuilder file = CobBuilder().Header();
    for (const char* tag : {"Next", "Unit", "Next", "Next"})
        file.Chunk(tag, 0, 1, 6, 0, CobBuilder());
    const CobReaderOptions summary{.summary = true};
    EXPECT_EQ(CobReading(CobBuilder(file).End().Data(), summary).Report(),
              " reading file...\r\n No support 'Next' chunk (3 chunks).\r\n No support 'Unit' chunk.\r\n");
    // Cut short: the summary comes before the reader gives up.
    EXPECT_EQ(CobReading(file.Data(), summary).Report().find(" No support 'Next' chunk (3 chunks).\r\n"), 18u);
}

}  // namespace
}  // namespace verdin::test
