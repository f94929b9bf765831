#pragma once

#include "base/FileReplacement.h"
#include "xfile/TextOutput.h"

#include <memory>
#include <string>

namespace verdin {

class FormatThreads;
class ReportLog;

// A buffered .x text output. The file replaces an earlier one of the same
// name only once it is complete.
class XTextFile final : public TextOutput {
public:
    // Report lines made along with the text go to `report`.
    explicit XTextFile(ReportLog& report);

    // False when the file cannot be written.
    [[nodiscard]] bool Open(const std::string& path);
    // Appends a piece made apart, with its count of non-finite numbers and
    // its report lines.
    void Append(const TextPiece& piece);
    void ReportLine(std::string_view line) override;

    // Threads that may format long lists of this file in slices; none when
    // null.
    void SetFormatThreads(FormatThreads* threads) { m_pThreads = threads; }
    FormatThreads* Threads() const { return m_pThreads; }

    // Puts the file in place; false, leaving any earlier file as it was, when
    // a byte could not be written.
    [[nodiscard]] bool Commit();
    // Drops what was written; an earlier file stays as it was.
    void Discard() { m_file.Discard(); }

private:
    void MakeRoom(std::size_t size) override;
    void Flush();

    ReportLog& m_report;
    FileReplacement m_file;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    FormatThreads* m_pThreads = nullptr;
};

}  // namespace verdin
