#include <gtest/gtest.h>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

std::size_t DeclaredCount(const Document& document)
{
    std::size_t count = 0;
    for (const Template& definition : document.templates) {
        count += definition.declared ? 1 : 0;
    }
    return count;
}

TEST(TextReaderConverterFiles, ReadsTexturedMeshValueByValue)
{
    const Document document = MustParseText(TexturedMeshFile(true));
    ASSERT_EQ(document.objects.size(), 2u);
    const DataObject& header = document.objects[0];
    EXPECT_EQ(header.templateName, "Header");
    EXPECT_EQ(Integers(header), (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(header.values[0].type, Primitive::Word);
    EXPECT_EQ(header.values[2].type, Primitive::Dword);

    const DataObject& mesh = document.objects[1];
    EXPECT_EQ(mesh.templateName, "Mesh");
    EXPECT_TRUE(mesh.name.empty());
    EXPECT_EQ(Integers(mesh), (std::vector<std::uint32_t>{4, 3, 3, 0, 1, 2, 3, 0, 2, 3, 4, 0, 1, 2, 3}));
    const std::vector<double> vertices = Reals(mesh);
    ASSERT_EQ(vertices.size(), 12u);
    EXPECT_EQ(vertices[3], 1.0);
    EXPECT_EQ(vertices[11], -0.5);
    EXPECT_EQ(mesh.values[0].type, Primitive::Dword);
    EXPECT_EQ(mesh.values[1].type, Primitive::Float);
    ASSERT_EQ(mesh.children.size(), 3u);

    const DataObject& materials = ChildOf(mesh, "MeshMaterialList");
    EXPECT_EQ(Integers(materials), (std::vector<std::uint32_t>{2, 3, 0, 1, 1}));
    ASSERT_EQ(materials.children.size(), 2u);
    EXPECT_EQ(Reals(materials.children[0]),
              (std::vector<double>{1.0, 0.5, 0.0, 1.0, 23.0, 1.0, 1.0, 1.0, 0.0, 0.0, 0.0}));
    const DataObject& texture = ChildOf(materials.children[1], "TextureFilename");
    ASSERT_EQ(texture.values.size(), 1u);
    EXPECT_EQ(texture.values[0].type, Primitive::String);
    EXPECT_EQ(texture.texts, (std::vector<std::string>{"wood.ppm"}));

    const DataObject& normals = ChildOf(mesh, "MeshNormals");
    EXPECT_EQ(Integers(normals), (std::vector<std::uint32_t>{3, 3, 3, 0, 0, 0, 3, 1, 1, 1, 4, 2, 2, 2, 2}));
    EXPECT_EQ(Reals(normals)[6], static_cast<double>(0.577350f));

    const DataObject& coordinates = ChildOf(mesh, "MeshTextureCoords");
    EXPECT_EQ(Integers(coordinates), (std::vector<std::uint32_t>{4}));
    EXPECT_EQ(Reals(coordinates), (std::vector<double>{0.0, 0.0, 0.78125, 0.0, 0.78125, 0.9375, 0.0, 0.9375}));
}

TEST(TextReaderConverterFiles, TemplateBlockDeclaresTheStandardTemplatesUnchanged)
{
    const Document withBlock = MustParseText(TexturedMeshFile(true));
    const Document withoutBlock = MustParseText(TexturedMeshFile(false));
    EXPECT_EQ(DeclaredCount(withBlock), 19u);
    EXPECT_EQ(DeclaredCount(withoutBlock), 0u);
    EXPECT_EQ(withBlock.objects, withoutBlock.objects);

    const Document standard = StandardDocument();
    ASSERT_EQ(standard.templates.size(), 27u);  // the mesh templates, then those of frames and animations
    for (const Template& declared : withBlock.templates) {
        if (!declared.declared) {
            continue;
        }
        const Template* builtIn = standard.FindTemplate(declared.name);
        ASSERT_NE(builtIn, nullptr) << declared.name;
        Template copy = *builtIn;
        copy.declared = true;
        EXPECT_EQ(copy, declared) << declared.name;
    }
}

TEST(TextReaderConverterFiles, ReadsEmptyListsAndSeveralMeshes)
{
    const Document document = MustParseText(SeveralMeshesFile(false));
    ASSERT_EQ(document.objects.size(), 4u);
    const DataObject& empty = document.objects[1];
    EXPECT_EQ(Integers(empty), (std::vector<std::uint32_t>{0, 0}));
    EXPECT_TRUE(empty.children.empty());

    const DataObject& allHoles = document.objects[2];
    EXPECT_EQ(Integers(allHoles), (std::vector<std::uint32_t>{3, 0}));
    EXPECT_EQ(Integers(ChildOf(allHoles, "MeshMaterialList")), (std::vector<std::uint32_t>{1, 0}));

    const DataObject& plain = document.objects[3];
    EXPECT_EQ(Integers(ChildOf(plain, "MeshNormals")), (std::vector<std::uint32_t>{1, 1, 3, 0, 0, 0}));
}

TEST(TextReaderConverterFiles, ReadsMeshNormalsClosedByLoneSemicolonLine)
{
    const std::string meshNormals = "xof 0302txt 0064\r\nMesh{\r\n1;\r\n0.0;0.0;0.0;;\r\n1;\r\n1;0;;\r\n"
                                    "MeshNormals{\r\n1;\r\n0.0;0.0;1.0;;\r\n1;\r\n1;0;\r\n;\r\n}\r\n}\r\n";
    const Document document = MustParseText(meshNormals);
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Integers(ChildOf(document.objects[0], "MeshNormals")), (std::vector<std::uint32_t>{1, 1, 1, 0}));
}

TEST(TextReaderSyntax, AcceptsOtherVersionsAndFloatSizes)
{
    for (const char* header : {"xof 0302txt 0064", "xof 0302txt 0032", "xof 0303txt 0032", "xof 0301txt 0064"}) {
        const Document document = MustParseText(std::string(header) + "\nHeader { 1; 0; 1; }\n");
        EXPECT_EQ(document.objects.size(), 1u) << header;
    }
    EXPECT_EQ(MustParseText("xof 0303txt 0032").versionMinor, 3u);
}

TEST(TextReaderSyntax, SkipsCommentsAnywhere)
{
    const Document document =
        MustParseText("xof 0302txt 0064\n# hash comment\n// slash comment\nHeader // after the name\n{ # inside\n"
                      " 1; // after a value\n 0;\n#\n 1;}\n// last line without line end");
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Integers(document.objects[0]), (std::vector<std::uint32_t>{1, 0, 1}));
}

