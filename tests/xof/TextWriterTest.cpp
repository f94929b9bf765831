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

// Templates the file declared, names, GUIDs, references and children.
TEST(TextWriter, LaysObjectsOutAsDirectXTextIs)
{
    const Document document = MustParseText(R"(xof 0303txt 0064
template Note { <0000000A-0000-0000-0000-00000000000B> STRING text; [...] }
Note first { <01234567-89AB-CDEF-0123-456789ABCDEF> "hi"; Header { 1; 0; 1; } { first } }
Mesh tri { 3; 0;0;0;, 1;0.5;0;, 0;1;-2.25;; 1; 3;0,1,2;; }
)");
    EXPECT_EQ(MustWriteText(document, BinaryOptions::None), Crlf(R"(xof 0302txt 0032
template Note {
 <0000000A-0000-0000-0000-00000000000B>
 STRING text;
 [...]
}

Note first {
 <01234567-89AB-CDEF-0123-456789ABCDEF>
 "hi";
 Header {
  1;
  0;
  1;
 }
 { first }
}
Mesh tri {
 3;
 0.0;0.0;0.0;,
 1.0;0.5;0.0;,
 0.0;1.0;-2.25;;
 1;
 3;0,1,2;;
}
)"));
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
    // Of all singles, only the largest and 7.038531e-26 (either sign) need more
    // than their shortest digits.
    std::vector<float> singles = {0.0f,
                                  -0.0f,
                                  0.1f,
                                  1e-45f,
                                  -1.17549435e-38f,
                                  std::numeric_limits<float>::max(),
                                  std::bit_cast<float>(0x15AE43FDu),
                                  std::bit_cast<float>(0x95AE43FDu)};
    std::vector<double> doubles = {0.0, -0.0, 0.1, 5e-324, std::numeric_limits<double>::max(), 1e300, 1.0 / 3, 2.5};
    std::mt19937_64 random(21);
    while (singles.size() < 20000) {
        const auto single = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        const auto wide = std::bit_cast<double>(random());
        if (std::isfinite(single) && std::isfinite(wide)) {
            singles.push_back(single);
            doubles.push_back(wide);
        }
    }
    const auto add = [&](Primitive type, std::uint32_t integer, double real) {
        numbers.values.push_back(Value{type, integer, real});
    };
    add(Primitive::Dword, static_cast<std::uint32_t>(singles.size()), 0.0);
    for (const float single : singles) {
        add(Primitive::Float, 0, single);
    }
    for (const double wide : doubles) {
        add(Primitive::Double, 0, wide);
    }
    const std::uint32_t patterns[] = {0, 255, 0xFFFFFFFFu, 0xFFFFFF80u};
    add(Primitive::Dword, std::size(patterns), 0.0);
    for (const Primitive type :
         {Primitive::Word, Primitive::Sword, Primitive::Char, Primitive::Uchar, Primitive::Sdword}) {
        for (const std::uint32_t pattern : patterns) {
            add(type, pattern, 0.0);
        }
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
