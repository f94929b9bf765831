#include "TextureTestSupport.h"

#include "convert/JobSteps.h"
#include "texture/BmpToPpmConverter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verdin::test {
namespace {

class BmpToPpm : public ::testing::Test {
protected:
    // Writes the bitmap as wood.bmp, converts it and checks that it is unchanged.
    int Convert(const BmpBuilder& bitmap)
    {
        EXPECT_TRUE(WriteBytes(m_bmp, bitmap.Bytes()));
        const int result = BmpToPpmConverter(m_job.Job(), m_bmp);
        EXPECT_EQ(ReadFile(m_bmp), bitmap.Bytes()) << "the bitmap is only read";
        return result;
    }

    std::string Ppm() const { return ReadFile(m_dir.Path("wood.ppm")); }

    TempDir m_dir;
    TestJob m_job;
    std::string m_bmp = m_dir.Path("wood.bmp");
};

TEST_F(BmpToPpm, RowPaddingIsSkipped)
{
    const Picture picture = NumberedPicture(5, 3);
    ASSERT_EQ(Convert(BmpBuilder(picture)), 1);
    const std::string header = "P6\n5 3\n255\n";
    const std::string ppm = Ppm();
    EXPECT_EQ(ppm.substr(0, header.size()), header);
    EXPECT_EQ(ppm.size(), header.size() + 5 * 3 * 3);
    const auto read = ParsePpm(ppm);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, ColoursOf(picture));
    EXPECT_EQ(m_job.Report(), "");
}

TEST_F(BmpToPpm, TopDownRowsAreWrittenInStoredOrderWithAPositiveHeight)
{
    const Picture picture = NumberedPicture(5, 3);
    ASSERT_EQ(Convert(BmpBuilder(picture)), 1);
    const std::string bottomUp = Ppm();
    ASSERT_EQ(Convert(BmpBuilder(picture).TopDown()), 1);
    EXPECT_EQ(Ppm(), bottomUp);
    EXPECT_TRUE(Ppm().starts_with("P6\n5 3\n255\n"));
}

TEST_F(BmpToPpm, NoColoursUsedMeansAllTwoHundredFiftySix)
{
    const Picture picture = {{0, 17, 200, 255}};
    ASSERT_EQ(Convert(BmpBuilder(picture).ColoursUsed(0)), 1);
    const auto read = ParsePpm(Ppm());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, ColoursOf(picture));
}

TEST_F(BmpToPpm, SixteenColoursPutThePixelsSixtyFourBytesAfterTheInfoHeader)
{
    const Picture picture = {{15, 0, 9}, {3, 4, 5}};
    const BmpBuilder bitmap = BmpBuilder(picture).ColoursUsed(16);
    ASSERT_EQ(bitmap.Bytes().size(), 54u + 64u + 2 * 4);
    ASSERT_EQ(Convert(bitmap), 1);
    const auto read = ParsePpm(Ppm());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, ColoursOf(picture));
}

TEST_F(BmpToPpm, IndexesPastThePaletteAreBlack)
{
    ASSERT_EQ(Convert(BmpBuilder(Picture{{1, 16}}).ColoursUsed(16)), 1);
    const auto read = ParsePpm(Ppm());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, (std::vector<Colour>{PaletteColour(1), Colour{}}));
}

TEST_F(BmpToPpm, PaddingMissingAfterTheLastRowIsNotNeeded)
{
    const std::string bytes = BmpBuilder(NumberedPicture(5, 3)).Bytes();
    ASSERT_TRUE(WriteBytes(m_bmp, bytes.substr(0, bytes.size() - 3)));
    EXPECT_EQ(BmpToPpmConverter(m_job.Job(), m_bmp), 1);
    EXPECT_EQ(m_job.Report(), "");
}

TEST_F(BmpToPpm, ALongerInfoHeaderIsFollowedByThePalette)
{
    const Picture picture = NumberedPicture(3, 2);
    ASSERT_EQ(Convert(BmpBuilder(picture).ColoursUsed(32).InfoSize(124)), 1);
    const auto read = ParsePpm(Ppm());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixels, ColoursOf(picture));
}

TEST_F(BmpToPpm, AnExistingPpmIsOverwritten)
{
    ASSERT_TRUE(WriteBytes(m_dir.Path("wood.ppm"), std::string(1000, 'x')));
    ASSERT_EQ(Convert(BmpBuilder(Picture{{1}})), 1);
    const Colour colour = PaletteColour(1);
    const std::string pixel = {static_cast<char>(colour.red), static_cast<char>(colour.green),
                               static_cast<char>(colour.blue)};
    EXPECT_EQ(Ppm(), "P6\n1 1\n255\n" + pixel);
}

