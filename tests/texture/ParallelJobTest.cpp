#include "BmpBuilder.h"
#include "CobBodies.h"
#include "TestSupport.h"
#include "TextureTestSupport.h"

#include "convert/ParallelJob.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verdin::test {
namespace {

// A job's files in one folder: models sharing one texture, and others one of
// the same name from another folder (their copies take numbered names),
// files with the same output under other spellings, broken and missing files.
std::vector<std::string> MakeJob(const std::string& folder)
{
    std::filesystem::create_directories(folder + "/other");
    std::filesystem::create_directories(folder + "/out");
    WriteBytes(folder + "/wood.bmp", BmpBuilder(NumberedPicture(100, 60)).Bytes());
    WriteBytes(folder + "/other/wood.bmp", BmpBuilder(NumberedPicture(3, 5)).Bytes());
    PolygonSpec triangle = NamedPolygon("tri");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}, {1, 0}, {0, 1}};
    triangle.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    const auto textured = [&](const std::string& texture) {
        return CobBuilder()
            .Header()
            .Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle))
            .Chunk("Mat1", 0, 6, 2, 1, Mat1Body({0, 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, texture}}))
            .End();
    };
    const CobBuilder green = CobBuilder()
                                 .Header()
                                 .Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle))
                                 .Chunk("Mat1", 0, 6, 2, 1, Mat1Body({0, 'f', 30, {0, 1, 0}, 0, std::nullopt}))
                                 .End();
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i) {
        const std::string path = folder + "/model" + std::to_string(i) + (i % 7 == 3 ? ".scn" : ".cob");
        const CobBuilder model = textured(folder + (i % 3 == 2 ? "/other/wood.bmp" : "/wood.bmp"));
        if (i % 5 == 4)
            CobBuilder().Bytes(model.Data().substr(0, 100)).WriteTo(path);
        else if (i % 9 != 8)
            model.WriteTo(path);
        paths.push_back(path);
        if (i % 7 == 3)  // the output of the .scn beside it, under another spelling
            paths.push_back(folder + "/./model" + std::to_string(i) + ".cob"), green.WriteTo(paths.back());
    }
    return paths;
}

std::string Without(std::string text, const std::string& folder)
{
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
        text.erase(at, folder.size());
    return text;
}

TEST(ParallelJob, GivesTheSameFilesAndReportAsOneAfterTheOther)
{
    TempDir dir;
    const std::string one = dir.Path("one"), two = dir.Path("two");
    OptionFlags options;
    options.bPPM = 1;
    const JobRun sequential = RunJob(MakeJob(one), options, 0, one + "/out");

    StringReport report;
    std::atomic<int> cancel{0};
    ConvertParams params;
    params.paths = MakeJob(two);
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    params.outputFolder = two + "/out";
    const JobOutcome parallel = RunParallelJob(params, 4);

    EXPECT_EQ(Without(report.Text(), two), Without(sequential.report, one));
    EXPECT_EQ(parallel.converted, sequential.outcome.converted);
    EXPECT_EQ(parallel.files, sequential.outcome.files);
    ASSERT_EQ(FilesIn(two + "/out"), FilesIn(one + "/out"));
    for (const std::string& name : FilesIn(one + "/out"))
        EXPECT_EQ(ReadFile(two + "/out/" + name), ReadFile(one + "/out/" + name)) << name;
    // Each model's coordinates are scaled for its own texture's copy.
    EXPECT_NE(ReadFile(one + "/out/model0.x").find("0.781250;0.000000;"), std::string::npos);
    EXPECT_NE(ReadFile(one + "/out/model2.x").find("TextureFilename{\"wood-2.ppm\";}"), std::string::npos);
    EXPECT_NE(ReadFile(one + "/out/model2.x").find("0.750000;0.000000;"), std::string::npos);
    EXPECT_NE(ReadFile(two + "/out/model3.x").find("0.000000;1.000000;0.000000;1.0;;"), std::string::npos);
}

TEST(ParallelJob, CancelStopsTakingFiles)
{
    TempDir dir;
    StringReport report;
    std::atomic<int> cancel{1};
    OptionFlags options;
    ConvertParams params;
    params.paths = MakeJob(dir.Path("job"));
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    const JobOutcome outcome = RunParallelJob(params, 3);
    EXPECT_TRUE(outcome.aborted);
    EXPECT_EQ(outcome.converted, 0);
    EXPECT_EQ(report.Text(), "aborted.\r\n");
}

}  // namespace
}  // namespace verdin::test
