#include "xfile/TextOutput.h"

#include "base/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace verdin {

void TextOutput::Write(std::string_view text)
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

void TextOutput::Text(std::string_view text)
{
    Reserve(text.size());
    std::memcpy(m_cursor, text.data(), text.size());
    m_cursor += text.size();
}

void TextOutput::Int(long long value)
{
    Reserve(kMaxIntChars);
    m_cursor = WriteInt(m_cursor, value);
}

void TextOutput::Float(double value)
{
    if (!std::isfinite(value)) {
        value = 0;
        ++m_nNonFinite;
    }
    Reserve(kMaxFloatChars);
    m_cursor = WriteFloat(m_cursor, value);
}

void TextPiece::ReportLine(std::string_view line)
{
    m_reportLines += line;
    m_reportLines += "\r\n";
}

void TextPiece::Clear()
{
    m_cursor = m_buffer.get();
    m_nNonFinite = 0;
    m_reportLines.clear();
}

void TextPiece::MakeRoom(std::size_t size)
{
    const std::size_t used = Bytes().size();
    const std::size_t capacity = static_cast<std::size_t>(m_end - m_buffer.get());
    const std::size_t grown = std::max({std::size_t{4096}, 2 * capacity, used + size});
    auto buffer = std::make_unique_for_overwrite<char[]>(grown);
    if (used > 0)
        std::memcpy(buffer.get(), m_buffer.get(), used);
    m_buffer = std::move(buffer);
    m_cursor = m_buffer.get() + used;
    m_end = m_buffer.get() + grown;
}

}  // namespace verdin
