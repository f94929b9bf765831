#include "xof/src/TemplateBlock.h"

#include "xof/Stream.h"
#include "xof/src/BinarySink.h"

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

}  // namespace

std::vector<const Template*> TemplatesToWrite(const Document& document, BinaryOptions options)
{
    std::vector<const Template*> written;
    const bool all = HasOption(options, BinaryOptions::Templates);
    const Document standard = StandardDocument();
    for (const Template& definition : document.templates) {
        if (definition.declared && (all || NeedsDefinition(definition, standard))) {
            written.push_back(&definition);
        }
    }
    return written;
}

std::string TemplateDefinitions(const Document& document, BinaryOptions options)
{
    StringOutput out;
    BinarySink sink(out, kDefaultWindow);
    for (const Template* definition : TemplatesToWrite(document, options)) {
        sink.WriteTemplate(*definition);
    }
    sink.Finish();
    return std::move(out.Bytes());
}

}  // namespace verdin::xof
