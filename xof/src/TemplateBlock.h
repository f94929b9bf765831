#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xof/Document.h"
#include "xof/Xof.h"

namespace verdin::xof {

inline constexpr std::string_view kBinaryHeader = "xof 0302bin 0032";

// The templates the document declared that the options want written, in the
// order declared: all of them with BinaryOptions::Templates, else those a
// reader could not know otherwise.
[[nodiscard]] std::vector<const Template*> TemplatesToWrite(const Document& document, BinaryOptions options);

// The binary definitions of the templates the document declared that the
// options want written, in the order declared.
[[nodiscard]] std::string TemplateDefinitions(const Document& document, BinaryOptions options);

}  // namespace verdin::xof