TEST(TextReaderSyntax, SeparatorsAreLenient)
{
    const Document strict = MustParseText("xof 0302txt 0064\nMesh { 2; 0.0;0.0;0.0;, 1.0;1.0;1.0;; 1; 2;0,1;; }");
    const std::vector<std::string> variants = {
        "xof 0302txt 0064\nMesh { 2, 0.0,0.0,0.0, 1.0,1.0,1.0, 1, 2,0,1 }",
        "xof 0302txt 0064\nMesh { 2; 0.0;0.0;0.0;; 1.0;1.0;1.0;;; 1;; 2;0;1;;;; }",
        "xof 0302txt 0064\nMesh {2 0 0 0 1 1 1 1 2 0 1}",
        "xof 0302txt 0064\r\nMesh{\r\n2;\r\n0.000000;0.000000;0.000000;,\r\n1.000000;1.000000;1.000000;;\r\n1;\r\n"
        "2;0,1;;\r\n;\r\n}\r\n",
    };
    ASSERT_EQ(strict.objects.size(), 1u);
    for (const std::string& variant : variants) {
        EXPECT_EQ(MustParseText(variant).objects, strict.objects) << variant;
    }
}

TEST(TextReaderSyntax, ReadsNamesGuidsAndReferences)
{
    const Document document = MustParseText(FramesFile());
    ASSERT_EQ(document.objects.size(), 2u);
    EXPECT_EQ(document.objects[0].templateName, "Material");
    EXPECT_EQ(document.objects[0].name, "Red");

    const DataObject& root = document.objects[1];
    EXPECT_EQ(root.templateName, "Frame");
    EXPECT_EQ(root.name, "Root");
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(Reals(root.children[0]).size(), 16u);
    const DataObject& child = root.children[1];
    EXPECT_EQ(child.name, "Child");
    EXPECT_EQ(Reals(child.children[0])[12], 2.0);
    const DataObject& mesh = ChildOf(child, "Mesh");
    EXPECT_EQ(mesh.name, "Triangle");
    const DataObject& materials = ChildOf(mesh, "MeshMaterialList");
    ASSERT_EQ(materials.children.size(), 1u);
    EXPECT_TRUE(materials.children[0].isReference);
    EXPECT_EQ(materials.children[0].name, "Red");

    const Document guids = MustParseText(
        "xof 0302txt 0064\nMaterial Blue { <01234567-89ab-CDEF-0123-456789ABCDEF> 0;0;1;1;; 2; 1;1;1;; 0;0;0;; }\n"
        "Mesh { 0; 0; MeshMaterialList { 1; 0; { Blue <01234567-89AB-cdef-0123-456789abcdef> } "
        "{ <01234567-89AB-CDEF-0123-456789ABCDEF> } } }");
    ASSERT_EQ(guids.objects.size(), 2u);
    const Guid expected{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(guids.objects[0].guid, expected);
    const DataObject& list = ChildOf(guids.objects[1], "MeshMaterialList");
    ASSERT_EQ(list.children.size(), 2u);
    EXPECT_EQ(list.children[0].name, "Blue");
    EXPECT_EQ(list.children[0].guid, expected);
    EXPECT_TRUE(list.children[1].name.empty());
    EXPECT_EQ(list.children[1].guid, expected);
}

TEST(TextReaderTemplates, ReadsDeclaredTemplatesOfEveryKind)
{
    const Document document = MustParseText(R"(xof 0302txt 0064
template Sample {
 <11111111-2222-3333-4444-555555555555>
 DWORD rows;
 DWORD columns;
 array FLOAT grid[rows][columns];
 array WORD fixed[2];
 DOUBLE precise;
 CHAR small;
 SWORD negative;
 STRING label;
 Vector where;
 [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>, TextureFilename]
}
template Anything { <11111111-2222-3333-4444-555555555556> DWORD n; [ ... ] }
Sample s {
 2; 3;
 1.0, 2.0, 3.0, 4.0, 5.0, 0.1;
 7, 65535;
 0.1;
 -128;
 -2;
 "a label with spaces";
 1.0; 2.0; 3.0;;
 TextureFilename { "t.ppm"; }
}
Anything { 5; Sample { 0; 0; 1; 2; 3.0; 4; 5; ""; 0.0; 0.0; 0.0;; } }
)");
    const Template* sample = document.FindTemplate("Sample");
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->declared);
    ASSERT_EQ(sample->members.size(), 9u);
    EXPECT_EQ(sample->members[2].dimensions.size(), 2u);
    EXPECT_EQ(sample->members[2].dimensions[1].member, std::optional<std::size_t>(1));
    EXPECT_EQ(sample->members[3].dimensions[0].size, 2u);
    EXPECT_EQ(sample->members[8].templateName, "Vector");
    EXPECT_EQ(sample->openness, Openness::Restricted);
    ASSERT_EQ(sample->restrictions.size(), 2u);
    EXPECT_TRUE(sample->restrictions[0].guid.has_value());
    EXPECT_EQ(document.FindTemplate("Anything")->openness, Openness::Open);

    ASSERT_EQ(document.objects.size(), 2u);
    const DataObject& s = document.objects[0];
    ASSERT_EQ(s.values.size(), 2u + 6u + 2u + 4u + 3u);
    EXPECT_EQ(s.values[7].real, static_cast<double>(0.1f));
    EXPECT_EQ(s.values[8].type, Primitive::Word);
    EXPECT_EQ(s.values[9].integer, 65535u);
    EXPECT_EQ(s.values[10].type, Primitive::Double);
    EXPECT_EQ(s.values[10].real, 0.1);
    EXPECT_EQ(s.values[11].integer, static_cast<std::uint32_t>(-128));
    EXPECT_EQ(s.values[12].integer, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(s.values[13].type, Primitive::String);
    EXPECT_EQ(s.texts[s.values[13].integer], "a label with spaces");
    EXPECT_EQ(s.values[16].real, 3.0);
    EXPECT_EQ(ChildOf(s, "TextureFilename").texts[0], "t.ppm");
    EXPECT_EQ(document.objects[1].children[0].texts, (std::vector<std::string>{""}));
}

TEST(TextReaderTemplates, KeywordsIgnoreCaseAndArraysMayBeFixed)
{
    const Document document = MustParseText(
        "xof 0302txt 0064\nTEMPLATE Pair { <11111111-2222-3333-4444-555555555555> ARRAY dword both[2]; }\n"
        "Pair { 4, 5; }\n");
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Integers(document.objects[0]), (std::vector<std::uint32_t>{4, 5}));
}

TEST(TextReaderTemplates, FileDeclarationReplacesAStandardTemplateForLaterObjects)
{
    const Document document =
        MustParseText("xof 0302txt 0064\nHeader { 1; 0; 1; }\n"
                      "template Header { <3D82AB43-62DA-11cf-AB39-0020AF71E433> DWORD only; }\nHeader { 9; }\n");
    ASSERT_EQ(document.objects.size(), 2u);
    EXPECT_EQ(document.objects[0].values.size(), 3u);
    EXPECT_EQ(Integers(document.objects[1]), (std::vector<std::uint32_t>{9}));
}

TEST(TextReaderValues, FloatMembersHoldSinglePrecision)
{
    const Document document = MustParseText("xof 0302txt 0064\nVector { 0.1; -2.5e-3; 16777217; }");
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Reals(document.objects[0]),
              (std::vector<double>{static_cast<double>(0.1f), static_cast<double>(-2.5e-3f), 16777216.0}));
}

}  // namespace
}  // namespace verdin::xof::test
