#include "xof/src/TextReader.h"

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "xof/Stream.h"
#include "xof/Xof.h"
#include "xof/src/ChildRules.h"
#include "xof/src/Decimal.h"
#include "xof/src/Failure.h"
#include "xof/src/Header.h"
#include "xof/src/Keywords.h"
#include "xof/src/MemberWalk.h"
#include "xof/src/ModelSink.h"
#include "xof/src/NameCase.h"
#include "xof/src/Quoted.h"
#include "xof/src/StreamSink.h"
#include "xof/src/TemplateRegistry.h"
#include "xof/src/TextScanner.h"
#include "xof/src/ValueRules.h"
#include "xof/src/VisitorSink.h"

namespace verdin::xof {

namespace {

template <typename Sink>
class TextReader {
public:
    TextReader(TextScanner& scanner, Document& document, Sink& sink)
        : m_scanner(scanner), m_registry(document), m_sink(sink)
    {
    }

    void ReadAll()
    {
        for (;;) {
            m_scanner.SkipBlank();
            if (m_scanner.AtEnd()) {
                return;
            }
            const std::size_t at = m_scanner.Offset();
            if (!TextScanner::IsNameStart(m_scanner.Peek())) {
                m_scanner.Fail(ErrorCode::Syntax,
                               "expected a template or a data object, found " + m_scanner.DescribeNext());
            }
            const std::string_view word = m_scanner.ReadName();
            if (SameWord(word, "template")) {
                ReadTemplate(m_scanner.PlaceOf(at));
            } else {
                ReadObject(FindTemplate(word, at), at, 1);
            }
        }
    }

    // The value source of MemberWalk.
    std::uint32_t ReadInteger(Primitive type)
    {
        m_scanner.SkipBlankAndSeparators();
        const std::size_t at = m_scanner.Offset();
        const std::int64_t value = m_scanner.ReadInteger();
        if (!FitsInteger(type, value)) {
            m_scanner.FailAt(at, ErrorCode::OutOfRange, "integer out of its member's range");
        }
        return static_cast<std::uint32_t>(value);
    }

    double ReadReal(Primitive type)
    {
        m_scanner.SkipBlankAndSeparators();
        const std::size_t at = m_scanner.Offset();
        const double value = m_scanner.ReadReal();
        if (!FitsReal(type, value)) {
            m_scanner.FailAt(at, ErrorCode::OutOfRange, "number out of its member's range");
        }
        return StoredReal(type, value);
    }

    std::string ReadText(Primitive)
    {
        m_scanner.SkipBlankAndSeparators();
        if (m_scanner.Peek() != '"' || m_scanner.AtEnd()) {
            m_scanner.Fail(m_scanner.AtEnd() ? ErrorCode::Truncated : ErrorCode::Syntax,
                           "expected a string, found " + m_scanner.DescribeNext());
        }
        return m_scanner.ReadString();
    }

    // Every value takes at least one character.
    [[nodiscard]] std::uint64_t ValuesLeft() const { return m_scanner.BytesLeft(); }
    // Room for a value per 8 bytes of text keeps a false count from claiming
    // more memory than about twice the input, and covers vertex lists.
    [[nodiscard]] std::uint64_t ReservableValues() const { return m_scanner.BytesLeft() / 8; }

    [[noreturn]] void Fail(ErrorCode code, std::string_view message) { m_scanner.Fail(code, message); }

private:
    std::string_view ExpectName(std::string_view what)
    {
        m_scanner.SkipBlank();
        if (!TextScanner::IsNameStart(m_scanner.Peek())) {
            m_scanner.Fail(m_scanner.AtEnd() ? ErrorCode::Truncated : ErrorCode::Syntax,
                           "expected " + std::string(what) + ", found " + m_scanner.DescribeNext());
        }
        return m_scanner.ReadName();
    }

    void ReadTemplate(const TextPlace& at)
    {
        Template definition;
        definition.name = ExpectName("a template name");
        definition.declared = true;
        m_scanner.Expect('{', "'{' opening the template");
        m_scanner.SkipBlank();
        if (m_scanner.Peek() != '<') {
            m_scanner.Fail(ErrorCode::Syntax, "expected the template's GUID, found " + m_scanner.DescribeNext());
        }
        definition.guid = m_scanner.ReadGuid();
        for (;;) {
            m_scanner.SkipBlank();
            if (m_scanner.Peek() == '[') {
                ReadRestrictions(definition);
                m_scanner.Expect('}', "'}' closing the template");
                break;
            }
            if (m_scanner.Peek() == '}') {
                m_scanner.Advance();
                break;
            }
            definition.members.push_back(ReadMember(definition));
        }
        if (const auto problem = m_registry.Add(std::move(definition))) {
            m_scanner.FailAt(at, ErrorCode::BadTemplate, *problem);
        }
    }

