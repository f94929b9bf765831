#include "convert/TextureTurns.h"

namespace verdin {

void TextureTurns::Wait(std::size_t file)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_nextTurn >= file; });
}

void TextureTurns::Pass(std::size_t file)
{
    {
        std::lock_guard lock(m_mutex);
        m_passed[file] = true;
        while (m_nextTurn < m_passed.size() && m_passed[m_nextTurn])
            ++m_nextTurn;
    }
    m_changed.notify_all();
}

}  // namespace verdin
