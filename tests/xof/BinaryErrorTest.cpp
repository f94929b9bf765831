#include <gtest/gtest.h>

#include <random>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

void ExpectRefused(const std::string& bytes, ErrorCode code, std::size_t offset)
{
    const Result<Document> result = ParseBinary(bytes);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.GetError().code, code) << result.GetError().message;
    EXPECT_EQ(result.GetError().offset, offset) << result.GetError().message;
    EXPECT_EQ(result.GetError().message.rfind("byte " + std::to_string(offset) + ": ", 0), 0u)
        << result.GetError().message;
}

TEST(BinaryErrors, Headers)
{
    ExpectRefused("xof 0302bin", ErrorCode::BadHeader, 0);
    ExpectRefused("xof 0302txt 0032", ErrorCode::BadHeader, 8);
    ExpectRefused("xof 0302bzip0032", ErrorCode::BadHeader, 8);
    ExpectRefused("xof 0302bin 0048", ErrorCode::BadHeader, 0);
}

TEST(BinaryErrors, UnknownTemplateAndUnexpectedTokens)
{
    ExpectRefused(TokenBytes().Name("Wheel").Open().Close().Bytes(), ErrorCode::UnknownTemplate, 16);
    ExpectRefused(TokenBytes().Word(99).Bytes(), ErrorCode::Syntax, 16);
    ExpectRefused(TokenBytes().Name("Header").Integers({1, 0, 1}).Bytes(), ErrorCode::Syntax, 28);
}

TEST(BinaryErrors, MemberCountsMustMatch)
{
    // Too many values in the list.
    ExpectRefused(TokenBytes().Name("Header").Open().Integers({1, 0, 1, 5}).Close().Bytes(), ErrorCode::Syntax, 52);
    // Too few: the close brace comes where an integer is expected.
    ExpectRefused(TokenBytes().Name("Header").Open().Integers({1, 0}).Close().Bytes(), ErrorCode::Syntax, 44);
    // A float list where the members want integers.
    ExpectRefused(TokenBytes().Name("Header").Open().Floats({1, 0, 1}).Close().Bytes(), ErrorCode::Syntax, 30);
    // A value after the members are complete.
    ExpectRefused(TokenBytes().Name("Header").Open().Integers({1, 0, 1}).Integers({2}).Close().Bytes(),
                  ErrorCode::Syntax, 48);
}

TEST(BinaryErrors, CountsBeyondTheInputAllocateNothing)
{
    ExpectRefused(TokenBytes().Name("Mesh").Open().Word(6).Dword(0xFFFFFFFF).Bytes(), ErrorCode::Truncated, 34);
    ExpectRefused(TokenBytes().Word(1).Dword(0xFFFFFFF0).Bytes(), ErrorCode::Truncated, 22);
    ExpectRefused(TokenBytes().Name("TextureFilename").Open().Word(2).Dword(0x7FFFFFFF).Bytes(), ErrorCode::Truncated,
                  45);
    ExpectRefused(TokenBytes().Name("Mesh").Open().Integers({4000000000u}).Close().Bytes(), ErrorCode::OutOfRange, 38);
}

TEST(BinaryErrors, NestingIsBounded)
{
    TokenBytes bytes;
    bytes.Word(31).Name("Frame").Open().Guid(Guid{}).Word(14).Word(18).Word(18).Word(18).Word(15).Close();
    for (int depth = 0; depth < 100000; ++depth) {
        bytes.Name("Frame").Open();
    }
    const Result<Document> result = ParseBinary(bytes.Bytes());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.GetError().code, ErrorCode::TooDeep);
}

TEST(BinaryErrors, TemplateProblems)
{
    // An array sized by a member that does not exist.
    ExpectRefused(TokenBytes()
                      .Word(31)
                      .Name("T")
                      .Open()
                      .Guid(Guid{})
                      .Word(52)
                      .Word(41)
                      .Name("a")
                      .Word(14)
                      .Name("n")
                      .Word(15)
                      .Word(20)
                      .Close()
                      .Bytes(),
                  ErrorCode::BadTemplate, 58);
    // A member whose template nobody declared.
    ExpectRefused(TokenBytes().Word(31).Name("T").Open().Guid(Guid{}).Name("Wheel").Name("w").Word(20).Close().Bytes(),
                  ErrorCode::UnknownTemplate, 45);
}

TEST(BinaryRobustness, EveryTruncationIsHandled)
{
    Result<std::string> bytes = TextToBinary(TexturedMeshFile(true), BinaryOptions::Templates);
    ASSERT_TRUE(bytes);
    const std::string& whole = bytes.Value();
    std::size_t accepted = 0;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const Result<Document> result = ParseBinary(std::string_view(whole).substr(0, length));
        accepted += result ? 1 : 0;
    }
    // The cut after the last template or after the Header object is a whole file.
    EXPECT_LE(accepted, 21u);
    EXPECT_TRUE(ParseBinary(whole));
}

TEST(BinaryRobustness, RandomDamageNeverCrashes)
{
    const std::string text = TexturedMeshFile(true) + FramesFile().substr(17);
    Result<std::string> bytes = TextToBinary(text, BinaryOptions::Templates);
    ASSERT_TRUE(bytes);
    std::mt19937 random(54321);
    std::size_t refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = bytes.Value();
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int change = 0; change < changes; ++change) {
            damaged[16 + random() % (damaged.size() - 16)] = static_cast<char>(random() & 0xFF);
        }
        refused += ParseBinary(damaged) ? 0 : 1;
    }
    EXPECT_GT(refused, 1000u);
}

}  // namespace
}  // namespace verdin::xof::test
