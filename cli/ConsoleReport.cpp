#include "cli/ConsoleReport.h"

#include <cerrno>
#include <string>

namespace verdin {

void ConsoleReport::AppendText(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size() + 1);
    for (char c : text) {
        if (m_bPendingReturn && c != '\n')
            converted += '\r';
        m_bPendingReturn = c == '\r';
        if (!m_bPendingReturn)
            converted += c;
    }
    errno = 0;
    const bool written = std::fwrite(converted.data(), 1, converted.size(), m_out) == converted.size() &&
                         (converted.find('\n') == std::string::npos || std::fflush(m_out) == 0);
    if (!written && errno == EPIPE)
        m_stop.store(1);
}

}  // namespace verdin
