#include "xfile/XTextFile.h"

namespace verdin {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

bool XTextFile::Open(const std::string& path)
{
    m_file.reset(std::fopen(path.c_str(), "wb"));
    m_buffer.clear();
    m_buffer.reserve(kFlushSize);
    m_bFailed = false;
    return m_file != nullptr;
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

void XTextFile::Flush()
{
    if (!m_buffer.empty() && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file.get()) != m_buffer.size())
        m_bFailed = true;
    m_buffer.clear();
}

bool XTextFile::Close()
{
    Flush();
    if (std::fclose(m_file.release()) != 0)
        m_bFailed = true;
    return !m_bFailed;
}

}  // namespace verdin
