#include "convert/ConvertJob.h"

#include "base/NumberFormat.h"
#include "cob/CobEof.h"
#include "convert/JobSteps.h"
#include "convert/LastLineReport.h"
#include "convert/LookHints.h"

#include <new>

namespace verdin {

CConvertJob::CConvertJob(const ConvertParams& params)
    : m_strList(params.paths.begin(), params.paths.end()),
      m_pReport(params.report),
      m_endMessage(params.endMessage),
      m_fileStarted(params.fileStarted),
      m_pCancel(params.cancel),
      m_pOptions(params.options),
      m_nFormatHelpers(params.formatHelpers),
      m_strOutputFolder(params.outputFolder)
{
}

void CConvertJob::Log(std::string_view line)
{
    m_pReport->AppendLine(line);
}

namespace {

void AbandonFile(CConvertJob& job, std::string_view reason)
{
    job.Log(reason);
    job.m_pFile.reset();
    job.m_chunks.Clear();
}

}  // namespace

namespace {

bool ConvertSteps(CConvertJob& job, const TexturePassRunner& runTexturePass)
{
    job.Log(job.m_strPath + ":");
    try {
        if (IsDirectXFile(job.m_strPath))
            return WriteGltfOfX(job, runTexturePass) == 1;
        job.m_pFile = CobFile::Open(job.m_strPath);
        if (!job.m_pFile) {
            job.Log("Can't open " + job.m_strPath + " for read.");
            return false;
        }
        if (!ReadCobHeader(job)) {
            if (job.m_bTextForm)
                job.m_nHints |= kHintTextForm;  // the text form is all it refused
            job.m_pFile.reset();
            return false;
        }
        ReadCobChunks(job);
        job.m_pFile.reset();
        job.m_nHints |= LookHintsOf(job.m_chunks, *job.m_pOptions);
        const bool written = WriteOutputFile(job, runTexturePass) == 1;
        job.m_chunks.Clear();
        return written;
    } catch (const CobEofError&) {
        AbandonFile(job, "Unexcepted EOF.");
    } catch (const CobTextError& error) {
        AbandonFile(job, error.what());
    } catch (const std::bad_alloc&) {
        AbandonFile(job, "Not enough memory.");
    }
    return false;
}

}  // namespace

FileNote ConvertOneFile(CConvertJob& job, const TexturePassRunner& runTexturePass)
{
    ReportLog* const report = job.m_pReport;
    LastLineReport watched(*report);
    job.m_pReport = &watched;
    job.m_nHints = 0;
    job.m_bTextForm = false;
    FileNote note;
    note.converted = ConvertSteps(job, runTexturePass);
    job.m_pReport = report;
    note.stopped = !note.converted && job.Cancelled();
    if (!note.converted)
        note.reason = watched.LastLine();
    note.hints = job.m_nHints;
    return note;
}

JobOutcome RunConvertJob(CConvertJob& job)
{
    JobOutcome outcome;
    const auto files = static_cast<int>(job.m_strList.size());
    while (!job.m_strList.empty() && job.m_pCancel->load(std::memory_order_relaxed) != 1) {
        job.m_strPath = std::move(job.m_strList.front());
        job.m_strList.pop_front();
        ++outcome.files;
        if (job.m_fileStarted)
            job.m_fileStarted(outcome.files, files, job.m_strPath);
        FileNote note = ConvertOneFile(job);
        note.index = static_cast<std::size_t>(outcome.files - 1);
        outcome.converted += note.converted;
        if (note.Noteworthy())
            outcome.notes.push_back(std::move(note));
    }
    outcome.files += static_cast<int>(job.m_strList.size());

    outcome.aborted = job.Cancelled();
    job.Log(ClosingLine(outcome));
    return outcome;
}

std::string ClosingLine(const JobOutcome& outcome)
{
    if (outcome.aborted)
        return "aborted.";
    if (outcome.converted == 1)
        return "Converted 1 file.";
    return "Converted " + FormatInt(outcome.converted) + " files.";
}

unsigned ConvertThreadProc(ConvertParams* params)
{
    CConvertJob job(*params);
    params->event->Set();  // from here on the parameters may be gone

    const JobOutcome outcome = RunConvertJob(job);
    if (job.m_endMessage)
        job.m_endMessage(outcome);
    return 1;
}

}  // namespace verdin
