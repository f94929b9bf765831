#include "xof/Xof.h"
#include "xof/src/Header.h"

namespace verdin::xof {

Result<Document> Parse(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    if (header && header->format == "bin ") {
        return ParseBinary(bytes);
    }
    // The text reader names what is wrong with any other header.
    return ParseText(bytes);
}

std::string_view HeaderForm(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    return header ? header->format : std::string_view();
}

}  // namespace verdin::xof
