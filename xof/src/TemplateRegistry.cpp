#include "xof/src/TemplateRegistry.h"

#include <algorithm>
#include <utility>

#include "xof/Xof.h"
#include "xof/src/Decimal.h"
#include "xof/src/NameCase.h"
#include "xof/src/Quoted.h"

namespace verdin::xof {

namespace {

constexpr std::uint64_t kManyValues = std::uint64_t{1} << 40;

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b)
{
    if (a != 0 && b > kManyValues / a) {
        return kManyValues;
    }
    return std::min(a * b, kManyValues);
}

}  // namespace

TemplateRegistry::TemplateRegistry(Document& document) : m_document(document)
{
    for (std::size_t i = 0; i < document.templates.size(); ++i) {
        Info info;
        // The document's templates were admitted by a registry before.
        static_cast<void>(Describe(document.templates[i], info));
        Index(document.templates[i].name, i);
        m_info.push_back(std::move(info));
    }
}

void TemplateRegistry::Index(const std::string& name, std::size_t index)
{
    m_byName.insert_or_assign(name, index);
    m_byFoldedName.insert_or_assign(Folded(name), index);
}

std::optional<std::size_t> TemplateRegistry::Find(std::string_view name) const
{
    if (const auto found = m_byName.find(name); found != m_byName.end()) {
        return found->second;
    }
    if (const auto found = m_byFoldedName.find(Folded(name)); found != m_byFoldedName.end()) {
        return found->second;
    }
    return std::nullopt;
}

std::optional<std::string> TemplateRegistry::Describe(const Template& definition, Info& info) const
{
    for (std::size_t i = 0; i < definition.members.size(); ++i) {
        const Member& member = definition.members[i];
        std::uint64_t count = 1;
        for (const Dimension& dimension : member.dimensions) {
            if (!dimension.member) {
                count = SaturatingProduct(count, dimension.size);
                continue;
            }
            if (*dimension.member >= i) {
                return "array " + Quoted(member.name) + " is sized by a later member";
            }
            const Member& sizer = definition.members[*dimension.member];
            if (!sizer.primitive || !IsInteger(*sizer.primitive) || !sizer.dimensions.empty()) {
                return "array " + Quoted(member.name) + " is sized by " + Quoted(sizer.name) +
                       ", which is not a single integer";
            }
            count = 0;
        }
        std::uint64_t elementValues = 1;
        std::size_t memberTemplate = 0;
        if (!member.primitive) {
            const auto found = Find(member.templateName);
            if (!found) {
                return "member " + Quoted(member.name) + " has the unknown template " + Quoted(member.templateName);
            }
            memberTemplate = *found;
            const Info& used = m_info[memberTemplate];
            if (used.minValues == 0) {
                return "member " + Quoted(member.name) + " has the template " + Quoted(member.templateName) +
                       ", which holds no values";
            }
            info.depth = std::max(info.depth, used.depth + 1);
            elementValues = used.minValues;
        }
        info.memberTemplates.push_back(memberTemplate);
        info.minValues = std::min(info.minValues + SaturatingProduct(count, elementValues), kManyValues);
    }
    if (info.depth > kMaxTemplateDepth) {
        return "templates nest more than " + Decimal(kMaxTemplateDepth) + " deep";
    }
    return std::nullopt;
}

std::optional<std::string> TemplateRegistry::Add(Template definition)
{
    if (const auto existing = m_byName.find(definition.name);
        existing != m_byName.end() && At(existing->second).declared) {
        return "template " + Quoted(definition.name) + " is declared twice";
    }
    Info info;
    if (auto problem = Describe(definition, info)) {
        return problem;
    }
    Index(definition.name, m_document.templates.size());
    m_document.templates.push_back(std::move(definition));
    m_info.push_back(std::move(info));
    return std::nullopt;
}

}  // namespace verdin::xof
