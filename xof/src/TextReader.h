#pragma once

#include <cstddef>
#include <string_view>

#include "xof/Document.h"
#include "xof/Result.h"

namespace verdin::xof {

class BinarySink;

// The document a text file starts from: its version and the standard
// templates. An error when the bytes do not start with a text header.
[[nodiscard]] Result<Document> StartTextDocument(std::string_view bytes);

// Read templates and data objects from `start` to the end of the text. The
// templates go into the document, which already holds those the text may use;
// the objects go into it as well, or to the sink. Throw ParseFailure.
void ReadTextBody(std::string_view text, std::size_t start, Document& document);
void ReadTextBody(std::string_view text, std::size_t start, Document& document, BinarySink& sink);

}  // namespace verdin::xof