    Member ReadMember(const Template& definition)
    {
        Member member;
        const TextPlace at = m_scanner.Place();
        std::string_view type = ExpectName("a member, restrictions or '}'");
        const bool array = SameWord(type, "array");
        if (array) {
            type = ExpectName("the array's element type");
        }
        member.primitive = PrimitiveKeyword(type);
        if (!member.primitive) {
            if (!m_registry.Find(type)) {
                m_scanner.FailAt(at, ErrorCode::UnknownTemplate, "unknown template " + Quoted(type));
            }
            member.templateName = type;
        }
        m_scanner.SkipBlank();
        if (TextScanner::IsNameStart(m_scanner.Peek())) {
            member.name = m_scanner.ReadName();
        } else if (array) {
            m_scanner.Fail(ErrorCode::Syntax, "expected the array's name, found " + m_scanner.DescribeNext());
        }
        while (array) {
            m_scanner.SkipBlank();
            if (m_scanner.Peek() != '[') {
                break;
            }
            m_scanner.Advance();
            member.dimensions.push_back(ReadDimension(definition));
            m_scanner.Expect(']', "']' closing the dimension");
        }
        if (array && member.dimensions.empty()) {
            m_scanner.Fail(ErrorCode::Syntax, "expected '[' and the array's size, found " + m_scanner.DescribeNext());
        }
        m_scanner.Expect(';', "';' after the member");
        return member;
    }

    Dimension ReadDimension(const Template& definition)
    {
        m_scanner.SkipBlank();
        const std::size_t at = m_scanner.Offset();
        Dimension dimension;
        if (TextScanner::IsNameStart(m_scanner.Peek())) {
            const std::string_view name = m_scanner.ReadName();
            for (std::size_t i = 0; i < definition.members.size(); ++i) {
                if (definition.members[i].name == name) {
                    dimension.member = i;
                }
            }
            if (!dimension.member) {
                m_scanner.FailAt(at, ErrorCode::BadTemplate,
                                 "no earlier member " + Quoted(name) + " gives the array's size");
            }
            return dimension;
        }
        const std::int64_t size = m_scanner.ReadInteger();
        if (size < 0 || size > std::numeric_limits<std::uint32_t>::max()) {
            m_scanner.FailAt(at, ErrorCode::OutOfRange, "array size out of range");
        }
        dimension.size = static_cast<std::uint32_t>(size);
        return dimension;
    }

    void ReadRestrictions(Template& definition)
    {
        m_scanner.Advance();
        m_scanner.SkipBlank();
        if (m_scanner.Peek() == '.') {
            for (int dot = 0; dot < 3; ++dot) {
                m_scanner.Expect('.', "'...'");
            }
            definition.openness = Openness::Open;
            m_scanner.Expect(']', "']' after '...'");
            return;
        }
        definition.openness = Openness::Restricted;
        for (;;) {
            Restriction restriction;
            restriction.name = ExpectName("the name of an admitted template");
            m_scanner.SkipBlank();
            if (m_scanner.Peek() == '<') {
                restriction.guid = m_scanner.ReadGuid();
                m_scanner.SkipBlank();
            }
            definition.restrictions.push_back(std::move(restriction));
            if (m_scanner.Peek() == ',') {
                m_scanner.Advance();
            } else if (m_scanner.Peek() == ']') {
                m_scanner.Advance();
                return;
            }
        }
    }

    std::size_t FindTemplate(std::string_view name, std::size_t at)
    {
        const auto index = m_registry.Find(name);
        if (!index) {
            m_scanner.FailAt(at, ErrorCode::UnknownTemplate, "unknown template " + Quoted(name));
        }
        return *index;
    }

    void ReadObject(std::size_t templateIndex, std::size_t at, int depth)
    {
        if (depth > kMaxObjectDepth) {
            m_scanner.FailAt(at, ErrorCode::TooDeep,
                             "data objects nest more than " + Decimal(kMaxObjectDepth) + " deep");
        }
        const Template& definition = m_registry.At(templateIndex);
        m_scanner.SkipBlank();
        std::string name;
        if (TextScanner::IsNameStart(m_scanner.Peek())) {
            name = m_scanner.ReadName();
        }
        m_scanner.Expect('{', "'{' opening the " + Quoted(definition.name) + " object");
        m_scanner.SkipBlank();
        std::optional<Guid> guid;
        if (m_scanner.Peek() == '<') {
            guid = m_scanner.ReadGuid();
        }
        m_sink.BeginObject(definition.name, name, guid);
        MemberWalk<TextReader, Sink>(m_registry, *this, m_sink).Read(templateIndex);
        ReadChildren(definition, depth);
        m_sink.EndObject();
    }

