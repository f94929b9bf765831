#pragma once

#include "cob/CobReader.h"
#include "convert/ConvertJob.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace verdin::test {

// The report log as one text, as a user would read it.
class StringReport : public ReportLog {
public:
    void AppendText(std::string_view text) override { m_text += text; }
    void ClearText() override { m_text.clear(); }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// A fresh folder for one test, removed with its contents afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// One job run to its end on the calling thread.
struct JobRun {
    std::string report;
    JobOutcome outcome;
};

// `formatHelpers`: threads besides the job's own that format long lists.
JobRun RunJob(const std::vector<std::string>& paths, OptionFlags& options,
              unsigned formatHelpers = std::thread::hardware_concurrency(), const std::string& outputFolder = {});
JobRun RunJob(const std::vector<std::string>& paths);

std::string ReadFile(const std::string& path);

// Text with every "\n" written as "\r\n", as the converter writes .x files.
std::string WithCrLf(std::string_view text);

// A job with its own report, cancel flag and options, for calling the
// converter's steps directly.
class TestJob {
public:
    TestJob();

    CConvertJob& Job() { return m_job; }
    const CConvertJob& Job() const { return m_job; }
    OptionFlags& Options() { return m_options; }
    const std::string& Report() const { return m_report.Text(); }

private:
    StringReport m_report;
    std::atomic<int> m_cancel{0};
    OptionFlags m_options;
    CConvertJob m_job;
};

// Reads the header and chunks of COB bytes as a job does, and keeps the chunks.
class CobReading {
public:
    // Binary files, and with `options.textForm` the text form too.
    explicit CobReading(const std::string& bytes, const CobReaderOptions& options = {});

    const std::string& Report() const { return m_report.Text(); }
    bool Truncated() const { return m_bTruncated; }

    // The chunks of one class, in file order.
    template <typename Chunk>
    std::vector<const Chunk*> Chunks() const
    {
        std::vector<const Chunk*> found;
        for (const auto& chunk : m_chunks)
            if (const auto* wanted = dynamic_cast<const Chunk*>(chunk.get()))
                found.push_back(wanted);
        return found;
    }
    std::size_t Count() const { return m_chunks.Count(); }

private:
    StringReport m_report;
    CChunkList m_chunks;
    bool m_bTruncated = false;
};

// The folder of real COB files shared with the project, or empty when absent.
std::string SamplesDir();

}  // namespace verdin::test
