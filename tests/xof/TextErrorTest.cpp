#include <gtest/gtest.h>

#include <random>
#include <string>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

struct BadText {
    const char* what;
    std::string text;
    ErrorCode code;
    std::size_t line;
    std::size_t column;
};

std::string Nested(const char* open, int depth)
{
    std::string text = "xof 0302txt 0064\ntemplate Frame { <3D82AB46-62DA-11cf-AB39-0020AF71E433> [...] }\n";
    for (int i = 0; i < depth; ++i) {
        text += open;
    }
    return text;
}

std::string ChainOfTemplates(int count)
{
    std::string text = "xof 0302txt 0064\ntemplate T0 { <00000000-0000-0000-0000-000000000000> DWORD v; }\n";
    for (int i = 1; i < count; ++i) {
        text += "template T" + std::to_string(i) + " { <00000000-0000-0000-0000-000000000000> T" +
                std::to_string(i - 1) + " inner; }\n";
    }
    return text;
}

class TextErrors : public ::testing::TestWithParam<BadText> {};

TEST_P(TextErrors, AreRefusedWithLineAndColumn)
{
    const BadText& bad = GetParam();
    const Result<Document> result = ParseText(bad.text);
    ASSERT_FALSE(result) << bad.what;
    const Error& error = result.GetError();
    EXPECT_EQ(error.code, bad.code) << bad.what << ": " << error.message;
    EXPECT_EQ(error.line, bad.line) << bad.what << ": " << error.message;
    EXPECT_EQ(error.column, bad.column) << bad.what << ": " << error.message;
    const std::string position = "line " + std::to_string(bad.line) + ", column " + std::to_string(bad.column) + ": ";
    EXPECT_EQ(error.message.rfind(position, 0), 0u) << error.message;

    const Result<std::string> converted = TextToBinary(bad.text, BinaryOptions::None);
    ASSERT_FALSE(converted);
    EXPECT_EQ(converted.GetError().message, error.message);
    for (const std::size_t window : kTinyWindows) {
        const Result<std::string> windowed = StreamToBinary(bad.text, BinaryOptions::None, window);
        ASSERT_FALSE(windowed) << "window " << window;
        EXPECT_EQ(windowed.GetError().message, error.message) << "window " << window;
    }
}

const std::string kHead = "xof 0302txt 0064\n";

