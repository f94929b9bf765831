#include "TestSupport.h"

#include "cob/CobEof.h"
#include "cob/CobReader.h"
#include "cob/CobTextReader.h"

#include <fstream>
#include <random>
#include <sstream>

namespace verdin::test {

TempDir::TempDir()
{
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("verdin-test-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

JobRun RunJob(const std::vector<std::string>& paths, OptionFlags& options, unsigned formatHelpers,
              const std::string& outputFolder)
{
    StringReport report;
    std::atomic<int> cancel{0};
    ConvertParams params;
    params.paths = paths;
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    params.formatHelpers = formatHelpers;
    params.outputFolder = outputFolder;
    CConvertJob job(params);
    JobRun run;
    run.outcome = RunConvertJob(job);
    run.report = report.Text();
    return run;
}

JobRun RunJob(const std::vector<std::string>& paths)
{
    OptionFlags options;
    return RunJob(paths, options);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WithCrLf(std::string_view text)
{
    std::string converted;
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

namespace {

ConvertParams JobParams(ReportLog& report, std::atomic<int>& cancel, OptionFlags& options)
{
    ConvertParams params;
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    return params;
}

}  // namespace

TestJob::TestJob() : m_job(JobParams(m_report, m_cancel, m_options)) {}

CobReading::CobReading(const std::string& bytes, const CobReaderOptions& options)
{
    CobFile file(std::vector<unsigned char>(bytes.begin(), bytes.end()));
    CobSignature signature;
    try {
        if (!ReadCobHeader(file, m_report, signature, options))
            return;
        if (signature.text)
            ReadCobTextChunks(file, m_report, m_chunks, options);
        else
            ReadCobChunks(file, m_report, m_chunks, options);
    } catch (const CobEofError&) {
        m_bTruncated = true;
    }
}

std::string SamplesDir()
{
    const std::filesystem::path samples = std::filesystem::path(VERDIN_SOURCE_DIR) / ".." / "shared" / "samples";
    return std::filesystem::is_directory(samples) ? samples.string() : std::string();
}

}  // namespace verdin::test
