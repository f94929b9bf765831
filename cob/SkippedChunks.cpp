#include "cob/SkippedChunks.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"

namespace verdin {

namespace {

std::string Line(const std::string& tag)
{
    return " No support '" + tag + "' chunk.";
}

}  // namespace

void SkippedChunks::Passing(const std::string& tag)
{
    if (!m_summary)
        m_report.AppendLine(Line(tag));
}

void SkippedChunks::Passed(const std::string& tag, bool used)
{
    if (!m_summary || used)
        return;
    const auto [place, added] = m_places.try_emplace(tag, m_counts.size());
    if (added)
        m_counts.emplace_back(tag, 0);
    ++m_counts[place->second].second;
}

void SkippedChunks::Summarise()
{
    for (const auto& [tag, count] : m_counts)
        m_report.AppendLine(count == 1 ? Line(tag)
                                       : " No support '" + tag + "' chunk (" + FormatInt(count) + " chunks).");
}

}  // namespace verdin
