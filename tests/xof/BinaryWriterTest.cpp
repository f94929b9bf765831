#include <gtest/gtest.h>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

constexpr std::uint16_t kTemplate = 31;
constexpr std::uint16_t kSemicolon = 20;
constexpr std::uint16_t kOpenBracket = 14;
constexpr std::uint16_t kCloseBracket = 15;
constexpr std::uint16_t kDot = 18;
constexpr std::uint16_t kArray = 52;
constexpr std::uint16_t kDword = 41;
constexpr std::uint16_t kFloat = 42;
constexpr std::uint16_t kLpstr = 49;
constexpr std::uint16_t kInteger = 3;

std::string Binary(std::string_view text, BinaryOptions options = BinaryOptions::None)
{
    Result<std::string> bytes = TextToBinary(text, options);
    if (!bytes) {
        ADD_FAILURE() << bytes.GetError().message;
        return {};
    }
    return std::move(bytes).Value();
}

TEST(BinaryWriter, HeaderIsSixteenBytesWithoutLineEnd)
{
    const std::string bytes = Binary("xof 0302txt 0064\r\n");
    EXPECT_EQ(bytes, "xof 0302bin 0032");
}

TEST(BinaryWriter, HeaderObjectIsOneIntegerList)
{
    const std::string expected = TokenBytes().Name("Header").Open().Integers({1, 0, 1}).Close().Bytes();
    EXPECT_EQ(Binary("xof 0302txt 0064\r\nHeader {\r\n 1;\r\n 0;\r\n 1;\r\n}\r\n"), expected);
}

TEST(BinaryWriter, MeshValuesSwitchListsWhereMemberTypesSwitch)
{
    const std::string text = "xof 0302txt 0064\nMesh{\n3;\n0.0;0.0;0.0;,\n1.0;0.0;0.0;,\n0.0;1.0;0.0;;\n"
                             "2;\n3;0,1,2;,\n4;0,1,2,0;;\n}\n";
    const std::string expected = TokenBytes()
                                     .Name("Mesh")
                                     .Open()
                                     .Integers({3})
                                     .Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})
                                     .Integers({2, 3, 0, 1, 2, 4, 0, 1, 2, 0})
                                     .Close()
                                     .Bytes();
    EXPECT_EQ(Binary(text), expected);
}

TEST(BinaryWriter, MaterialListChildrenAndStrings)
{
    const std::string text = "xof 0302txt 0064\nMeshMaterialList{\n1;\n2;\n0,\n0;\nMaterial{\n"
                             "1.000000;0.500000;0.000000;1.0;;\n23.000000;\n1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n"
                             "TextureFilename{\"wood.ppm\";}\n}\n}\n";
    const std::string expected = TokenBytes()
                                     .Name("MeshMaterialList")
                                     .Open()
                                     .Integers({1, 2, 0, 0})
                                     .Name("Material")
                                     .Open()
                                     .Floats({1, 0.5, 0, 1, 23, 1, 1, 1, 0, 0, 0})
                                     .Name("TextureFilename")
                                     .Open()
                                     .String("wood.ppm")
                                     .Close()
                                     .Close()
                                     .Close()
                                     .Bytes();
    EXPECT_EQ(Binary(text), expected);
}

TEST(BinaryWriter, EmptyListsWriteNoListToken)
{
    const std::string expected = TokenBytes().Name("Mesh").Open().Integers({0, 0}).Close().Bytes();
    EXPECT_EQ(Binary("xof 0302txt 0064\r\nMesh{\r\n0;\r\n0;\r\n}\r\n"), expected);
}

