#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Result.h"
#include "xof/Stream.h"
#include "xof/Xof.h"

namespace verdin::xof {

// Receives the data objects of a file as it is read, in file order, without
// a document model: each object's values come depth first, as its template's
// members list them, then its children, then its end.
class ObjectVisitor {
public:
    virtual ~ObjectVisitor() = default;
    virtual void BeginObject(std::string_view templateName, std::string_view name) = 0;
    virtual void Integer(std::uint32_t value) = 0;
    virtual void Real(double value) = 0;
    virtual void Text(std::string text) = 0;
    virtual void Reference(std::string_view name) = 0;
    virtual void EndObject() = 0;
};

// Reads a text file through a window of `window` bytes. Empty on success;
// the visitor may have been given part of the objects before an error.
[[nodiscard]] std::optional<Error> VisitText(TextSource& text, ObjectVisitor& visitor,
                                             std::size_t window = kDefaultWindow);

// Reads a binary file held in memory.
[[nodiscard]] std::optional<Error> VisitBinary(std::string_view bytes, ObjectVisitor& visitor);

// Reads a file held in memory in whichever form its header names: text,
// binary or compressed (decompressed in memory first).
[[nodiscard]] std::optional<Error> Visit(std::string_view bytes, ObjectVisitor& visitor);

}  // namespace verdin::xof
