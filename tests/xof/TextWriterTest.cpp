#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

std::string MustWriteText(const Document& document, BinaryOptions options)
{
    Result<std::string> text = WriteText(document, options);
    if (!text) {
        ADD_FAILURE() << "not written: " << text.GetError().message;
        return {};
    }
    return std::move(text).Value();
}

TEST(TextWriter, LaysObjectsOutAsDirectXTextIs)
{
    const Document document = MustParseText(R"(xof 0303txt 0064
Mesh tri { 3; 0;0;0;, 1;0.5;0;, 0;1;-2.25;; 1; 3;0,1,2;;
 MeshMaterialList { 1; 1; 0;; Material red { <01234567-89AB-CDEF-0123-456789ABCDEF> 1;0;0;1;; 9; 0;0;0;; 0;0;0;;
  TextureFilename { "red.bmp"; } } } }
Header { 1; 0; 1; }
)");
    EXPECT_EQ(MustWriteText(document, BinaryOptions::Templates), Crlf(R"(xof 0302txt 0032
Mesh tri {
 3;
 0.0;0.0;0.0;,
 1.0;0.5;0.0;,
 0.0;1.0;-2.25;;
 1;
 3;0,1,2;;
 MeshMaterialList {
  1;
  1;
  0;
  Material red {
   <01234567-89AB-CDEF-0123-456789ABCDEF>
   1.0;0.0;0.0;1.0;;
   9.0;
   0.0;0.0;0.0;;
   0.0;0.0;0.0;;
   TextureFilename {
    "red.bmp";
   }
  }
 }
}
Header {
 1;
 0;
 1;
}
)"));
}

// Declared templates as --templates keeps them, references, and the objects
// of the file the same after text, binary and text again.
TEST(TextWriter, TextAndBinaryFormsHoldTheSameDocument)
{
    const Document original = MustParseText(FramesFile());
    for (const BinaryOptions options : {BinaryOptions::None, BinaryOptions::Templates}) {
        const std::string text = MustWriteText(original, options);
        const Document fromText = MustParseText(text);
        EXPECT_EQ(fromText.objects, original.objects);
        if (options == BinaryOptions::Templates) {
            EXPECT_EQ(Declared(fromText), Declared(original));
        }
        const Document fromBinary = MustParseBinary(WriteBinary(fromText, options));
        EXPECT_EQ(MustWriteText(fromBinary, options), text);
    }
    const std::string all = MustWriteText(original, BinaryOptions::Templates);
    EXPECT_EQ(all.find("template Frame {\r\n <3D82AB46-62DA-11CF-AB39-0020AF71E433>\r\n [...]\r\n}\r\n"), 18u);
}

Value RealValue(Primitive type, double real)
{
    return Value{type, 0, real};
}

// Every finite number and every integer pattern the readers make is read back
// from the text with the same bits.
TEST(TextWriter, NumbersReadBackToTheSameBits)
{
    Document document = MustParseText("xof 0302txt 0032\ntemplate Numbers { <00000000-0000-0000-0000-000000000001>\n"
                                      " DWORD n; array FLOAT f[n]; array DOUBLE d[n]; DWORD m; array WORD w[m];\n"
                                      " array SWORD s[m]; array CHAR c[m]; array UCHAR u[m]; array SDWORD i[m]; }\n");
    DataObject& numbers = document.objects.emplace_back();
    numbers.templateName = "Numbers";
    const std::vector<float> floats = {
        0.0f, -0.0f, 0.1f, 1.0f / 3, 1e-45f, -1.17549435e-38f, std::numeric_limits<float>::max(), 16777217.0f, 3.4e-5f};
    std::vector<double> doubles = {0.0, -0.0, 0.1, 1.0 / 3, 5e-324, std::numeric_limits<double>::max(), 1e300};
    std::mt19937_64 random(21);
    std::vector<float> someFloats = floats;
    while (someFloats.size() < 20000) {
        const auto single = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        const auto wide = std::bit_cast<double>(random());
        if (std::isfinite(single) && std::isfinite(wide)) {
            someFloats.push_back(single);
            doubles.push_back(wide);
        }
    }
    doubles.resize(someFloats.size(), 2.5);
    numbers.values.push_back(Value{Primitive::Dword, static_cast<std::uint32_t>(someFloats.size()), 0.0});
    for (const float single : someFloats) {
        numbers.values.push_back(RealValue(Primitive::Float, single));
    }
    for (const double wide : doubles) {
        numbers.values.push_back(RealValue(Primitive::Double, wide));
    }
    const std::vector<std::uint32_t> patterns = {0, 255, 0xFFFFFFFFu, 0xFFFFFF80u};
    numbers.values.push_back(Value{Primitive::Dword, static_cast<std::uint32_t>(patterns.size()), 0.0});
    for (const Primitive type : {Primitive::Word, Primitive::Sword, Primitive::Char, Primitive::Uchar}) {
        for (const std::uint32_t pattern : patterns) {
            numbers.values.push_back(Value{type, pattern, 0.0});
        }
    }
    for (const std::uint32_t pattern : {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu, 1u}) {
        numbers.values.push_back(Value{Primitive::Sdword, pattern, 0.0});
    }

    const std::string text = MustWriteText(document, BinaryOptions::None);
    const Document back = MustParseText(text);
    ASSERT_EQ(back.objects.size(), 1u);
    const std::vector<Value>& values = back.objects[0].values;
    ASSERT_EQ(values.size(), numbers.values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_EQ(values[i].integer, numbers.values[i].integer) << i;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(values[i].real), std::bit_cast<std::uint64_t>(numbers.values[i].real))
            << i << ": " << numbers.values[i].real;
    }
    // Integers stay in their type's range: the WORD pattern of -1 is written as -1.
    EXPECT_NE(text.find("\r\n 0,255,-1,-128;\r\n"), std::string::npos);
}

// What the text form cannot hold is refused, not written wrongly.
TEST(TextWriter, RefusesWhatTheTextFormCannotHold)
{
    const std::string quoted = TokenBytes().Name("TextureFilename").Open().String("say \"hi\"").Close().Bytes();
    const std::string spaced = TokenBytes().Name("Header").Name("my header").Open().Integers({1, 0, 1}).Close().Bytes();
    const std::string notANumber =
        TokenBytes().Name("Coords2d").Open().Floats({1.0f, std::numeric_limits<float>::quiet_NaN()}).Close().Bytes();
    for (const std::string& bytes : {quoted, spaced, notANumber}) {
        const Result<std::string> text = WriteText(MustParseBinary(bytes), BinaryOptions::None);
        ASSERT_FALSE(text);
        EXPECT_NE(text.GetError().message.find("cannot be written in the text form"), std::string::npos)
            << text.GetError().message;
    }
}

}  // namespace
}  // namespace verdin::xof::test
