#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

// An exporter's file: templates that DirectX's mesh library registers, used
// without being declared, and the texture template spelt with a capital N.
constexpr std::string_view kSkinnedFile = R"(xof 0303txt 0032
AnimTicksPerSecond { 4800; }
Frame Root {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
 Mesh Tri {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 8; 0;0;0;; 0;0;0;; TextureFileName { "skin.png"; } } }
  XSkinMeshHeader { 1; 2; 1; }
  SkinWeights { "Root"; 3; 0,1,2; 1.0,1.0,1.0; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
  VertexDuplicationIndices { 3; 3; 0,1,2; }
  DeclData { 1; 2;0;3;0;; 3; 1,2,3; }
 }
}
AnimationSet Walk {
 Animation { { Root } AnimationKey { 0; 1; 0; 4; 1.0,0.0,0.0,0.0;;; } }
}
)";

TEST(ForeignFiles, RegisteredTemplatesAndNamesInAnyCaseReadInBothForms)
{
    const Document text = MustParseText(kSkinnedFile);
    ASSERT_EQ(text.objects.size(), 3u);
    const DataObject& mesh = ChildOf(text.objects[1], "Mesh");
    const DataObject& material = ChildOf(ChildOf(mesh, "MeshMaterialList"), "Material");
    EXPECT_EQ(ChildOf(material, "TextureFilename").texts, (std::vector<std::string>{"skin.png"}));
    EXPECT_EQ(Integers(ChildOf(mesh, "DeclData")), (std::vector<std::uint32_t>{1, 2, 0, 3, 0, 3, 1, 2, 3}));

    const Result<std::string> binary = TextToBinary(kSkinnedFile, BinaryOptions::None);
    ASSERT_TRUE(binary) << binary.GetError().message;
    EXPECT_EQ(binary.Value(), WriteBinary(text, BinaryOptions::None));
    EXPECT_EQ(MustParseBinary(binary.Value()).objects, text.objects);
}

// A file's own declaration takes the place of a registered template, and a
// name that matches a template exactly is not matched in another case.
TEST(ForeignFiles, DeclaredTemplatesWin)
{
    const Document document = MustParseText(R"(xof 0303txt 0032
template AnimTicksPerSecond { <9E415A43-7BA6-4a73-8743-B73D47E88476> FLOAT ticks; }
template textureFilename { <A42790E1-7810-11cf-8F52-0040333594A3> DWORD a; DWORD b; }
AnimTicksPerSecond { 2.5; }
textureFilename { 1; 2; }
TextureFilename { "a.png"; }
)");
    ASSERT_EQ(document.objects.size(), 3u);
    EXPECT_EQ(Reals(document.objects[0]), (std::vector<double>{2.5}));
    EXPECT_EQ(Integers(document.objects[1]), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(document.objects[2].texts, (std::vector<std::string>{"a.png"}));
    // Both declarations differ from the standard templates, so a reader of the
    // binary form learns them from it.
    EXPECT_EQ(MustParseBinary(WriteBinary(document, BinaryOptions::None)).objects, document.objects);
}

std::vector<std::string> DeclaredNames(const Document& document)
{
    std::vector<std::string> names;
    for (const Template& definition : document.templates) {
        if (definition.declared) {
            names.push_back(definition.name);
        }
    }
    return names;
}

// With the templates option, the registered templates beyond those of meshes
// that a file uses go ahead of it, each after those it uses, so that a reader
// told of the mesh templates alone knows them; unused ones
// (AnimationOptions) stay out. Streamed, those first used after the first
// object send the text round a second time.
TEST(ForeignFiles, TemplatesOptionDeclaresTheRegisteredTemplatesUsed)
{
    const std::vector<std::string> used = {"FrameTransformMatrix",
                                           "Frame",
                                           "FloatKeys",
                                           "TimedFloatKeys",
                                           "AnimationKey",
                                           "Animation",
                                           "AnimationSet",
                                           "AnimTicksPerSecond",
                                           "XSkinMeshHeader",
                                           "SkinWeights",
                                           "VertexDuplicationIndices",
                                           "VertexElement",
                                           "DeclData"};
    const Document document = MustParseText(kSkinnedFile);
    const Result<std::string> text = WriteText(document, BinaryOptions::Templates);
    ASSERT_TRUE(text) << text.GetError().message;
    const Document fromText = MustParseText(text.Value());
    EXPECT_EQ(DeclaredNames(fromText), used);
    EXPECT_EQ(fromText.objects, document.objects);

    const Result<std::string> binary = TextToBinary(kSkinnedFile, BinaryOptions::Templates);
    ASSERT_TRUE(binary) << binary.GetError().message;
    EXPECT_EQ(binary.Value(), WriteBinary(document, BinaryOptions::Templates));
    const Document fromBinary = MustParseBinary(binary.Value());
    EXPECT_EQ(DeclaredNames(fromBinary), used);
    EXPECT_EQ(fromBinary.objects, document.objects);

    const std::string samples = verdin::test::SamplesDir();
    if (samples.empty()) {
        GTEST_SKIP() << "../shared/samples is absent";
    }
    const std::string animation = verdin::test::ReadFile(samples + "/x/anim_test.x");
    const Result<std::string> streamed = TextToBinary(animation, BinaryOptions::Templates);
    ASSERT_TRUE(streamed) << streamed.GetError().message;
    EXPECT_EQ(streamed.Value(), WriteBinary(MustParseText(animation), BinaryOptions::Templates));
    const std::vector<std::string> declared = DeclaredNames(MustParseBinary(streamed.Value()));
    for (const char* name : {"AnimTicksPerSecond", "AnimationSet", "XSkinMeshHeader", "SkinWeights", "DeclData"}) {
        EXPECT_NE(std::find(declared.begin(), declared.end(), name), declared.end()) << name;
    }
}

TEST(ForeignFiles, SamplesFromElsewhereParse)
{
    const std::string samples = verdin::test::SamplesDir();
    if (samples.empty()) {
        GTEST_SKIP() << "../shared/samples is absent";
    }
    const std::string folder = samples + "/x/";
    for (const char* name : {"anim_test.x", "cube_with_vertex_colors.x", "test.x", "test_cube_binary.x"}) {
        const Result<Document> document = Parse(verdin::test::ReadFile(folder + name));
        EXPECT_TRUE(document) << name << ": " << document.GetError().message;
    }
    const Result<Document> compressed = Parse(verdin::test::ReadFile(folder + "test_cube_compressed.x"));
    ASSERT_TRUE(compressed) << compressed.GetError().message;
    const Result<Document> binary = Parse(verdin::test::ReadFile(folder + "test_cube_binary.x"));
    ASSERT_TRUE(binary);
    EXPECT_EQ(compressed.Value().objects, binary.Value().objects);
    EXPECT_FALSE(compressed.Value().objects.empty());
}

}  // namespace
}  // namespace verdin::xof::test
