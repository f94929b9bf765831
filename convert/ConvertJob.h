#pragma once

#include "base/OptionFlags.h"
#include "base/ReportLog.h"
#include "cob/Chunk.h"
#include "cob/CobFile.h"
#include "convert/FileNote.h"
#include "convert/HandOverEvent.h"
#include "texture/TextureCopies.h"
#include "xfile/XFileWriter.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace verdin {

// How a job ended, handed to whoever waits for the end of the job.
struct JobOutcome {
    int converted = 0;
    int files = 0;
    bool aborted = false;
    // The files that failed or may not look right, in list order.
    std::vector<FileNote> notes;
};

using JobEndMessage = std::function<void(const JobOutcome&)>;
// Told on the worker thread as each file starts: its place in the job (from
// 1), the number of files, and its path.
using FileStartMessage = std::function<void(int position, int files, const std::string& path)>;

// What the starter hands to the worker thread. It may live on the starter's
// stack: the worker copies what it needs before it sets the event.
struct ConvertParams {
    std::vector<std::string> paths;
    ReportLog* report = nullptr;
    JobEndMessage endMessage;
    HandOverEvent* event = nullptr;
    std::atomic<int>* cancel = nullptr;
    OptionFlags* options = nullptr;
    // Threads besides the job's own that format the long lists of a large
    // mesh; files side by side share them.
    unsigned formatHelpers = std::thread::hardware_concurrency();
    // Where every file written goes; empty: beside each COB file.
    std::string outputFolder = {};
    FileStartMessage fileStarted = {};  // none: not told
};

// The worker's state for one job.
class CConvertJob {
public:
    explicit CConvertJob(const ConvertParams& params);

    // Appends text followed by the line end.
    void Log(std::string_view line);
    bool Cancelled() const { return m_pCancel->load(std::memory_order_relaxed) != 0; }

    std::deque<std::string> m_strList;
    std::string m_strPath;
    ReportLog* m_pReport;
    char m_szFileId[10] = {};
    char m_szVersion[7] = {};
    bool m_bTextForm = false;  // the open file is in the text form
    unsigned m_nHints = 0;     // the LookHint bits of the current file
    std::unique_ptr<CobFile> m_pFile;
    CChunkList m_chunks;
    JobEndMessage m_endMessage;
    FileStartMessage m_fileStarted;
    std::atomic<int>* m_pCancel;
    OptionFlags* m_pOptions;
    unsigned m_nFormatHelpers;
    std::string m_strOutputFolder;
    // The job's texture copies; files converted side by side share one.
    std::shared_ptr<TextureCopies> m_pTextureCopies = std::make_shared<TextureCopies>();
};

// Converts one file, m_strPath: whether it counts as converted, why not, and
// its hints; the caller sets its index. The texture pass runs through
// `runTexturePass` when one is given.
FileNote ConvertOneFile(CConvertJob& job, const TexturePassRunner& runTexturePass = {});

// Converts every file of the job and logs the closing line.
JobOutcome RunConvertJob(CConvertJob& job);

// The job's last report line, without its line end.
std::string ClosingLine(const JobOutcome& outcome);

// The worker thread's body: takes over the parameters, sets their event, runs
// the job and finally sends the end message. Returns 1.
unsigned ConvertThreadProc(ConvertParams* params);

}  // namespace verdin
