#include "xof/src/StreamSink.h"

#include "xof/src/TemplateBlock.h"

namespace verdin::xof {

void StreamSink::WriteHead()
{
    if (!m_definitions) {
        m_definitions = TemplateDefinitions(m_document, m_options, m_used);
    }
    Bytes(kBinaryHeader);
    Bytes(*m_definitions);
    m_headWritten = true;
}

std::optional<std::string> StreamSink::EndText()
{
    if (!m_headWritten) {
        WriteHead();
    }
    Finish();
    std::string all = TemplateDefinitions(m_document, m_options, m_used);
    if (all == *m_definitions) {
        return std::nullopt;
    }
    return all;
}

}  // namespace verdin::xof
