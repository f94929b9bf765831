#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

// The value in `size` bytes, little-endian.
std::string Little(std::uint32_t value, int size)
{
    std::string bytes;
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

void ExpectRefused(const std::string& bytes, ErrorCode code, std::size_t offset)
{
    const Result<Document> result = Parse(bytes);
    ASSERT_FALSE(result) << "accepted";
    EXPECT_EQ(result.GetError().code, code) << result.GetError().message;
    EXPECT_EQ(result.GetError().offset, offset) << result.GetError().message;
}

// Blocks smaller than the file and larger than the window: matches reach
// back into earlier blocks.
TEST(Compressed, TextAndBinaryFormsReadAsTheirPlainForms)
{
    const std::string text = BigMeshFile(100000);
    const Document plain = MustParseText(text);
    for (const std::size_t blockSize : {std::size_t{32768}, std::size_t{5000}}) {
        const Result<Document> fromText = Parse(Compress(text, blockSize));
        ASSERT_TRUE(fromText) << fromText.GetError().message;
        EXPECT_EQ(fromText.Value().objects, plain.objects);
    }
    const std::string binary = WriteBinary(plain, BinaryOptions::Templates);
    const Result<std::string> back = Decompress(Compress(binary, 700));
    ASSERT_TRUE(back) << back.GetError().message;
    EXPECT_EQ(back.Value(), binary);
    const Result<Document> fromBinary = Parse(Compress(binary));
    ASSERT_TRUE(fromBinary) << fromBinary.GetError().message;
    EXPECT_EQ(fromBinary.Value().objects, plain.objects);
}

// Where each block of a well-formed compressed file starts.
std::vector<std::size_t> BlockOffsets(const std::string& file)
{
    std::vector<std::size_t> offsets;
    for (std::size_t at = 20; at < file.size();
         at += 4 + static_cast<unsigned char>(file[at + 2]) + 256u * static_cast<unsigned char>(file[at + 3])) {
        offsets.push_back(at);
    }
    return offsets;
}

std::string Changed(std::string bytes, std::size_t at, std::string_view replacement)
{
    return bytes.replace(at, replacement.size(), replacement);
}

TEST(Compressed, CorruptFilesAreRefusedWhereTheyGoWrong)
{
    const std::string good = Compress(TexturedMeshFile(true), 1000);
    ASSERT_TRUE(Parse(good));
    const std::vector<std::size_t> blocks = BlockOffsets(good);
    ASSERT_GT(blocks.size(), 2u);
    const std::uint32_t total = static_cast<std::uint32_t>(TexturedMeshFile(true).size());

    ExpectRefused(good.substr(0, 18), ErrorCode::Truncated, 16);
    ExpectRefused(good.substr(0, 23), ErrorCode::Truncated, 20);
    ExpectRefused(good.substr(0, good.size() - 1), ErrorCode::Truncated, blocks.back() + 2);
    ExpectRefused(Changed(good, 24, "CJ"), ErrorCode::Syntax, 24);
    // Sizes that disagree: the total with the blocks, a block with its data.
    ExpectRefused(Changed(good, 16, Little(total + 1, 4)), ErrorCode::OutOfRange, 16);
    ExpectRefused(Changed(Changed(good, 16, Little(total - 1, 4)), 20, Little(999, 2)), ErrorCode::Syntax, 20);
    ExpectRefused(Changed(Changed(good, 16, Little(total + 1, 4)), 20, Little(1001, 2)), ErrorCode::Syntax, 20);
    ExpectRefused(Changed(good, 26, "\xFF"), ErrorCode::Syntax, 20);  // a reserved deflate block type
    ExpectRefused(Changed(good, 20, Little(32769, 2)), ErrorCode::OutOfRange, 20);
}

// A few bytes that declare gigabytes, or a block far beyond what deflate can
// yield from its bytes, are refused before anything is decompressed.
TEST(Compressed, BombsAreRefusedFromTheirSizes)
{
    const std::string small = Compress(TexturedMeshFile(false));
    ExpectRefused(Changed(small, 16, Little(0xFFFFFFF0u, 4)), ErrorCode::OutOfRange, 16);
    const std::string bomb = "xof 0303bzip0032" + Little(16 + 32768, 4) + Little(32768, 2) + Little(5, 2) + "CK" +
                             std::string("\x63\x60\x18", 3);
    ExpectRefused(bomb, ErrorCode::OutOfRange, 20);
}

}  // namespace
}  // namespace verdin::xof::test
