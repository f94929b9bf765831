#include "xfile/XTextFile.h"

#include "xfile/NumberFormat.h"

namespace verdin {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

bool XTextFile::Open(const std::string& path)
{
    m_buffer.clear();
    m_buffer.reserve(kFlushSize);
    return m_file.Open(path);
}

void XTextFile::Write(std::string_view text)
{
    for (;;) {
        const std::size_t lineEnd = text.find('\n');
        m_buffer.append(text.substr(0, lineEnd));
        if (lineEnd == std::string_view::npos)
            break;
        m_buffer += "\r\n";
        text.remove_prefix(lineEnd + 1);
    }
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void XTextFile::Int(long long value)
{
    AppendInt(m_buffer, value);
}

void XTextFile::Float(double value)
{
    AppendFloat(m_buffer, value);
}

void XTextFile::EndLine()
{
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void XTextFile::Flush()
{
    m_file.Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

bool XTextFile::Commit()
{
    Flush();
    return m_file.Commit();
}

}  // namespace verdin