TEST_F(BmpToPpm, TheExtensionIsReplacedOrAdded)
{
    EXPECT_EQ(PpmNameFor("D:\\tex\\wood.bmp"), "D:\\tex\\wood.ppm");
    EXPECT_EQ(PpmNameFor("/tex/WOOD.BMP"), "/tex/WOOD.ppm");
    EXPECT_EQ(PpmNameFor("/tex.d/wood"), "/tex.d/wood.ppm");
    EXPECT_EQ(PpmNameFor("/tex/.bmp"), "/tex/.bmp.ppm");
}

TEST_F(BmpToPpm, OtherBitCountsAreRefusedByFileName)
{
    std::string bytes = BmpBuilder(NumberedPicture(4, 4)).Bytes();
    PutUint16(bytes, kBiBitCount, 24);
    ASSERT_TRUE(WriteBytes(m_bmp, bytes));
    EXPECT_EQ(BmpToPpmConverter(m_job.Job(), m_bmp), 0);
    EXPECT_EQ(m_job.Report(), "'wood.bmp':Bmp must be 8bits/pixel at BmpToPpmConverter.\r\n");
    EXPECT_EQ(FilesIn(m_dir.Path("")), std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(ReadFile(m_bmp), bytes);
}

TEST_F(BmpToPpm, AMissingFileIsReportedWithItsFullPath)
{
    EXPECT_EQ(BmpToPpmConverter(m_job.Job(), m_bmp), 0);
    EXPECT_EQ(m_job.Report(), "Can't open " + m_bmp + " for read at BmpToPpmConverter.\r\n");
    EXPECT_TRUE(FilesIn(m_dir.Path("")).empty());
}

TEST_F(BmpToPpm, AFolderCannotBeOpenedAsABitmap)
{
    std::filesystem::create_directory(m_bmp);
    EXPECT_EQ(BmpToPpmConverter(m_job.Job(), m_bmp), 0);
    EXPECT_EQ(m_job.Report(), "Can't open " + m_bmp + " for read at BmpToPpmConverter.\r\n");
}

TEST_F(BmpToPpm, APpmThatCannotBeWrittenIsReported)
{
    std::filesystem::create_directory(m_dir.Path("wood.ppm"));
    EXPECT_EQ(Convert(BmpBuilder(Picture{{1, 2}})), 0);
    EXPECT_EQ(m_job.Report(), "Can't write " + m_dir.Path("wood.ppm") + " at BmpToPpmConverter.\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path("wood.ppm")));
    EXPECT_EQ(FilesIn(m_dir.Path("")), (std::vector<std::string>{"wood.bmp", "wood.ppm"}));
}

TEST_F(BmpToPpm, NetpbmReadsTheWrittenFile)
{
    const Picture picture = NumberedPicture(5, 3);
    ASSERT_EQ(Convert(BmpBuilder(picture).TopDown()), 1);
    TempDir scratch;
    const std::string ppm = ShellQuoted(m_dir.Path("wood.ppm"));
    const auto described = RunNetpbm("pamfile", ppm, scratch);
    if (!described)
        GTEST_SKIP() << "pamfile is not installed: the PPM file is not checked by Netpbm";
    EXPECT_FALSE(described->failed);
    EXPECT_NE(described->output.find("PPM raw, 5 by 3"), std::string::npos) << described->output;
    // ppmtoppm reads every pixel and writes the same raw PPM back.
    const auto copied = RunNetpbm("ppmtoppm", "< " + ppm, scratch);
    ASSERT_TRUE(copied) << "ppmtoppm belongs to Netpbm as pamfile does";
    EXPECT_FALSE(copied->failed);
    EXPECT_EQ(copied->output, Ppm());
}

class BrokenBmpToPpm : public ::testing::TestWithParam<BrokenBitmap> {};

TEST_P(BrokenBmpToPpm, IsReportedAndLeftAlone)
{
    TempDir dir;
    TestJob job;
    ASSERT_TRUE(WriteBytes(dir.Path("wood.bmp"), GetParam().bytes));
    EXPECT_EQ(BmpToPpmConverter(job.Job(), dir.Path("wood.bmp")), 0);
    EXPECT_EQ(job.Report(), "'wood.bmp':Bmp is broken at BmpToPpmConverter.\r\n");
    EXPECT_EQ(FilesIn(dir.Path("")), std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(ReadFile(dir.Path("wood.bmp")), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, BrokenBmpToPpm, ::testing::ValuesIn(BrokenBitmaps()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace verdin::test
