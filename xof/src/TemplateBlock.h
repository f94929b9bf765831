#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "xof/Document.h"
#include "xof/Xof.h"

namespace verdin::xof {

inline constexpr std::string_view kBinaryHeader = "xof 0302bin 0032";

using TemplateNames = std::set<std::string, std::less<>>;

// The templates the objects and their children are of.
[[nodiscard]] TemplateNames UsedTemplates(const std::vector<DataObject>& objects);

// The templates the options want written, in the document's order, so each
// after those it uses. Without BinaryOptions::Templates, those the document
// declared that a reader could not know otherwise. With it, all it declared,
// and the built-in ones beyond the mesh templates that the `used` templates
// need without declaring them: themselves and their members' templates.
[[nodiscard]] std::vector<const Template*> TemplatesToWrite(const Document& document, BinaryOptions options,
                                                            const TemplateNames& used);

// The binary definitions of the templates TemplatesToWrite gives.
[[nodiscard]] std::string TemplateDefinitions(const Document& document, BinaryOptions options,
                                              const TemplateNames& used);

}  // namespace verdin::xof
