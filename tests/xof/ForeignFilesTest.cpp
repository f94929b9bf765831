#include <gtest/gtest.h>

#include <string>

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
