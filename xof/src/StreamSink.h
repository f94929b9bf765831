#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Stream.h"
#include "xof/Xof.h"
#include "xof/src/BinarySink.h"
#include "xof/src/TemplateBlock.h"

namespace verdin::xof {

// The binary sink of a text read as it goes. The header and the template
// definitions lead the output, so they are written as the first data object
// begins (or at the end of a text without one): the definitions given, or
// else those of the templates declared and used so far.
class StreamSink : public BinarySink {
public:
    StreamSink(BinaryOutput& output, std::size_t piece, const Document& document, BinaryOptions options,
               std::optional<std::string> definitions)
        : BinarySink(output, piece), m_document(document), m_options(options), m_definitions(std::move(definitions))
    {
    }

    void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>& guid)
    {
        // Looked up first: most objects are of a template already met.
        if (!m_used.contains(templateName)) {
            m_used.emplace(templateName);
        }
        if (!m_headWritten) {
            WriteHead();
        }
        BinarySink::BeginObject(templateName, name, guid);
    }

    // Hands over the rest. The definitions of all the templates the text
    // declared and used when they differ from those written, that is when
    // after its first object it declared some to be written or used some to
    // be declared.
    [[nodiscard]] std::optional<std::string> EndText();

private:
    void WriteHead();

    const Document& m_document;
    BinaryOptions m_options;
    std::optional<std::string> m_definitions;
    TemplateNames m_used;
    bool m_headWritten = false;
};

}  // namespace verdin::xof
