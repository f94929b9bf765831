#include "xof/src/TemplateBlock.h"

#include "xof/Stream.h"
#include "xof/src/BinarySink.h"
#include "xof/src/MeshTemplates.h"

namespace verdin::xof {

namespace {

// A declared template a reader can only know from its definition: one that is
// not a standard template, or differs from it.
bool NeedsDefinition(const Template& definition, const Document& standard)
{
    const Template* known = standard.FindTemplate(definition.name);
    return !known || known->guid != definition.guid || known->members != definition.members ||
           known->openness != definition.openness || known->restrictions != definition.restrictions;
}

void AddUsed(const std::vector<DataObject>& objects, TemplateNames& used)
{
    for (const DataObject& object : objects) {
        if (!object.isReference) {
            used.insert(object.templateName);
            AddUsed(object.children, used);
        }
    }
}

// The names with those of their members' templates, and theirs in turn.
TemplateNames WithMemberTemplates(const Document& document, TemplateNames names)
{
    std::vector<std::string> pending(names.begin(), names.end());
    while (!pending.empty()) {
        const Template* definition = document.FindTemplate(pending.back());
        pending.pop_back();
        if (!definition) {
            continue;
        }
        for (const Member& member : definition->members) {
            if (!member.primitive && names.insert(member.templateName).second) {
                pending.push_back(member.templateName);
            }
        }
    }
    return names;
}

// A built-in template in use that a reader told only of the mesh templates
// would not know: its definition must go ahead of the objects.
bool NeedsDeclaring(const Template& definition, const Document& document, const TemplateNames& needed)
{
    return needed.contains(definition.name) && document.FindTemplate(definition.name) == &definition &&
           !MeshTemplates().FindTemplate(definition.name);
}

}  // namespace

TemplateNames UsedTemplates(const std::vector<DataObject>& objects)
{
    TemplateNames used;
    AddUsed(objects, used);
    return used;
}

std::vector<const Template*> TemplatesToWrite(const Document& document, BinaryOptions options,
                                              const TemplateNames& used)
{
    std::vector<const Template*> written;
    const bool all = HasOption(options, BinaryOptions::Templates);
    const Document standard = StandardDocument();
    const TemplateNames needed = all ? WithMemberTemplates(document, used) : TemplateNames{};
    for (const Template& definition : document.templates) {
        if (definition.declared ? all || NeedsDefinition(definition, standard)
                                : NeedsDeclaring(definition, document, needed)) {
            written.push_back(&definition);
        }
    }
    return written;
}

std::string TemplateDefinitions(const Document& document, BinaryOptions options, const TemplateNames& used)
{
    StringOutput out;
    BinarySink sink(out, kDefaultWindow);
    for (const Template* definition : TemplatesToWrite(document, options, used)) {
        sink.WriteTemplate(*definition);
    }
    sink.Finish();
    return std::move(out.Bytes());
}

}  // namespace verdin::xof
