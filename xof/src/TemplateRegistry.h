#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xof/Document.h"

namespace verdin::xof {

// The templates a reader knows, with what the readers need of them at
// speed: lookup by name and each member's template resolved to an index.
// Every template it admits uses only templates admitted before it, nests at
// most kMaxTemplateDepth deep, and gives every template-typed member at least
// one value, so that walking the members of any object ends and consumes input.
class TemplateRegistry {
public:
    // Indexes the templates already in the document.
    explicit TemplateRegistry(Document& document);

    // The newest template of exactly that name, else the newest whose name
    // differs only in case.
    [[nodiscard]] std::optional<std::size_t> Find(std::string_view name) const;
    [[nodiscard]] const Template& At(std::size_t index) const { return m_document.templates[index]; }
    [[nodiscard]] std::size_t MemberTemplate(std::size_t index, std::size_t member) const
    {
        return m_info[index].memberTemplates[member];
    }

    // The fewest values an object of the template holds.
    [[nodiscard]] std::uint64_t MinValues(std::size_t index) const { return m_info[index].minValues; }

    // Checks a definition and appends it to the document; on refusal, the reason.
    [[nodiscard]] std::optional<std::string> Add(Template definition);

private:
    struct Info {
        int depth = 1;
        std::uint64_t minValues = 0;  // values every object of the template holds at least
        std::vector<std::size_t> memberTemplates;
    };

    [[nodiscard]] std::optional<std::string> Describe(const Template& definition, Info& info) const;

    Document& m_document;
    void Index(const std::string& name, std::size_t index);

    std::map<std::string, std::size_t, std::less<>> m_byName;
    std::map<std::string, std::size_t, std::less<>> m_byFoldedName;
    std::vector<Info> m_info;
};

}  // namespace verdin::xof
