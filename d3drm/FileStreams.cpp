#include "d3drm/FileStreams.h"

#include "xof/Xof.h"

namespace verdin {

std::string FileTextSource::Form()
{
    char header[16];
    const std::size_t got = m_in.Read(header, sizeof header);
    (void)m_in.Rewind();
    return std::string(xof::HeaderForm(std::string_view(header, got)));
}

std::string FileTextSource::ReadWhole()
{
    std::string bytes(static_cast<std::size_t>(m_in.Size()), '\0');
    bytes.resize(m_in.Read(bytes.data(), bytes.size()));
    return bytes;
}

}  // namespace verdin