TEST(BinaryWriter, NamesGuidsAndReferences)
{
    const Guid guid{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    const std::string text = "xof 0302txt 0064\nMaterial Red { <01234567-89AB-CDEF-0123-456789ABCDEF> "
                             "1;0;0;1;; 2; 1;1;1;; 0;0;0;; }\n"
                             "MeshMaterialList { 1; 0; { Red } { <01234567-89AB-CDEF-0123-456789ABCDEF> } }\n";
    const std::string expected = TokenBytes()
                                     .Name("Material")
                                     .Name("Red")
                                     .Open()
                                     .Guid(guid)
                                     .Floats({1, 0, 0, 1, 2, 1, 1, 1, 0, 0, 0})
                                     .Close()
                                     .Name("MeshMaterialList")
                                     .Open()
                                     .Integers({1, 0})
                                     .Open()
                                     .Name("Red")
                                     .Close()
                                     .Open()
                                     .Guid(guid)
                                     .Close()
                                     .Close()
                                     .Bytes();
    EXPECT_EQ(Binary(text), expected);
}

TEST(BinaryWriter, TemplatesOnlyWhenAskedInDeclarationOrder)
{
    const std::string text = std::string("xof 0302txt 0064\n") +
                             "template TextureFilename {\n <A42790E1-7810-11cf-8F52-0040333594A3>\n"
                             " STRING filename;\n}\n"
                             "template Coords2d {\n <F6F23F44-7686-11cf-8F52-0040333594A3>\n FLOAT u;\n FLOAT v;\n}\n"
                             "template MeshTextureCoords {\n <F6F23F40-7686-11cf-8F52-0040333594A3>\n"
                             " DWORD nTextureCoords;\n array Coords2d textureCoords[nTextureCoords];\n}\n"
                             "template Material {\n <3D82AB4D-62DA-11cf-AB39-0020AF71E433>\n ColorRGBA faceColor;\n"
                             " FLOAT power;\n ColorRGB specularColor;\n ColorRGB emissiveColor;\n [...]\n}\n";
    const Guid textureGuid{0xA42790E1, 0x7810, 0x11cf, {0x8F, 0x52, 0x00, 0x40, 0x33, 0x35, 0x94, 0xA3}};
    const Guid coordsGuid{0xF6F23F44, 0x7686, 0x11cf, {0x8F, 0x52, 0x00, 0x40, 0x33, 0x35, 0x94, 0xA3}};
    const Guid listGuid{0xF6F23F40, 0x7686, 0x11cf, {0x8F, 0x52, 0x00, 0x40, 0x33, 0x35, 0x94, 0xA3}};
    const Guid materialGuid{0x3D82AB4D, 0x62DA, 0x11cf, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}};
    const std::string expected = TokenBytes()
                                     .Word(kTemplate)
                                     .Name("TextureFilename")
                                     .Open()
                                     .Guid(textureGuid)
                                     .Word(kLpstr)
                                     .Name("filename")
                                     .Word(kSemicolon)
                                     .Close()
                                     .Word(kTemplate)
                                     .Name("Coords2d")
                                     .Open()
                                     .Guid(coordsGuid)
                                     .Word(kFloat)
                                     .Name("u")
                                     .Word(kSemicolon)
                                     .Word(kFloat)
                                     .Name("v")
                                     .Word(kSemicolon)
                                     .Close()
                                     .Word(kTemplate)
                                     .Name("MeshTextureCoords")
                                     .Open()
                                     .Guid(listGuid)
                                     .Word(kDword)
                                     .Name("nTextureCoords")
                                     .Word(kSemicolon)
                                     .Word(kArray)
                                     .Name("Coords2d")
                                     .Name("textureCoords")
                                     .Word(kOpenBracket)
                                     .Name("nTextureCoords")
                                     .Word(kCloseBracket)
                                     .Word(kSemicolon)
                                     .Close()
                                     .Word(kTemplate)
                                     .Name("Material")
                                     .Open()
                                     .Guid(materialGuid)
                                     .Name("ColorRGBA")
                                     .Name("faceColor")
                                     .Word(kSemicolon)
                                     .Word(kFloat)
                                     .Name("power")
                                     .Word(kSemicolon)
                                     .Name("ColorRGB")
                                     .Name("specularColor")
                                     .Word(kSemicolon)
                                     .Name("ColorRGB")
                                     .Name("emissiveColor")
                                     .Word(kSemicolon)
                                     .Word(kOpenBracket)
                                     .Word(kDot)
                                     .Word(kDot)
                                     .Word(kDot)
                                     .Word(kCloseBracket)
                                     .Close()
                                     .Bytes();
    EXPECT_EQ(Binary(text, BinaryOptions::Templates), expected);
    EXPECT_EQ(Binary(text), "xof 0302bin 0032");
}

TEST(BinaryWriter, StandardBlockWrittenOnlyWhenAsked)
{
    const std::string withBlock = Binary(TexturedMeshFile(true), BinaryOptions::Templates);
    const std::string withoutBlock = Binary(TexturedMeshFile(true));
    EXPECT_EQ(withoutBlock, Binary(TexturedMeshFile(false)));
    EXPECT_GT(withBlock.size(), withoutBlock.size());
    EXPECT_EQ(withBlock.substr(16, 2), std::string("\x1F\x00", 2));
    EXPECT_EQ(withBlock.substr(withBlock.size() - (withoutBlock.size() - 16)), withoutBlock.substr(16));
    // Without any declaration there is nothing to write, even when asked.
    EXPECT_EQ(Binary(TexturedMeshFile(false), BinaryOptions::Templates), withoutBlock);
}

TEST(BinaryWriter, ChangedStandardTemplatesAreWrittenAnyway)
{
    // The file declares the standard frame templates unchanged: written only when asked.
    const std::string text = FramesFile();
    const std::string plain = Binary(text);
    const std::string withTemplates = Binary(text, BinaryOptions::Templates);
    EXPECT_NE(plain.substr(16, 2), std::string("\x1F\x00", 2));
    EXPECT_EQ(withTemplates.substr(16, 2), std::string("\x1F\x00", 2));
    EXPECT_TRUE(withTemplates.ends_with(plain.substr(16)));

    const Guid kHeaderGuid{0x3D82AB43, 0x62DA, 0x11cf, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}};
    const std::string changedStandard =
        Binary("xof 0302txt 0064\ntemplate Header { <3D82AB43-62DA-11cf-AB39-0020AF71E433> DWORD only; }\n");
    const std::string expected = TokenBytes()
                                     .Word(kTemplate)
                                     .Name("Header")
                                     .Open()
                                     .Guid(kHeaderGuid)
                                     .Word(kDword)
                                     .Name("only")
                                     .Word(kSemicolon)
                                     .Close()
                                     .Bytes();
    EXPECT_EQ(changedStandard, expected);
}

TEST(BinaryWriter, FixedArraysAndRestrictions)
{
    const std::string text = "xof 0302txt 0064\ntemplate Pick { <00000000-0000-0000-0000-000000000001> "
                             "array WORD pair[2]; [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>, Mesh] }\n";
    const std::string expected =
        TokenBytes()
            .Word(kTemplate)
            .Name("Pick")
            .Open()
            .Guid(Guid{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}})
            .Word(kArray)
            .Word(40)
            .Name("pair")
            .Word(kOpenBracket)
            .Word(kInteger)
            .Dword(2)
            .Word(kCloseBracket)
            .Word(kSemicolon)
            .Word(kOpenBracket)
            .Name("Material")
            .Guid(Guid{0x3D82AB4D, 0x62DA, 0x11cf, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}})
            .Name("Mesh")
            .Word(kCloseBracket)
            .Close()
            .Bytes();
    EXPECT_EQ(Binary(text), expected);
}

}  // namespace
}  // namespace verdin::xof::test