    void ReadChildren(const Template& definition, int depth)
    {
        for (;;) {
            m_scanner.SkipBlankAndSeparators();
            const std::size_t at = m_scanner.Offset();
            const char next = m_scanner.Peek();
            if (m_scanner.AtEnd()) {
                m_scanner.Fail(ErrorCode::Truncated,
                               "the input ends inside the " + Quoted(definition.name) + " object");
            }
            if (next == '}') {
                m_scanner.Advance();
                return;
            }
            if (next == '{') {
                CheckChild(definition, nullptr, at);
                ReadReference();
            } else if (TextScanner::IsNameStart(next)) {
                const std::size_t child = FindTemplate(m_scanner.ReadName(), at);
                CheckChild(definition, &m_registry.At(child), at);
                ReadObject(child, at, depth + 1);
            } else if (TextScanner::IsNumberStart(next) || next == '"') {
                m_scanner.Fail(ErrorCode::Syntax,
                               "more values than the members of " + Quoted(definition.name) + " take");
            } else {
                m_scanner.Fail(ErrorCode::Syntax,
                               "expected a child object, a reference or '}', found " + m_scanner.DescribeNext());
            }
        }
    }

    void CheckChild(const Template& parent, const Template* child, std::size_t at)
    {
        if (const auto problem = RefusedChild(parent, child)) {
            m_scanner.FailAt(at, ErrorCode::Syntax, *problem);
        }
    }

    void ReadReference()
    {
        m_scanner.Advance();
        m_scanner.SkipBlank();
        std::string name;
        if (TextScanner::IsNameStart(m_scanner.Peek())) {
            name = m_scanner.ReadName();
            m_scanner.SkipBlank();
        }
        std::optional<Guid> guid;
        if (m_scanner.Peek() == '<') {
            guid = m_scanner.ReadGuid();
        }
        if (name.empty() && !guid) {
            m_scanner.Fail(ErrorCode::Syntax,
                           "expected the name of the referenced object, found " + m_scanner.DescribeNext());
        }
        m_scanner.Expect('}', "'}' closing the reference");
        m_sink.Reference(name, guid);
    }

    TextScanner& m_scanner;
    TemplateRegistry m_registry;
    Sink& m_sink;
};

}  // namespace

void ReadTextBody(TextScanner& scanner, Document& document)
{
    ModelSink sink(document.objects);
    TextReader<ModelSink>(scanner, document, sink).ReadAll();
}

void ReadTextBody(TextScanner& scanner, Document& document, StreamSink& sink)
{
    TextReader<StreamSink>(scanner, document, sink).ReadAll();
}

void ReadTextBody(TextScanner& scanner, Document& document, VisitorSink& sink)
{
    TextReader<VisitorSink>(scanner, document, sink).ReadAll();
}

Result<Document> StartTextDocument(TextScanner& scanner)
{
    const auto header = ReadFileHeader(scanner.Ahead(kHeaderSize));
    if (!header) {
        return Error{ErrorCode::BadHeader, "line 1, column 1: not a DirectX file header", 0, 1, 1};
    }
    if (header->format != "txt ") {
        return Error{ErrorCode::BadHeader,
                     "line 1, column 9: not a text file (format '" + std::string(header->format) + "')", 8, 1, 9};
    }
    scanner.Consume(kHeaderSize);
    Document document = RegisteredDocument();
    document.versionMajor = header->versionMajor;
    document.versionMinor = header->versionMinor;
    return document;
}

Result<Document> ParseText(std::string_view bytes)
{
    MemoryTextSource source(bytes);
    TextScanner scanner(source, kDefaultWindow);
    Result<Document> document = StartTextDocument(scanner);
    if (!document) {
        return document;
    }
    try {
        ReadTextBody(scanner, document.Value());
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return document;
}

std::optional<Error> VisitText(TextSource& text, ObjectVisitor& visitor, std::size_t window)
{
    TextScanner scanner(text, window);
    Result<Document> document = StartTextDocument(scanner);
    if (!document) {
        return document.GetError();
    }
    VisitorSink sink(visitor);
    try {
        ReadTextBody(scanner, document.Value(), sink);
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return std::nullopt;
}

}  // namespace verdin::xof
