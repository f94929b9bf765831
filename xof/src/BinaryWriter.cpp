#include <string>

#include "xof/Xof.h"
#include "xof/src/BinarySink.h"
#include "xof/src/Failure.h"
#include "xof/src/Header.h"
#include "xof/src/TextReader.h"

namespace verdin::xof {

namespace {

constexpr std::string_view kBinaryHeader = "xof 0302bin 0032";

// A declared template a reader can only know from its definition: one that is
// not a standard template, or differs from it.
bool NeedsDefinition(const Template& definition, const Document& standard)
{
    const Template* known = standard.FindTemplate(definition.name);
    return !known || known->guid != definition.guid || known->members != definition.members ||
           known->openness != definition.openness || known->restrictions != definition.restrictions;
}

std::string TemplateDefinitions(const Document& document, BinaryOptions options)
{
    std::string out;
    BinarySink sink(out);
    const bool all = HasOption(options, BinaryOptions::Templates);
    const Document standard = StandardDocument();
    for (const Template& definition : document.templates) {
        if (definition.declared && (all || NeedsDefinition(definition, standard))) {
            sink.WriteTemplate(definition);
        }
    }
    return out;
}

void WriteObject(const DataObject& object, BinarySink& sink)
{
    if (object.isReference) {
        sink.Reference(object.name, object.guid);
        return;
    }
    sink.BeginObject(object.templateName, object.name, object.guid);
    for (const Value& value : object.values) {
        if (IsInteger(value.type)) {
            sink.Integer(value.type, value.integer);
        } else if (IsReal(value.type)) {
            sink.Real(value.type, value.real);
        } else {
            sink.Text(value.type, object.texts.at(value.integer));
        }
    }
    for (const DataObject& child : object.children) {
        WriteObject(child, sink);
    }
    sink.EndObject();
}

// Room for the whole output up front: big meshes would otherwise be copied
// each time the output grows.
std::size_t SizeHint(const std::vector<DataObject>& objects)
{
    std::size_t size = 0;
    for (const DataObject& object : objects) {
        size += 64 + object.name.size() + object.templateName.size() + 4 * object.values.size();
        for (const std::string& text : object.texts) {
            size += 8 + text.size();
        }
        size += SizeHint(object.children);
    }
    return size;
}

}  // namespace

std::string WriteBinary(const Document& document, BinaryOptions options)
{
    const std::string templates = TemplateDefinitions(document, options);
    std::string out;
    out.reserve(kBinaryHeader.size() + templates.size() + SizeHint(document.objects));
    out += kBinaryHeader;
    out += templates;
    BinarySink sink(out);
    for (const DataObject& object : document.objects) {
        WriteObject(object, sink);
    }
    return out;
}

// The objects are written as they are read, without a model in between; the
// template definitions, known only at the end, are put in after the header.
Result<std::string> TextToBinary(std::string_view text, BinaryOptions options)
{
    Result<Document> document = StartTextDocument(text);
    if (!document) {
        return document.GetError();
    }
    // Meshes take fewer bytes in binary than in text, and room never touched
    // costs no memory.
    std::string out;
    out.reserve(text.size());
    out += kBinaryHeader;
    BinarySink sink(out);
    try {
        ReadTextBody(text, kHeaderSize, document.Value(), sink);
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    out.insert(kBinaryHeader.size(), TemplateDefinitions(document.Value(), options));
    return out;
}

}  // namespace verdin::xof
