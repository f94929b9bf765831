#include <gtest/gtest.h>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

std::vector<Template> Declared(const Document& document)
{
    std::vector<Template> declared;
    for (const Template& definition : document.templates) {
        if (definition.declared) {
            declared.push_back(definition);
        }
    }
    return declared;
}

// A template declared after objects, and an object of it.
const std::string kLateTemplate =
    "template Late { <00000000-0000-0000-0000-00000000000a> STRING s; }\nLate { \"x\"; }\n";

struct Sample {
    const char* name;
    std::string text;
};

class RoundTrip : public ::testing::TestWithParam<Sample> {};

TEST_P(RoundTrip, TextToBinaryToModelGivesTheSameModel)
{
    const Document text = MustParseText(GetParam().text);
    for (const BinaryOptions options : {BinaryOptions::None, BinaryOptions::Templates}) {
        const std::string bytes = WriteBinary(text, options);
        const Document binary = MustParseBinary(bytes);
        EXPECT_EQ(binary.objects, text.objects);
        if (options == BinaryOptions::Templates) {
            EXPECT_EQ(Declared(binary), Declared(text));
        }
        // Writing what was read back gives the same bytes.
        EXPECT_EQ(WriteBinary(binary, options), bytes);
        // So does the conversion that writes while it reads.
        const Result<std::string> direct = TextToBinary(GetParam().text, options);
        ASSERT_TRUE(direct) << direct.GetError().message;
        EXPECT_EQ(direct.Value(), bytes);
        // And the same conversion reading through a window of a few bytes.
        for (const std::size_t window : kTinyWindows) {
            const Result<std::string> windowed = StreamToBinary(GetParam().text, options, window);
            ASSERT_TRUE(windowed) << window << ": " << windowed.GetError().message;
            EXPECT_TRUE(windowed.Value() == bytes) << "window " << window;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, RoundTrip,
                         ::testing::Values(Sample{"TexturedWithTemplates", TexturedMeshFile(true)},
                                           Sample{"TexturedWithoutTemplates", TexturedMeshFile(false)},
                                           Sample{"SeveralMeshes", SeveralMeshesFile(true)},
                                           Sample{"Frames", FramesFile()},
                                           Sample{"TemplatesAfterObjects", FramesFile() + kLateTemplate},
                                           Sample{"BigMesh", BigMeshFile(200000)}),
                         [](const ::testing::TestParamInfo<Sample>& info) { return std::string(info.param.name); });

TEST(BinaryRoundTrip, LongTextureNamesSurvive)
{
    const std::string longName = std::string(300, 'w') + ".ppm";
    const Document text = MustParseText(TexturedMeshFile(false, longName));
    const Document binary = MustParseBinary(WriteBinary(text, BinaryOptions::None));
    ASSERT_EQ(binary.objects.size(), 2u);
    const DataObject& material = ChildOf(binary.objects[1], "MeshMaterialList").children.at(1);
    EXPECT_EQ(ChildOf(material, "TextureFilename").texts, (std::vector<std::string>{longName}));
    EXPECT_EQ(binary.objects, text.objects);
}

TEST(BinaryRoundTrip, TypedValuesOfDeclaredTemplates)
{
    const Document text =
        MustParseText("xof 0302txt 0064\ntemplate Mixed { <00000000-0000-0000-0000-000000000009>\n"
                      " SWORD a; CHAR b; UCHAR c; FLOAT d; STRING e; CSTRING f; DWORD n; array SDWORD g[n]; }\n"
                      "Mixed m { -3; -1; 255; -0.25; \"first\"; \"second\"; 2; -2147483648, 2147483647; }\n");
    const Document binary = MustParseBinary(WriteBinary(text, BinaryOptions::Templates));
    ASSERT_EQ(binary.objects.size(), 1u);
    EXPECT_EQ(binary.objects, text.objects);
    EXPECT_EQ(binary.objects[0].texts, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(binary.objects[0].values[7].integer, 0x80000000u);
}

TEST(BinaryReader, ReadsSixtyFourBitFloatLists)
{
    const std::string bytes =
        TokenBytes("xof 0302bin 0064").Name("Vector").Open().Doubles({0.1, 2.0, -3.5}).Close().Bytes();
    const Document document = MustParseBinary(bytes);
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Reals(document.objects[0]), (std::vector<double>{static_cast<double>(0.1f), 2.0, -3.5}));
}

TEST(BinaryReader, AcceptsSingleIntegersSeparatorsAndSplitLists)
{
    const std::string bytes = TokenBytes()
                                  .Name("Mesh")
                                  .Open()
                                  .Word(3)
                                  .Dword(2)
                                  .Word(20)
                                  .Floats({0, 0, 0, 1})
                                  .Floats({1, 1})
                                  .Integers({})
                                  .Integers({1, 2})
                                  .Word(19)
                                  .Integers({0, 1})
                                  .Word(20)
                                  .Close()
                                  .Bytes();
    const Document document = MustParseBinary(bytes);
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Integers(document.objects[0]), (std::vector<std::uint32_t>{2, 1, 2, 0, 1}));
    EXPECT_EQ(Reals(document.objects[0]), (std::vector<double>{0, 0, 0, 1, 1, 1}));
}

TEST(BinaryReader, AcceptsStringTerminatorsOfEitherWidth)
{
    for (const bool wide : {false, true}) {
        TokenBytes bytes;
        bytes.Name("TextureFilename").Open().String("a.ppm", 19);
        if (wide) {
            bytes.Word(0);
        }
        bytes.Close();
        const Document document = MustParseBinary(bytes.Bytes());
        ASSERT_EQ(document.objects.size(), 1u);
        EXPECT_EQ(document.objects[0].texts, (std::vector<std::string>{"a.ppm"}));
    }
}

TEST(BinaryReader, ArraysWithoutTrailingSemicolonAsInThePublishedExample)
{
    const std::string bytes = TokenBytes()
                                  .Word(31)
                                  .Name("Grid")
                                  .Open()
                                  .Guid(Guid{})
                                  .Word(52)
                                  .Word(42)
                                  .Name("cells")
                                  .Word(14)
                                  .Word(3)
                                  .Dword(2)
                                  .Word(15)
                                  .Word(14)
                                  .Word(3)
                                  .Dword(2)
                                  .Word(15)
                                  .Close()
                                  .Name("Grid")
                                  .Open()
                                  .Floats({1, 2, 3, 4})
                                  .Close()
                                  .Bytes();
    const Document document = MustParseBinary(bytes);
    ASSERT_EQ(document.objects.size(), 1u);
    EXPECT_EQ(Reals(document.objects[0]), (std::vector<double>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace verdin::xof::test
