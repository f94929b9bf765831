#include "TextureTestSupport.h"

#include "convert/JobSteps.h"
#include "texture/BitmapExpander.h"

#include <gtest/gtest.h>

namespace verdin::test {
namespace {

// Scale factors no expansion gives, to see whether they were set.
constexpr TextureScale kUnset{0.5f, 0.25f};

class Expander : public ::testing::Test {
protected:
    int Expand(const std::string& bytes)
    {
        EXPECT_TRUE(WriteBytes(m_bmp, bytes));
        return BitmapExpander(m_job.Job(), m_bmp, m_scale);
    }
    DecodedBmp Written() const { return DecodeBmp(ReadFile(m_bmp)); }

    // Expects the file and the scale factors as they were, and nothing but
    // the bitmap in the folder.
    void ExpectUntouched(const std::string& bytes) const
    {
        EXPECT_EQ(ReadFile(m_bmp), bytes);
        EXPECT_EQ(m_scale.u, kUnset.u);
        EXPECT_EQ(m_scale.v, kUnset.v);
        EXPECT_EQ(FilesIn(m_dir.Path("")), std::vector<std::string>{"wood.bmp"});
    }

    TempDir m_dir;
    TestJob m_job;
    TextureScale m_scale = kUnset;
    std::string m_bmp = m_dir.Path("wood.bmp");
};

TEST(PowerOfTwoAtLeast, IsTheSmallestPowerNotBelowTheSide)
{
    EXPECT_EQ(PowerOfTwoAtLeast(0), 1u);
    EXPECT_EQ(PowerOfTwoAtLeast(1), 1u);
    EXPECT_EQ(PowerOfTwoAtLeast(3), 4u);
    EXPECT_EQ(PowerOfTwoAtLeast(64), 64u);
    EXPECT_EQ(PowerOfTwoAtLeast(65), 128u);
    EXPECT_EQ(PowerOfTwoAtLeast(0x80000001u), 0x100000000u);
}

TEST_F(Expander, PowerOfTwoSidesAreLeftByteForByte)
{
    for (int side : {64, 1, 2}) {
        const std::string bytes = BmpBuilder(NumberedPicture(side, side)).Bytes();
        m_scale = kUnset;
        ASSERT_EQ(Expand(bytes), 1);
        EXPECT_EQ(ReadFile(m_bmp), bytes) << side;
        EXPECT_EQ(m_scale.u, 1.0f);
        EXPECT_EQ(m_scale.v, 1.0f);
    }
    EXPECT_EQ(m_job.Report(), "");
}
TEST_F(Expander, ThreeByFiveBecomesFourByEightByRepeatingThePicture)
{
    const Picture source = NumberedPicture(3, 5);
    ASSERT_EQ(Expand(BmpBuilder(source).ColoursUsed(16).Bytes()), 1);
    const DecodedBmp bmp = Written();
    EXPECT_EQ(bmp.width, 4);
    EXPECT_EQ(bmp.height, 8);
    EXPECT_EQ(bmp.sizeImage, 32u);
    EXPECT_EQ(bmp.clrUsed, 16u);
    Picture expected;
    for (int row = 0; row < 8; ++row) {
        const auto& from = source[static_cast<std::size_t>(row % 5)];
        expected.push_back({from[0], from[1], from[2], from[0]});
    }
    EXPECT_EQ(bmp.picture, expected);
    EXPECT_EQ(m_scale.u, 0.75f);
    EXPECT_EQ(m_scale.v, 0.625f);
    EXPECT_EQ(m_job.Report(), "");
}

TEST_F(Expander, OnlyTheSidesAndSizesOfTheHeadersChange)
{
    const std::string before = BmpBuilder(NumberedPicture(3, 5)).ColoursUsed(16).Bytes();
    ASSERT_EQ(Expand(before), 1);
    std::string expected = before.substr(0, kPaletteStart + 64);
    PutUint32(expected, kBfSize, kPaletteStart + 64 + 32);
    PutUint32(expected, kBiWidth, 4);
    PutUint32(expected, kBiHeight, 8);
    PutUint32(expected, kBiSizeImage, 32);
    const std::string after = ReadFile(m_bmp);
    EXPECT_EQ(after.size(), kPaletteStart + 64 + 32);
    EXPECT_TRUE(after.starts_with(expected));
}

// Written plain, with the header saying so: a reader would take the tiles for
// runs otherwise.
TEST_F(Expander, ARunLengthEncodedBitmapIsDecodedFirst)
{
    const Picture source = {{7, 7, 7, 7, 7}, {1, 2, 3, 4, 4}, {9, 8, 7, 6, 5}};
    ASSERT_EQ(Expand(BmpBuilder(source).ColoursUsed(16).RunLengthEncoded().Bytes()), 1);
    const std::string written = ReadFile(m_bmp);
    EXPECT_EQ(GetUint32(written, kBiCompression), 0u);
    EXPECT_EQ(GetUint32(written, kBfSize), written.size());
    const DecodedBmp bmp = Written();
    ASSERT_EQ(bmp.picture.size(), 4u);
    EXPECT_EQ(bmp.picture[1], (std::vector<std::uint8_t>{1, 2, 3, 4, 4, 1, 2, 3}));
    EXPECT_EQ(bmp.picture[3], (std::vector<std::uint8_t>{7, 7, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(m_scale.u, 0.625f);
}

TEST_F(Expander, TwoByThreeBecomesTwoByFourWithRowsFilledFromTheTiles)
{
    ASSERT_EQ(Expand(BmpBuilder(Picture{{1, 2}, {3, 4}, {5, 6}}).Bytes()), 1);
    const DecodedBmp bmp = Written();
    EXPECT_EQ(bmp.width, 2);
    EXPECT_EQ(bmp.height, 4);
    EXPECT_EQ(bmp.sizeImage, 16u);  // rows of 4 bytes
    // Bottom-up: the stored rows are the picture's rows 0, 2, 1, 0 from the
    // bottom of the new picture; bytes 2 and 3 repeat columns 0 and 1.
    const std::vector<std::string> rows = {"\1\2\1\2", "\5\6\5\6", "\3\4\3\4", "\1\2\1\2"};
    EXPECT_EQ(bmp.storedRows, rows);
    EXPECT_EQ(m_scale.u, 1.0f);
    EXPECT_EQ(m_scale.v, 0.75f);
}

TEST_F(Expander, HundredBySixtyBecomesHundredTwentyEightBySixtyFour)
{
    ASSERT_EQ(Expand(BmpBuilder(NumberedPicture(100, 60)).Bytes()), 1);
    const DecodedBmp bmp = Written();
    EXPECT_EQ(bmp.width, 128);
    EXPECT_EQ(bmp.height, 64);
    EXPECT_EQ(m_scale.u, 0.78125f);
    EXPECT_EQ(m_scale.v, 0.9375f);
}

TEST_F(Expander, NoColoursUsedIsWrittenBackAsTwoHundredFiftySix)
{
    ASSERT_EQ(Expand(BmpBuilder(NumberedPicture(3, 3)).ColoursUsed(0).Bytes()), 1);
    EXPECT_EQ(Written().clrUsed, 256u);
}

TEST_F(Expander, ATopDownBitmapIsWrittenBottomUpShowingTheSamePicture)
{
    const Picture source = NumberedPicture(3, 5);
    ASSERT_EQ(Expand(BmpBuilder(source).Bytes()), 1);
    const Picture fromBottomUp = Written().picture;

    ASSERT_EQ(Expand(BmpBuilder(source).TopDown().Bytes()), 1);
    const DecodedBmp bmp = Written();
    EXPECT_EQ(bmp.height, 8);
    EXPECT_EQ(bmp.picture, fromBottomUp);
    EXPECT_EQ(m_scale.u, 0.75f);
    EXPECT_EQ(m_scale.v, 0.625f);
}

TEST_F(Expander, ATopDownBitmapWithPowerOfTwoSidesIsLeftAsItIs)
{
    const std::string bytes = BmpBuilder(NumberedPicture(4, 2)).TopDown().Bytes();
    ASSERT_EQ(Expand(bytes), 1);
    EXPECT_EQ(ReadFile(m_bmp), bytes);
    EXPECT_EQ(m_scale.v, 1.0f);
}

TEST_F(Expander, OtherBitCountsAreRefusedAndTheFileKept)
{
    std::string bytes = BmpBuilder(NumberedPicture(3, 5)).Bytes();
    PutUint16(bytes, kBiBitCount, 24);
    EXPECT_EQ(Expand(bytes), 0);
    EXPECT_EQ(m_job.Report(), "Bmp must be 8bit/pixel at BitmapExpander.\r\n");
    ExpectUntouched(bytes);
}

TEST_F(Expander, AMissingFileIsReportedWithItsFullPath)
{
    EXPECT_EQ(BitmapExpander(m_job.Job(), m_bmp, m_scale), 0);
    EXPECT_EQ(m_job.Report(), "Can't open " + m_bmp + " at BitmapExpander.\r\n");
    EXPECT_EQ(m_scale.u, kUnset.u);
    EXPECT_TRUE(FilesIn(m_dir.Path("")).empty());
}

class BrokenBitmapExpander : public ::testing::TestWithParam<BrokenBitmap> {};

TEST_P(BrokenBitmapExpander, IsReportedAndLeftAlone)
{
    TempDir dir;
    TestJob job;
    TextureScale scale = kUnset;
    ASSERT_TRUE(WriteBytes(dir.Path("wood.bmp"), GetParam().bytes));
    EXPECT_EQ(BitmapExpander(job.Job(), dir.Path("wood.bmp"), scale), 0);
    EXPECT_EQ(job.Report(), "'wood.bmp':Bmp is broken at BitmapExpander.\r\n");
    EXPECT_EQ(ReadFile(dir.Path("wood.bmp")), GetParam().bytes);
    EXPECT_EQ(FilesIn(dir.Path("")), std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(scale.u, kUnset.u);
    EXPECT_EQ(scale.v, kUnset.v);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, BrokenBitmapExpander, ::testing::ValuesIn(BrokenBitmaps()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace verdin::test
