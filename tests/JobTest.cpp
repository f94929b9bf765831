#include "CobBodies.h"
#include "TestSupport.h"

#include "convert/JobStarter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <optional>
#include <set>
#include <thread>

namespace verdin::test {
namespace {

CobBuilder EmptyModel()
{
    return CobBuilder().Header().End();
}

CobBuilder ModelWithMeshes(int meshes)
{
    CobBuilder cob;
    cob.Header();
    for (int id = 1; id <= meshes; ++id)
        cob.Chunk("PolH", 0, 8, id, 0, PolHBody(NamedPolygon("mesh")));
    return cob.End();
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(Job, ClosingLineCountsConvertedFiles)
{
    TempDir dir;
    ASSERT_TRUE(EmptyModel().WriteTo(dir.Path("a.cob")));
    ASSERT_TRUE(EmptyModel().WriteTo(dir.Path("b.cob")));

    EXPECT_TRUE(RunJob({dir.Path("a.cob")}).report.ends_with("\r\n\r\nConverted 1 file.\r\n"));
    EXPECT_TRUE(RunJob({dir.Path("a.cob"), dir.Path("b.cob")}).report.ends_with("\r\nConverted 2 files.\r\n"));
    const JobRun failed = RunJob({dir.Path("missing.cob")});
    EXPECT_EQ(failed.report, dir.Path("missing.cob") + ":\r\nCan't open " + dir.Path("missing.cob") +
                                 " for read.\r\nConverted 0 files.\r\n");
    EXPECT_EQ(failed.outcome.converted, 0);
    EXPECT_EQ(RunJob({}).report, "Converted 0 files.\r\n");
}

TEST(Job, PathsAreTakenWholeAndInOrder)
{
    TempDir dir;
    // "*" and blanks are ordinary characters of a file name.
    const std::vector<std::string> paths = {dir.Path("b*.cob"), dir.Path("a b.cob"), dir.Path("a b.cob")};
    ASSERT_TRUE(EmptyModel().WriteTo(paths[0]));
    ASSERT_TRUE(EmptyModel().WriteTo(paths[1]));
    const JobRun run = RunJob(paths);
    const std::string expectedLines = paths[0] + ":\r\n reading file...\r\n\r\n" + paths[1] +
                                      ":\r\n reading file...\r\n\r\n" + paths[2] +
                                      ":\r\n reading file...\r\n\r\nConverted 3 files.\r\n";
    EXPECT_EQ(run.report, expectedLines);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("b*.x")));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("a b.x")));
}

TEST(Job, FoldersAndTruncatedFilesAreNotCountedAndDoNotSpillIntoTheNextFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path("folder.cob"));
    const std::string truncated = ModelWithMeshes(2).Data();
    ASSERT_TRUE(CobBuilder().Bytes(truncated.substr(0, truncated.size() - 25)).WriteTo(dir.Path("cut.cob")));
    ASSERT_TRUE(ModelWithMeshes(1).WriteTo(dir.Path("one.cob")));

    const JobRun run = RunJob({dir.Path("folder.cob"), dir.Path("cut.cob"), dir.Path("one.cob")});
    EXPECT_NE(run.report.find("Can't open " + dir.Path("folder.cob") + " for read.\r\n"), std::string::npos);
    EXPECT_NE(run.report.find(dir.Path("cut.cob") + ":\r\n reading file...\r\nUnexcepted EOF.\r\n" +
                              dir.Path("one.cob") + ":\r\n"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("cut.x")));
    EXPECT_EQ(Count(ReadFile(dir.Path("one.x")), "Mesh{"), 1u);
    EXPECT_EQ(Count(run.report, " writing "), 1u);
    EXPECT_TRUE(run.report.ends_with("Converted 1 file.\r\n"));
}

TEST(Job, EachFileStartIsToldWithItsPlace)
{
    TempDir dir;
    ASSERT_TRUE(EmptyModel().WriteTo(dir.Path("a.cob")));
    StringReport report;
    std::atomic<int> cancel{0};
    OptionFlags options;
    ConvertParams params{
        {dir.Path("a.cob"), dir.Path("missing.cob"), dir.Path("a.cob")}, &report, {}, nullptr, &cancel, &options};
    std::vector<std::string> told;
    params.fileStarted = [&](int position, int files, const std::string& path) {
        told.push_back(std::to_string(position) + "/" + std::to_string(files) + " " + path);
        if (position == 2)
            cancel = 1;  // the file that has started is still converted
    };
    CConvertJob job(params);
    RunConvertJob(job);
    EXPECT_EQ(told, std::vector<std::string>({"1/3 " + dir.Path("a.cob"), "2/3 " + dir.Path("missing.cob")}));
}

TEST(Job, CancelBeforeAFileStopsTheJob)
{
    TempDir dir;
    ASSERT_TRUE(EmptyModel().WriteTo(dir.Path("a.cob")));
    StringReport report;
    std::atomic<int> cancel{1};
    OptionFlags options;
    ConvertParams params{{dir.Path("a.cob")}, &report, {}, nullptr, &cancel, &options};
    CConvertJob job(params);
    const JobOutcome outcome = RunConvertJob(job);
    EXPECT_EQ(report.Text(), "aborted.\r\n");
    EXPECT_TRUE(outcome.aborted);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.x")));
}

// Records which thread wrote each text.
class ThreadReport : public StringReport {
public:
    void AppendText(std::string_view text) override
    {
        threads.insert(std::this_thread::get_id());
        StringReport::AppendText(text);
    }
    std::set<std::thread::id> threads;
};

TEST(Job, WorkerTakesOverTheParametersAndAnnouncesTheEnd)
{
    TempDir dir;
    ASSERT_TRUE(ModelWithMeshes(2).WriteTo(dir.Path("a.cob")));
    ThreadReport report;
    std::atomic<int> cancel{0};
    OptionFlags options;
    std::promise<JobOutcome> ended;
    std::optional<std::thread> worker;
    {
        ConvertParams params;
        params.paths = {dir.Path("a.cob"), dir.Path("missing.cob")};
        params.report = &report;
        params.cancel = &cancel;
        params.options = &options;
        params.endMessage = [&ended](const JobOutcome& outcome) { ended.set_value(outcome); };
        worker = StartConvertJob(params);
        params.paths.assign(1, "overwritten after the hand-over");
    }
    ASSERT_TRUE(worker.has_value());
    const JobOutcome outcome = ended.get_future().get();
    const std::thread::id workerId = worker->get_id();
    worker->join();

    EXPECT_EQ(outcome.converted, 1);
    EXPECT_EQ(outcome.files, 2);
    EXPECT_FALSE(outcome.aborted);
    EXPECT_EQ(report.threads, std::set<std::thread::id>{workerId});
    EXPECT_TRUE(report.Text().starts_with(dir.Path("a.cob") + ":\r\n"));
    EXPECT_TRUE(report.Text().ends_with("Converted 1 file.\r\n"));
}

}  // namespace
}  // namespace verdin::test
