#include <string>

#include "xof/Stream.h"
#include "xof/Xof.h"
#include "xof/src/BinarySink.h"
#include "xof/src/SizeHint.h"
#include "xof/src/TemplateBlock.h"

namespace verdin::xof {

namespace {

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
}  // namespace

std::string WriteBinary(const Document& document, BinaryOptions options)
{
    const std::string templates = TemplateDefinitions(document, options, UsedTemplates(document.objects));
    StringOutput out;
    out.Bytes().reserve(kBinaryHeader.size() + templates.size() + OutputSizeHint(document.objects, 4, 8));
    BinarySink sink(out, kDefaultWindow);
    sink.Bytes(kBinaryHeader);
    sink.Bytes(templates);
    for (const DataObject& object : document.objects) {
        WriteObject(object, sink);
    }
    sink.Finish();
    return std::move(out.Bytes());
}

}  // namespace verdin::xof
