#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace verdin {

class ReportLog;

// The " No support 'TAG' chunk." lines of one file: one for each chunk passed
// over, as it comes; or in a summary, one for each tag once reading ends, in
// the order the tags came, with their count, and none for a chunk that was
// used after all (the shaders of a material).
class SkippedChunks {
public:
    SkippedChunks(ReportLog& report, bool summary) : m_report(report), m_summary(summary) {}

    // Before a chunk's body is read.
    void Passing(const std::string& tag);
    // After it was read; `used` when its contents were kept.
    void Passed(const std::string& tag, bool used);
    // Runs `read`, then writes the summary's lines, however reading ends.
    template <typename Read>
    void Summarised(Read read)
    {
        try {
            read();
        } catch (...) {
            Summarise();
            throw;
        }
        Summarise();
    }

private:
    void Summarise();

    ReportLog& m_report;
    bool m_summary;
    std::vector<std::pair<std::string, long long>> m_counts;  // in the order the tags came
    std::unordered_map<std::string, std::size_t> m_places;
};

}  // namespace verdin
