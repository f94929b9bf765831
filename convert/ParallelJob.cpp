#include "convert/ParallelJob.h"

#include "base/FileSystemPath.h"
#include "convert/TextureTurns.h"
#include "xfile/XFileWriter.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace verdin {

namespace {

class BufferReport : public ReportLog {
public:
    void AppendText(std::string_view text) override { m_text += text; }
    void ClearText() override { m_text.clear(); }
    std::string& Text() { return m_text; }

private:
    std::string m_text;
};

struct FileState {
    BufferReport report;
    bool started = false;
    bool finished = false;
    FileNote note;
    std::size_t sameOutputBefore = 0;  // 1 + index of the previous file with its output, or 0
};

// The output file itself, however the model's path spells it: "./a.cob" and
// "a.scn" both write a.x.
std::string OutputKey(const std::string& cobPath, const std::string& outputFolder)
{
    return FullPath(XFileNameFor(cobPath, outputFolder));
}

class ParallelJob {
public:
    explicit ParallelJob(const ConvertParams& params)
        : m_params(params), m_files(params.paths.size()), m_turns(m_files.size())
    {
        std::map<std::string, std::size_t> lastWithOutput;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            auto [previous, first] = lastWithOutput.try_emplace(OutputKey(params.paths[i], params.outputFolder), i);
            if (!first) {
                m_files[i].sameOutputBefore = previous->second + 1;
                previous->second = i;
            }
        }
    }

    JobOutcome Run(int threads)
    {
        std::vector<std::jthread> workers;
        const unsigned formatHelpers = m_params.formatHelpers / static_cast<unsigned>(threads);
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([this, formatHelpers] { Work(formatHelpers); });

        JobOutcome outcome;
        outcome.files = static_cast<int>(m_files.size());
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_files[i].finished || (m_bNoMoreFiles && !m_files[i].started); });
            if (!m_files[i].finished)
                break;  // cancelled before this file was taken
            m_params.report->AppendText(m_files[i].report.Text());
            FileNote& note = m_files[i].note;
            note.index = i;
            outcome.converted += note.converted;
            if (note.Noteworthy())
                outcome.notes.push_back(std::move(note));
        }
        workers.clear();

        outcome.aborted = m_params.cancel->load(std::memory_order_relaxed) != 0;
        m_params.report->AppendText(ClosingLine(outcome) + "\r\n");
        return outcome;
    }

private:
    // Takes files in list order; every wait is for an earlier file, which
    // some worker has already taken, so no wait lasts for ever.
    void Work(unsigned formatHelpers)
    {
        CConvertJob job(m_params);
        job.m_nFormatHelpers = formatHelpers;
        job.m_pTextureCopies = m_textureCopies;
        for (;;) {
            std::size_t i;
            {
                std::unique_lock lock(m_mutex);
                if (m_next == m_files.size() || m_params.cancel->load(std::memory_order_relaxed) == 1) {
                    m_bNoMoreFiles = true;
                    m_changed.notify_all();
                    return;
                }
                i = m_next++;
                m_files[i].started = true;
                const std::size_t before = m_files[i].sameOutputBefore;
                m_changed.wait(lock, [&] { return before == 0 || m_files[before - 1].finished; });
            }
            job.m_strPath = m_params.paths[i];
            job.m_pReport = &m_files[i].report;
            FileNote note = ConvertOneFile(job, [this, i](const std::function<void()>& texturePass) {
                m_turns.Wait(i);
                texturePass();
                m_turns.Pass(i);
            });
            m_turns.Pass(i);  // also when the file never reached its texture pass
            {
                std::lock_guard lock(m_mutex);
                m_files[i].note = std::move(note);
                m_files[i].finished = true;
            }
            m_changed.notify_all();
        }
    }

    const ConvertParams& m_params;
    std::vector<FileState> m_files;
    TextureTurns m_turns;
    std::shared_ptr<TextureCopies> m_textureCopies = std::make_shared<TextureCopies>();
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;
    bool m_bNoMoreFiles = false;
};

}  // namespace

JobOutcome RunParallelJob(const ConvertParams& params, int threads)
{
    ParallelJob job(params);
    return job.Run(threads);
}

}  // namespace verdin
