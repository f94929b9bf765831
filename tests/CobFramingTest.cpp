#include "CobBodies.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verdin::test {
namespace {

class CobFraming : public ::testing::Test {
protected:
    // Converts one file built from `cob` and returns the report of that file
    // without its first line (the path) and the job's closing line.
    std::string Convert(const CobBuilder& cob)
    {
        const std::string path = dir.Path("model.cob");
        EXPECT_TRUE(cob.WriteTo(path));
        run = RunJob({path});
        const std::string& report = run.report;
        const std::size_t first = report.find("\r\n") + 2;
        const std::size_t closing = report.rfind("Converted ");
        return report.substr(first, closing - first);
    }

    bool Converted() const { return run.outcome.converted == 1; }
    bool OutputWritten() { return std::filesystem::exists(dir.Path("model.x")); }

    TempDir dir;
    JobRun run;
};

TEST_F(CobFraming, HeaderRefusalsNameWhatIsWrong)
{
    EXPECT_EQ(Convert(CobBuilder().Header("caligari ", "V00.01", 'B', "LH").End()), "Unknown file ID caligari .\r\n");
    EXPECT_EQ(Convert(CobBuilder().Header("Caligari ", "V00.02", 'B', "LH").End()),
              "No support file version V00.02.\r\n");
    EXPECT_EQ(Convert(CobBuilder().Header("Caligari ", "V00.01", 'A', "LH").End()), "No support ascii format.\r\n");
    EXPECT_EQ(Convert(CobBuilder().Header("Caligari ", "V00.01", 'B', "HL").End()), "No support big endian.\r\n");
    EXPECT_FALSE(Converted());
    EXPECT_FALSE(OutputWritten());
}

TEST_F(CobFraming, OtherStorageLettersAndByteOrdersAreAccepted)
{
    for (char storage : {'B', 'b', 'a', '\0', 'X'}) {
        EXPECT_EQ(Convert(CobBuilder().Header("Caligari ", "V00.01", storage, "LH").End()), " reading file...\r\n\r\n");
        EXPECT_TRUE(Converted());
    }
    for (const char* order : {"LH", "lh", "hl", "HH", "H\0"}) {
        EXPECT_EQ(Convert(CobBuilder().Header("Caligari ", "V00.01", 'B', std::string_view(order, 2)).End()),
                  " reading file...\r\n\r\n");
        EXPECT_TRUE(Converted());
    }
}

TEST_F(CobFraming, WrongIdentifierIsReportedEvenWhenNothingFollowsIt)
{
    EXPECT_EQ(Convert(CobBuilder().Bytes("Caligarix")), "Unknown file ID Caligarix.\r\n");
    EXPECT_EQ(Convert(CobBuilder().Bytes(std::string_view("Cal\0garix", 9))), "Unknown file ID Cal.\r\n");
}

TEST_F(CobFraming, FilesEndingAnywhereBeforeEndTagAreTruncated)
{
    const std::string whole = CobBuilder().Header().Chunk("Unit", 0, 1, 7, 0, CobBuilder().Int16(2)).End().Data();
    const std::size_t endTag = whole.size() - 20;
    for (std::size_t size = 0; size < endTag + 4; ++size) {
        const std::string report = Convert(CobBuilder().Bytes(whole.substr(0, size)));
        EXPECT_NE(report.find("Unexcepted EOF.\r\n"), std::string::npos) << size << ": " << report;
        EXPECT_FALSE(Converted()) << size;
        EXPECT_FALSE(OutputWritten()) << size;
    }
    // The tag alone ends the file: the rest of the END header is never needed.
    EXPECT_EQ(Convert(CobBuilder().Bytes(whole.substr(0, endTag + 4))),
              " reading file...\r\n No support 'Unit' chunk.\r\n\r\n");
    EXPECT_TRUE(Converted());
}

TEST_F(CobFraming, ShortFilesGiveNoHeaderMessage)
{
    EXPECT_EQ(Convert(CobBuilder().Bytes("Caligari")), "Unexcepted EOF.\r\n");
    EXPECT_EQ(Convert(CobBuilder().Bytes("")), "Unexcepted EOF.\r\n");
    // The whole header passed its checks, then the file ends.
    EXPECT_EQ(Convert(CobBuilder().Header()), " reading file...\r\nUnexcepted EOF.\r\n");
}

TEST_F(CobFraming, BytesAfterEndTagAreNeverRead)
{
    EXPECT_EQ(Convert(CobBuilder().Header().End().Bytes("garbage that is not a chunk")), " reading file...\r\n\r\n");
    EXPECT_TRUE(Converted());
}

TEST_F(CobFraming, UnknownChunksAreSkippedByTheirLength)
{
    const std::string report = Convert(CobBuilder()
                                           .Header()
                                           .Chunk("PrTx", 0, 4, 1, 0, CobBuilder().Bytes("Mat1PolHEND "))
                                           .Chunk("Zero", 0, 1, 2, 0, CobBuilder())
                                           .Chunk("Unit", 0, 1, 3, 0, CobBuilder().Int16(2))
                                           .End());
    EXPECT_EQ(report, " reading file...\r\n No support 'PrTx' chunk.\r\n No support 'Zero' chunk.\r\n"
                      " No support 'Unit' chunk.\r\n\r\n");
    EXPECT_TRUE(Converted());
}

TEST_F(CobFraming, TagsAreShownUpToTheirFirstZeroByte)
{
    const std::string report = Convert(CobBuilder()
                                           .Header()
                                           .Chunk(std::string_view("Ab\0d", 4), 0, 1, 1, 0, CobBuilder())
                                           .Chunk(std::string_view("\0\0\0\0", 4), 0, 1, 1, 0, CobBuilder())
                                           .Chunk("end ", 0, 1, 1, 0, CobBuilder())
                                           .End());
    EXPECT_EQ(report, " reading file...\r\n No support 'Ab' chunk.\r\n No support '' chunk.\r\n"
                      " No support 'end ' chunk.\r\n\r\n");
}

TEST_F(CobFraming, LengthPastTheEndSkipsThenFailsAtTheNextTag)
{
    const std::string report =
        Convert(CobBuilder().Header().ChunkWithLength("Unit", 0, 1, 1, 0, 0x7FFFFFFF, CobBuilder().Bytes("ab")));
    EXPECT_EQ(report, " reading file...\r\n No support 'Unit' chunk.\r\nUnexcepted EOF.\r\n");
}

TEST_F(CobFraming, ChunkWithoutLengthIsScannedToTheNextKnownTag)
{
    // The known tag starts at an odd offset; "PrTx" and "END" in other cases are no tags to stop at.
    const std::string report = Convert(
        CobBuilder()
            .Header()
            .ChunkWithLength("BitM", 0, 1, 1, 0, -1, CobBuilder().Bytes(std::string_view("\0PrTxend EN\0D", 13)))
            .Chunk("Grou", 0, 1, 2, 0, PlacementBody("group"))
            .Chunk("Unit", 0, 1, 3, 0, CobBuilder())
            .ChunkWithLength("BitM", 0, 1, 4, 0, -1, CobBuilder().Bytes("x"))
            .End());
    EXPECT_EQ(report, " reading file...\r\n No support 'BitM' chunk.\r\n No support 'Unit' chunk.\r\n"
                      " No support 'BitM' chunk.\r\n\r\n");
    EXPECT_TRUE(Converted());
}

TEST_F(CobFraming, ChunkWithoutLengthAndNoTagAfterItIsTruncated)
{
    const std::string report =
        Convert(CobBuilder().Header().ChunkWithLength("BitM", 0, 1, 1, 0, -1, CobBuilder().Bytes("abcdefg")));
    EXPECT_EQ(report, " reading file...\r\n No support 'BitM' chunk.\r\nUnexpected EOF\r\nUnexcepted EOF.\r\n");
    EXPECT_FALSE(Converted());
}

TEST_F(CobFraming, LengthBelowMinusOneIsADamagedFile)
{
    const std::string report =
        Convert(CobBuilder().Header().ChunkWithLength("Unit", 0, 1, 1, 0, -2, CobBuilder()).End());
    EXPECT_EQ(report, " reading file...\r\n No support 'Unit' chunk.\r\nUnexcepted EOF.\r\n");
    EXPECT_EQ(Convert(CobBuilder().Header().ChunkWithLength("Grou", 0, 1, 1, 0, -100, CobBuilder()).End()),
              " reading file...\r\nUnexcepted EOF.\r\n");
}

}  // namespace
}  // namespace verdin::test