INSTANTIATE_TEST_SUITE_P(
    Malformed, TextErrors,
    ::testing::Values(
        BadText{"no header", "Header { 1; 0; 1; }", ErrorCode::BadHeader, 1, 1},
        BadText{"short header", "xof 0302", ErrorCode::BadHeader, 1, 1},
        BadText{"binary header", "xof 0302bin 0032", ErrorCode::BadHeader, 1, 9},
        BadText{"compressed", "xof 0302tzip0032", ErrorCode::BadHeader, 1, 9},
        BadText{"bad float size", "xof 0302txt 0016", ErrorCode::BadHeader, 1, 1},
        BadText{"unclosed object", kHead + "Header {\n 1;\n 0;\n 1;\n", ErrorCode::Truncated, 6, 1},
        BadText{"extra closing brace", kHead + "Header { 1; 0; 1; }\n}", ErrorCode::Syntax, 3, 1},
        BadText{"unknown template", kHead + "Header { 1; 0; 1; }\n  Scene root {\n}", ErrorCode::UnknownTemplate, 3, 3},
        BadText{"unknown child template", kHead + "Mesh { 0; 0;\n Wheel { } }", ErrorCode::UnknownTemplate, 3, 2},
        BadText{"too few members", kHead + "Header {\n 1;\n 0;\n}", ErrorCode::Syntax, 5, 1},
        BadText{"too many members", kHead + "Header { 1; 0; 1; 2; }", ErrorCode::Syntax, 2, 19},
        BadText{"two points", kHead + "Vector { 1.0; 2.0.0; 3.0; }", ErrorCode::BadNumber, 2, 15},
        BadText{"letters in a number", kHead + "Vector {\n1.0;\n2.5x;\n3.0; }", ErrorCode::BadNumber, 4, 1},
        BadText{"exponent without digits", kHead + "Vector { 1e; 2; 3; }", ErrorCode::BadNumber, 2, 10},
        BadText{"not a number", kHead + "Vector { 1; nan; 3; }", ErrorCode::Syntax, 2, 13},
        BadText{"real for an integer", kHead + "Header { 1.5; 0; 1; }", ErrorCode::BadNumber, 2, 10},
        BadText{"word out of range", kHead + "Header { 70000; 0; 1; }", ErrorCode::OutOfRange, 2, 10},
        BadText{"dword out of range", kHead + "Header { 1; 0; 4294967296; }", ErrorCode::OutOfRange, 2, 16},
        BadText{"float out of range", kHead + "Vector { 1e39; 0; 0; }", ErrorCode::OutOfRange, 2, 10},
        BadText{"huge vertex count", kHead + "Mesh {\n4000000000;\n0.0;0.0;0.0;;\n", ErrorCode::OutOfRange, 3, 11},
        BadText{"truncated in a list", kHead + "Mesh { 3; 0.0; 0.0; 0.0;, 1.0; 1.", ErrorCode::Truncated, 2, 34},
        BadText{"truncated in a string", kHead + "TextureFilename { \"wood.ppm;\n}\n", ErrorCode::Truncated, 2, 19},
        BadText{"string where a number goes", kHead + "Header { \"1\"; 0; 1; }", ErrorCode::Syntax, 2, 10},
        BadText{"number where a string goes", kHead + "TextureFilename { 12; }", ErrorCode::Syntax, 2, 19},
        BadText{"bad GUID", kHead + "template T {\n <3D82AB43-62DA-11cf-AB39-0020AF71E43> DWORD a; }",
                ErrorCode::Syntax, 3, 2},
        BadText{"template without GUID", kHead + "template T { DWORD a; }", ErrorCode::Syntax, 2, 14},
        BadText{"member of unknown template",
                kHead + "template T { <00000000-0000-0000-0000-000000000000>\n Wheel w; }", ErrorCode::UnknownTemplate,
                3, 2},
        BadText{"array sized by a later member",
                kHead + "template T { <00000000-0000-0000-0000-000000000000>\n array DWORD a[n]; DWORD n; }",
                ErrorCode::BadTemplate, 3, 16},
        BadText{"array sized by a real",
                kHead + "template T { <00000000-0000-0000-0000-000000000000> FLOAT n; array DWORD a[n]; }",
                ErrorCode::BadTemplate, 2, 1},
        BadText{"template declared twice",
                kHead + "template T { <00000000-0000-0000-0000-000000000000> DWORD a; }\n"
                        "template T { <00000000-0000-0000-0000-000000000000> DWORD a; }",
                ErrorCode::BadTemplate, 3, 1},
        BadText{"empty template as a member",
                kHead + "template E { <00000000-0000-0000-0000-000000000000> }\n"
                        "template T { <00000000-0000-0000-0000-000000000001> array E e[1000000]; }",
                ErrorCode::BadTemplate, 3, 1},
        BadText{"templates nested too deep", ChainOfTemplates(40), ErrorCode::BadTemplate, 34, 1},
        BadText{"objects nested too deep", Nested("Frame {\n", 100000), ErrorCode::TooDeep, 131, 1},
        BadText{"child of a closed template", kHead + "Header { 1; 0; 1;\n Mesh { 0; 0; } }", ErrorCode::Syntax, 3, 2},
        BadText{"child a restriction refuses", kHead + "Mesh { 0; 0; MeshMaterialList { 0; 0;\n  Mesh { 0; 0; } } }",
                ErrorCode::Syntax, 3, 3},
        BadText{"empty reference", kHead + "Mesh { 0; 0; { } }", ErrorCode::Syntax, 2, 16},
        BadText{"stray character", kHead + "Mesh { 0; 0; @ }", ErrorCode::Syntax, 2, 14}),
    [](const ::testing::TestParamInfo<BadText>& info) {
        std::string name;
        for (const char c : std::string(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(TextRobustness, EveryTruncationOfAFileIsHandled)
{
    const std::string text = TexturedMeshFile(true);
    const std::size_t meshStart = text.find("Mesh{");
    const std::size_t meshEnd = text.rfind('}');
    for (std::size_t length = 0; length < text.size(); ++length) {
        const Result<Document> result = ParseText(std::string_view(text).substr(0, length));
        if (length > meshStart && length <= meshEnd) {
            EXPECT_FALSE(result) << "cut at " << length;
        }
        if (!result) {
            EXPECT_FALSE(result.GetError().message.empty());
        }
    }
    EXPECT_TRUE(ParseText(text));
}

TEST(TextRobustness, RandomDamageNeverCrashes)
{
    constexpr std::string_view kDamage = "{};,.\"<>[]#/0123456789-eE aZ\n\x01\xff";
    const std::string original = TexturedMeshFile(false) + FramesFile().substr(17);
    std::mt19937 random(12345);
    std::size_t refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = original;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int change = 0; change < changes; ++change) {
            const std::size_t at = 16 + random() % (damaged.size() - 16);
            damaged[at] = kDamage[random() % kDamage.size()];
        }
        const Result<Document> result = ParseText(damaged);
        refused += result ? 0 : 1;
    }
    EXPECT_GT(refused, 1000u);
}

// A hostile token is quoted in part, never whole.
TEST(TextRobustness, LongTokensAreQuotedInPart)
{
    const std::string huge(10'000'000, '7');
    for (const std::string& text :
         {kHead + "Vector { 1.0; " + huge + ".0.0; 3.0; }", kHead + "Frame { " + std::string(100'000, 'x') + " }"}) {
        const Result<Document> result = ParseText(text);
        ASSERT_FALSE(result);
        EXPECT_LT(result.GetError().message.size(), 200u) << result.GetError().message.substr(0, 300);
        EXPECT_NE(result.GetError().message.find("...'"), std::string::npos) << result.GetError().message;
    }
}

}  // namespace
}  // namespace verdin::xof::test
