#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "xof/Xof.h"
#include "xof/src/Failure.h"
#include "xof/src/Keywords.h"
#include "xof/src/MemberWalk.h"
#include "xof/src/Quoted.h"
#include "xof/src/SizeHint.h"
#include "xof/src/TemplateBlock.h"
#include "xof/src/TextScanner.h"
#include "xof/src/ValueRules.h"

namespace verdin::xof {

namespace {

// The version and float size the binary writer writes too; every loader
// reads 0302 files.
constexpr std::string_view kTextHeader = "xof 0302txt 0032\r\n";
constexpr std::string_view kLineEnd = "\r\n";

// An array of numbers as long as a matrix goes on one line; a longer one
// takes a line per element, as do arrays of templates.
constexpr std::uint64_t kElementsOnOneLine = 16;

[[noreturn]] void Refuse(ErrorCode code, std::string message)
{
    throw ParseFailure{Error{code, std::move(message), 0, 0, 0}};
}

// A name as the text reader reads one.
void AppendName(std::string& out, std::string_view name)
{
    if (name.empty() || !TextScanner::IsNameStart(name[0]) ||
        !std::all_of(name.begin() + 1, name.end(), TextScanner::IsNameChar)) {
        Refuse(ErrorCode::Syntax, "the name " + Quoted(name) + " cannot be written in the text form");
    }
    out += name;
}

void AppendHex(std::string& out, std::uint32_t value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += "0123456789ABCDEF"[(value >> shift) & 0xF];
    }
}

void AppendGuid(std::string& out, const Guid& guid)
{
    out += '<';
    AppendHex(out, guid.data1, 8);
    out += '-';
    AppendHex(out, guid.data2, 4);
    out += '-';
    AppendHex(out, guid.data3, 4);
    out += '-';
    for (std::size_t i = 0; i < guid.data4.size(); ++i) {
        AppendHex(out, guid.data4[i], 2);
        if (i == 1) {
            out += '-';
        }
    }
    out += '>';
}

std::string_view Keyword(Primitive type)
{
    for (const auto& [keyword, primitive] : kPrimitiveKeywords) {
        if (primitive == type) {
            return keyword;
        }
    }
    Refuse(ErrorCode::BadTemplate, "a member of an unknown primitive type");
}

// A template's name where the text reader would take a keyword for it (a
// binary file may name a template "array") cannot be written.
void AppendTemplateName(std::string& out, std::string_view name)
{
    if (IsKeyword(name)) {
        Refuse(ErrorCode::Syntax, "the template name " + Quoted(name) + " cannot be written in the text form");
    }
    AppendName(out, name);
}

void AppendTemplate(std::string& out, const Template& definition)
{
    out += "template ";
    AppendTemplateName(out, definition.name);
    out += " {\r\n ";
    AppendGuid(out, definition.guid);
    out += kLineEnd;
    for (const Member& member : definition.members) {
        out += member.dimensions.empty() ? " " : " array ";
        if (member.primitive) {
            out += Keyword(*member.primitive);
        } else {
            AppendTemplateName(out, member.templateName);
        }
        if (!member.name.empty()) {
            out += ' ';
            AppendName(out, member.name);
        }
        for (const Dimension& dimension : member.dimensions) {
            out += '[';
            if (!dimension.member) {
                char digits[16];
                out.append(digits, std::to_chars(digits, digits + sizeof digits, dimension.size).ptr);
            } else if (*dimension.member < definition.members.size()) {
                AppendName(out, definition.members[*dimension.member].name);
            } else {
                Refuse(ErrorCode::BadTemplate, "an array of " + Quoted(definition.name) + " has no size");
            }
            out += ']';
        }
        out += ";\r\n";
    }
    if (definition.openness == Openness::Open) {
        out += " [...]\r\n";
    } else if (definition.openness == Openness::Restricted) {
        out += " [";
        for (std::size_t i = 0; i < definition.restrictions.size(); ++i) {
            out += i == 0 ? "" : ", ";
            AppendTemplateName(out, definition.restrictions[i].name);
            if (const auto& guid = definition.restrictions[i].guid) {
                out += ' ';
                AppendGuid(out, *guid);
            }
        }
        out += "]\r\n";
    }
    out += "}\r\n\r\n";
}

// Integers are written in the range the readers check for their type: the
// signed reading of the 32-bit pattern or the unsigned one, whichever fits,
// the type's own first. Either reads back to the same pattern.
void AppendInteger(std::string& out, Primitive type, std::uint32_t pattern)
{
    const bool signedType = type == Primitive::Sword || type == Primitive::Sdword || type == Primitive::Char;
    const auto asSigned = static_cast<std::int64_t>(static_cast<std::int32_t>(pattern));
    const auto asUnsigned = static_cast<std::int64_t>(pattern);
    std::int64_t value = signedType ? asSigned : asUnsigned;
    if (!FitsInteger(type, value)) {
        value = signedType ? asUnsigned : asSigned;
    }
    if (!FitsInteger(type, value)) {
        Refuse(ErrorCode::OutOfRange, "an integer out of its member's range");
    }
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The fewest digits that read back to the same bits, as a plain decimal:
// DirectX's own reader refuses an exponent. The text reader takes a FLOAT as
// a double, checks its range and rounds it to single precision: a shortest
// single that this would refuse or move (of all singles, only the largest and
// +-7.038531e-26) is written as the double it is.
void AppendReal(std::string& out, Primitive type, double value)
{
    if (!std::isfinite(value)) {
        Refuse(ErrorCode::BadNumber, "a number that is not finite cannot be written in the text form");
    }
    // Room for the longest plain double: 5e-324 has 324 digits after the point.
    char digits[400];
    const auto plain = [&digits](auto number) {
        return std::to_chars(digits, digits + sizeof digits, number, std::chars_format::fixed).ptr;
    };
    char* end = nullptr;
    if (type == Primitive::Float) {
        const auto single = static_cast<float>(value);
        end = plain(single);
        double back = 0.0;
        std::from_chars(digits, end, back);
        if (!FitsReal(type, back) || static_cast<float>(back) != single) {
            end = plain(static_cast<double>(single));
        }
    } else {
        end = plain(value);
    }
    out.append(digits, end);
    // "1" reads as an integer to a careless eye; "1.0" is a number of the float kind.
    if (std::find(digits, end, '.') == end) {
        out += ".0";
    }
}

// Writes data objects, walking each one's values through its template's members.
class ObjectWriter {
public:
    ObjectWriter(const Document& document, std::string& out) : m_document(document), m_out(out) {}

    void Object(const DataObject& object, int depth)
    {
        if (depth > kMaxObjectDepth) {
            Refuse(ErrorCode::TooDeep, "data objects nest too deep");
        }
        Indent(depth);
        if (object.isReference) {
            m_out += '{';
            if (!object.name.empty()) {
                m_out += ' ';
                AppendName(m_out, object.name);
            }
            if (object.guid) {
                m_out += ' ';
                AppendGuid(m_out, *object.guid);
            }
            m_out += " }\r\n";
            return;
        }
        AppendTemplateName(m_out, object.templateName);
        if (!object.name.empty()) {
            m_out += ' ';
            AppendName(m_out, object.name);
        }
        m_out += " {\r\n";
        if (object.guid) {
            Indent(depth + 1);
            AppendGuid(m_out, *object.guid);
            m_out += kLineEnd;
        }
        m_object = &object;
        m_next = 0;
        Members(FindTemplate(object.templateName), depth + 1, 1);
        if (m_next != object.values.size()) {
            Refuse(ErrorCode::Syntax, "more values than the members of " + Quoted(object.templateName) + " take");
        }
        for (const DataObject& child : object.children) {
            Object(child, depth + 1);
        }
        Indent(depth);
        m_out += "}\r\n";
    }

private:
    // The newest template of the name; one of the name in another case when
    // there is none, as the readers match names.
    const Template& FindTemplate(std::string_view name) const
    {
        if (const Template* exact = m_document.FindTemplate(name)) {
            return *exact;
        }
        const auto found = std::find_if(m_document.templates.rbegin(), m_document.templates.rend(),
                                        [&](const Template& definition) { return SameWord(definition.name, name); });
        if (found == m_document.templates.rend()) {
            Refuse(ErrorCode::UnknownTemplate, "unknown template " + Quoted(name));
        }
        return *found;
    }

    void Indent(int depth) { m_out.append(static_cast<std::size_t>(depth), ' '); }

    // The members' values, a member per line indented by `lineIndent`, or all
    // on the current line when it is negative.
    void Members(const Template& definition, int lineIndent, int templateDepth)
    {
        if (templateDepth > kMaxTemplateDepth) {
            Refuse(ErrorCode::TooDeep, "templates nest too deep in " + Quoted(definition.name));
        }
        CountSlots counts(definition.members.size());
        for (std::size_t i = 0; i < definition.members.size(); ++i) {
            const Member& member = definition.members[i];
            const Template* memberTemplate = member.primitive ? nullptr : &FindTemplate(member.templateName);
            const std::uint64_t elements = ElementCount(definition, member, counts);
            const bool onePerLine =
                lineIndent >= 0 && (memberTemplate || elements > kElementsOnOneLine) && !member.dimensions.empty();
            if (lineIndent >= 0 && elements > 0 && !onePerLine) {
                Indent(lineIndent);
            }
            for (std::uint64_t k = 0; k < elements; ++k) {
                if (onePerLine) {
                    Indent(lineIndent);
                }
                if (memberTemplate) {
                    Members(*memberTemplate, -1, templateDepth + 1);
                } else {
                    counts[i] = WriteValue(*member.primitive);
                }
                m_out += member.dimensions.empty() || k + 1 == elements ? ';' : ',';
                if (onePerLine) {
                    m_out += kLineEnd;
                }
            }
            if (lineIndent >= 0 && elements > 0 && !onePerLine) {
                m_out += kLineEnd;
            }
        }
    }

    // Every element takes a value in the documents the readers make, which
    // bounds what a wrong count can make written.
    std::uint64_t ElementCount(const Template& definition, const Member& member, CountSlots& counts) const
    {
        std::uint64_t elements = 1;
        const std::uint64_t left = m_object->values.size() - m_next;
        for (const Dimension& dimension : member.dimensions) {
            const std::uint64_t size = dimension.member && *dimension.member < definition.members.size()
                                           ? counts[*dimension.member]
                                           : dimension.size;
            if (size != 0 && elements > left / size) {
                Refuse(ErrorCode::OutOfRange, "array " + Quoted(member.name) + " needs more values than " +
                                                  Quoted(m_object->templateName) + " holds");
            }
            elements *= size;
        }
        return elements;
    }

    // Writes the next value, which must be of the type; its integer pattern,
    // for the arrays it may size.
    std::uint32_t WriteValue(Primitive type)
    {
        const DataObject& object = *m_object;
        if (m_next >= object.values.size() || object.values[m_next].type != type) {
            Refuse(ErrorCode::Syntax, "the values of " + Quoted(object.templateName) + " do not fit its template");
        }
        const Value& value = object.values[m_next++];
        if (IsInteger(type)) {
            AppendInteger(m_out, type, value.integer);
            return value.integer;
        }
        if (IsReal(type)) {
            AppendReal(m_out, type, value.real);
            return 0;
        }
        if (value.integer >= object.texts.size() || object.texts[value.integer].find('"') != std::string::npos) {
            Refuse(ErrorCode::Syntax, "a string of " + Quoted(object.templateName) +
                                          " cannot be written in the text form (it holds '\"')");
        }
        m_out += '"';
        m_out += object.texts[value.integer];
        m_out += '"';
        return 0;
    }

    const Document& m_document;
    std::string& m_out;
    const DataObject* m_object = nullptr;
    std::size_t m_next = 0;  // the object's next value
};

}  // namespace

Result<std::string> WriteText(const Document& document, BinaryOptions options)
{
    std::string out;
    out.reserve(OutputSizeHint(document.objects, 12, 4));
    out += kTextHeader;
    try {
        for (const Template* definition : TemplatesToWrite(document, options, UsedTemplates(document.objects))) {
            AppendTemplate(out, *definition);
        }
        ObjectWriter writer(document, out);
        for (const DataObject& object : document.objects) {
            writer.Object(object, 0);
        }
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return out;
}

}  // namespace verdin::xof
