#include "xfile/XTextFile.h"

#include "base/NumberFormat.h"

#include <cmath>

namespace verdin {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

XTextFile::XTextFile()
    : m_buffer(std::make_unique_for_overwrite<char[]>(kBufferSize)),
      m_cursor(m_buffer.get()),
      m_end(m_buffer.get() + kBufferSize)
{
}

bool XTextFile::Open(const std::string& path)
{
    m_cursor = m_buffer.get();
    return m_file.Open(path);
}

void XTextFile::Write(std::string_view text)
{
    for (;;) {
        const std::size_t lineEnd = text.find('\n');
        Text(text.substr(0, lineEnd));
        if (lineEnd == std::string_view::npos)
            return;
        EndLine();
        text.remove_prefix(lineEnd + 1);
    }
}

void XTextFile::Text(std::string_view text)
{
    Reserve(text.size());
    if (text.size() > static_cast<std::size_t>(m_end - m_cursor)) {
        m_file.Write(text.data(), text.size());  // more than the buffer holds
        return;
    }
    std::memcpy(m_cursor, text.data(), text.size());
    m_cursor += text.size();
}

void XTextFile::Int(long long value)
{
    Reserve(kMaxIntChars);
    m_cursor = WriteInt(m_cursor, value);
}

void XTextFile::Float(double value)
{
    if (!std::isfinite(value)) {
        value = 0;
        ++m_nNonFinite;
    }
    Reserve(kMaxFloatChars);
    m_cursor = WriteFloat(m_cursor, value);
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
