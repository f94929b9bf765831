#include "xof/Visitor.h"
#include "xof/Xof.h"
#include "xof/src/Header.h"

namespace verdin::xof {

namespace {

bool IsCompressed(const std::optional<FileHeader>& header)
{
    return header && (header->format == "tzip" || header->format == "bzip");
}

}  // namespace

Result<Document> Parse(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    if (IsCompressed(header)) {
        const Result<std::string> plain = Decompress(bytes);
        if (!plain) {
            return plain.GetError();
        }
        return Parse(plain.Value());
    }
    if (header && header->format == "bin ") {
        return ParseBinary(bytes);
    }
    // The text reader names what is wrong with any other header.
    return ParseText(bytes);
}

std::optional<Error> Visit(std::string_view bytes, ObjectVisitor& visitor)
{
    const auto header = ReadFileHeader(bytes);
    if (IsCompressed(header)) {
        const Result<std::string> plain = Decompress(bytes);
        if (!plain) {
            return plain.GetError();
        }
        return Visit(plain.Value(), visitor);
    }
    if (header && header->format == "bin ") {
        return VisitBinary(bytes, visitor);
    }
    MemoryTextSource text(bytes);
    return VisitText(text, visitor);
}

std::string_view HeaderForm(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    return header ? header->format : std::string_view();
}

}  // namespace verdin::xof
