#include "xfile/XTextFile.h"

#include "base/ReportLog.h"

namespace verdin {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

XTextFile::XTextFile(ReportLog& report)
    : m_report(report), m_buffer(std::make_unique_for_overwrite<char[]>(kBufferSize)), m_capacity(kBufferSize)
{
    m_cursor = m_buffer.get();
    m_end = m_buffer.get() + m_capacity;
}

bool XTextFile::Open(const std::string& path)
{
    m_cursor = m_buffer.get();
    return m_file.Open(path);
}

void XTextFile::Append(const TextPiece& piece)
{
    const std::string_view bytes = piece.Bytes();
    if (bytes.size() > kBufferSize) {
        Flush();
        m_file.Write(bytes.data(), bytes.size());
    } else {
        Reserve(bytes.size());
        std::memcpy(m_cursor, bytes.data(), bytes.size());
        m_cursor += bytes.size();
    }
    m_nNonFinite += piece.NonFiniteCount();
    if (!piece.ReportLines().empty())
        m_report.AppendText(piece.ReportLines());
}

void XTextFile::ReportLine(std::string_view line)
{
    m_report.AppendLine(line);
}

void XTextFile::MakeRoom(std::size_t size)
{
    Flush();
    if (size > m_capacity) {
        // Text longer than the buffer: rare enough to grow it for.
        m_buffer = std::make_unique_for_overwrite<char[]>(size);
        m_capacity = size;
        m_cursor = m_buffer.get();
        m_end = m_buffer.get() + m_capacity;
    }
}

void XTextFile::Flush()
{
    m_file.Write(m_buffer.get(), static_cast<std::size_t>(m_cursor - m_buffer.get()));
    m_cursor = m_buffer.get();
}

bool XTextFile::Commit()
{
    Flush();
    return m_file.Commit();
}

}  // namespace verdin
