#pragma once

#include "convert/ConvertJob.h"

#include <atomic>
#include <filesystem>
#include <string>
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

JobRun RunJob(const std::vector<std::string>& paths, OptionFlags& options);
JobRun RunJob(const std::vector<std::string>& paths);

std::string ReadFile(const std::string& path);

// The folder of real COB files shared with the project, or empty when absent.
std::string SamplesDir();

}  // namespace verdin::test
