#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "xof/Xof.h"
#include "xof/src/BinaryInput.h"
#include "xof/src/BinaryTokens.h"
#include "xof/src/ChildRules.h"
#include "xof/src/Decimal.h"
#include "xof/src/Failure.h"
#include "xof/src/Header.h"
#include "xof/src/MemberWalk.h"
#include "xof/src/ModelSink.h"
#include "xof/src/Quoted.h"
#include "xof/src/TemplateRegistry.h"
#include "xof/src/ValueRules.h"
#include "xof/src/VisitorSink.h"

namespace verdin::xof {

namespace {

constexpr std::uint16_t Code(Token token)
{
    return static_cast<std::uint16_t>(token);
}

std::optional<Primitive> PrimitiveToken(std::uint16_t word)
{
    constexpr auto kFirst = static_cast<std::uint16_t>(Primitive::Word);
    constexpr auto kLast = static_cast<std::uint16_t>(Primitive::Cstring);
    constexpr std::uint16_t kVoid = 48;  // a token no member can have
    if (word < kFirst || word > kLast || word == kVoid) {
        return std::nullopt;
    }
    return static_cast<Primitive>(word);
}

// The values of an integer or float list not yet given to members.
struct PendingList {
    Token kind = Token::IntegerList;
    std::uint64_t left = 0;
    std::string_view bytes;  // the values still to take
};

template <typename Sink>
class BinaryReader {
public:
    BinaryReader(std::string_view bytes, unsigned floatBits, Document& document, Sink& sink)
        : m_input(bytes, kHeaderSize), m_floatSize(floatBits / 8), m_registry(document), m_sink(sink)
    {
    }

    void ReadAll()
    {
        while (!m_input.AtEnd()) {
            const std::size_t at = m_input.Offset();
            const std::uint16_t token = m_input.Word();
            if (token == Code(Token::Template)) {
                ReadTemplate(at);
            } else if (token == Code(Token::Name)) {
                ReadObject(FindTemplate(NameRecord(), at), at, 1);
            } else {
                Unexpected(at, token, "a template or a data object");
            }
        }
    }

    // The value source of MemberWalk.
    std::uint32_t ReadInteger(Primitive type)
    {
        const std::size_t at = m_input.Offset();
        const std::uint32_t value = NextListValue(Token::IntegerList, "an integer");
        const auto asSigned = static_cast<std::int64_t>(static_cast<std::int32_t>(value));
        if (!FitsInteger(type, value) && !FitsInteger(type, asSigned)) {
            m_input.FailAt(at, ErrorCode::OutOfRange, "integer out of its member's range");
        }
        return value;
    }

    double ReadReal(Primitive type)
    {
        const std::size_t at = m_input.Offset();
        double value = 0.0;
        if (m_floatSize == 4) {
            const std::uint32_t bits = NextListValue(Token::FloatList, "a number");
            float single = 0.0f;
            std::memcpy(&single, &bits, sizeof single);
            value = single;
        } else {
            const std::uint64_t low = NextListValue(Token::FloatList, "a number");
            const std::uint64_t high = NextListValue(Token::FloatList, "a number");
            const std::uint64_t bits = low | (high << 32);
            std::memcpy(&value, &bits, sizeof value);
        }
        if (!FitsReal(type, value)) {
            m_input.FailAt(at, ErrorCode::OutOfRange, "number out of its member's range");
        }
        return StoredReal(type, value);
    }

    std::string ReadText(Primitive)
    {
        if (m_list.left != 0) {
            m_input.Fail(ErrorCode::Syntax, "expected a string, but a list goes on");
        }
        SkipSeparators();
        const std::size_t at = m_input.Offset();
        const std::uint16_t token = m_input.Word();
        if (token != Code(Token::String)) {
            Unexpected(at, token, "a string");
        }
        return StringRecord();
    }

    // Every value takes at least four bytes unless a list already holds it.
    [[nodiscard]] std::uint64_t ValuesLeft() const { return m_input.BytesLeft() / 4 + m_list.left; }
    [[nodiscard]] std::uint64_t ReservableValues() const { return ValuesLeft(); }

    [[noreturn]] void Fail(ErrorCode code, std::string_view message) const { m_input.Fail(code, message); }

private:
    // One 32-bit word of the current list of that kind, starting the next
    // list or single integer when the current one is used up.
    std::uint32_t NextListValue(Token kind, std::string_view what)
    {
        while (m_list.left == 0) {
            SkipSeparators();
            const std::size_t at = m_input.Offset();
            const std::uint16_t token = m_input.Word();
            if (kind == Token::IntegerList && token == Code(Token::Integer)) {
                return m_input.Dword();
            }
            if (token != Code(kind)) {
                Unexpected(at, token, what);
            }
            const std::uint64_t wordsPerValue = kind == Token::FloatList ? m_floatSize / 4 : 1;
            const std::uint64_t words = std::uint64_t{m_input.Dword()} * wordsPerValue;
            m_list = PendingList{kind, words, m_input.Bytes(words * 4)};
        }
        if (m_list.kind != kind) {
            m_input.Fail(ErrorCode::Syntax, "expected " + std::string(what) + ", but a list of the other kind goes on");
        }
        const auto* at = reinterpret_cast<const unsigned char*>(m_list.bytes.data());
        const std::uint32_t value = static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
                                    (static_cast<std::uint32_t>(at[2]) << 16) |
                                    (static_cast<std::uint32_t>(at[3]) << 24);
        m_list.bytes.remove_prefix(4);
        --m_list.left;
        return value;
    }

    void SkipSeparators()
    {
        while (m_input.PeekWord() == Code(Token::Semicolon) || m_input.PeekWord() == Code(Token::Comma)) {
            static_cast<void>(m_input.Word());
        }
    }

    void Expect(Token token, std::string_view what)
    {
        const std::size_t at = m_input.Offset();
        const std::uint16_t found = m_input.Word();
        if (found != Code(token)) {
            Unexpected(at, found, what);
        }
    }

    [[noreturn]] void Unexpected(std::size_t at, std::uint16_t token, std::string_view what) const
    {
        m_input.FailAt(at, ErrorCode::Syntax, "expected " + std::string(what) + ", found token " + Decimal(token));
    }

    std::string NameRecord()
    {
        const std::uint32_t count = m_input.Dword();
        return std::string(m_input.Bytes(count));
    }

    std::string ExpectName(std::string_view what)
    {
        Expect(Token::Name, what);
        return NameRecord();
    }

    // The terminator is a 16-bit word in the files in use; a 32-bit one, as
    // some descriptions have it, leaves a zero word, which is no token.
    std::string StringRecord()
    {
        const std::uint32_t count = m_input.Dword();
        std::string text(m_input.Bytes(count));
        const std::uint16_t next = m_input.PeekWord();
        if (next == Code(Token::Semicolon) || next == Code(Token::Comma)) {
            static_cast<void>(m_input.Word());
            if (m_input.BytesLeft() >= 2 && m_input.PeekWord() == 0) {
                static_cast<void>(m_input.Word());
            }
        }
        return text;
    }

    Guid GuidRecord()
    {
        Guid guid;
        guid.data1 = m_input.Dword();
        guid.data2 = m_input.Word();
        guid.data3 = m_input.Word();
        const std::string_view rest = m_input.Bytes(guid.data4.size());
        std::memcpy(guid.data4.data(), rest.data(), rest.size());
        return guid;
    }

    void ReadTemplate(std::size_t at)
    {
        Template definition;
        definition.declared = true;
        definition.name = ExpectName("the template's name");
        Expect(Token::OpenBrace, "'{' opening the template");
        Expect(Token::Guid, "the template's GUID");
        definition.guid = GuidRecord();
        for (;;) {
            const std::size_t memberAt = m_input.Offset();
            const std::uint16_t token = m_input.Word();
            if (token == Code(Token::CloseBrace)) {
                break;
            }
            if (token == Code(Token::OpenBracket)) {
                ReadRestrictions(definition);
                Expect(Token::CloseBrace, "'}' closing the template");
                break;
            }
            definition.members.push_back(ReadMember(definition, memberAt, token));
        }
        if (const auto problem = m_registry.Add(std::move(definition))) {
            m_input.FailAt(at, ErrorCode::BadTemplate, *problem);
        }
    }

    Member ReadMember(const Template& definition, std::size_t at, std::uint16_t token)
    {
        Member member;
        const bool array = token == Code(Token::Array);
        if (array) {
            token = m_input.Word();
        }
        member.primitive = PrimitiveToken(token);
        if (!member.primitive) {
            if (token != Code(Token::Name)) {
                Unexpected(at, token, "a member, restrictions or '}'");
            }
            member.templateName = NameRecord();
            if (!m_registry.Find(member.templateName)) {
                m_input.FailAt(at, ErrorCode::UnknownTemplate, "unknown template " + Quoted(member.templateName));
            }
        }
        if (m_input.PeekWord() == Code(Token::Name)) {
            static_cast<void>(m_input.Word());
            member.name = NameRecord();
        }
        while (array && m_input.PeekWord() == Code(Token::OpenBracket)) {
            static_cast<void>(m_input.Word());
            member.dimensions.push_back(ReadDimension(definition));
            Expect(Token::CloseBracket, "']' closing the dimension");
        }
        if (array && (member.dimensions.empty() || member.name.empty())) {
            m_input.FailAt(at, ErrorCode::Syntax, "an array needs a name and a dimension");
        }
        // The published examples leave out the semicolon after an array.
        if (!array || m_input.PeekWord() == Code(Token::Semicolon)) {
            Expect(Token::Semicolon, "';' after the member");
        }
        return member;
    }

    Dimension ReadDimension(const Template& definition)
    {
        const std::size_t at = m_input.Offset();
        const std::uint16_t token = m_input.Word();
        Dimension dimension;
        if (token == Code(Token::Integer)) {
            dimension.size = m_input.Dword();
            return dimension;
        }
        if (token != Code(Token::Name)) {
            Unexpected(at, token, "the array's size");
        }
        const std::string name = NameRecord();
        for (std::size_t i = 0; i < definition.members.size(); ++i) {
            if (definition.members[i].name == name) {
                dimension.member = i;
            }
        }
        if (!dimension.member) {
            m_input.FailAt(at, ErrorCode::BadTemplate, "no earlier member " + Quoted(name) + " gives the array's size");
        }
        return dimension;
    }

    void ReadRestrictions(Template& definition)
    {
        if (m_input.PeekWord() == Code(Token::Dot)) {
            for (int dot = 0; dot < 3; ++dot) {
                Expect(Token::Dot, "'...'");
            }
            Expect(Token::CloseBracket, "']' after '...'");
            definition.openness = Openness::Open;
            return;
        }
        definition.openness = Openness::Restricted;
        do {
            Restriction restriction;
            restriction.name = ExpectName("the name of an admitted template");
            if (m_input.PeekWord() == Code(Token::Guid)) {
                static_cast<void>(m_input.Word());
                restriction.guid = GuidRecord();
            }
            definition.restrictions.push_back(std::move(restriction));
            if (m_input.PeekWord() == Code(Token::Comma)) {
                static_cast<void>(m_input.Word());
            }
        } while (m_input.PeekWord() != Code(Token::CloseBracket));
        static_cast<void>(m_input.Word());
    }

    std::size_t FindTemplate(const std::string& name, std::size_t at) const
    {
        const auto index = m_registry.Find(name);
        if (!index) {
            m_input.FailAt(at, ErrorCode::UnknownTemplate, "unknown template " + Quoted(name));
        }
        return *index;
    }

    void ReadObject(std::size_t templateIndex, std::size_t at, int depth)
    {
        if (depth > kMaxObjectDepth) {
            m_input.FailAt(at, ErrorCode::TooDeep, "data objects nest more than " + Decimal(kMaxObjectDepth) + " deep");
        }
        const Template& definition = m_registry.At(templateIndex);
        std::string name;
        if (m_input.PeekWord() == Code(Token::Name)) {
            static_cast<void>(m_input.Word());
            name = NameRecord();
        }
        Expect(Token::OpenBrace, "'{' opening the " + Quoted(definition.name) + " object");
        std::optional<Guid> guid;
        if (m_input.PeekWord() == Code(Token::Guid)) {
            static_cast<void>(m_input.Word());
            guid = GuidRecord();
        }
        m_sink.BeginObject(definition.name, name, guid);
        MemberWalk<BinaryReader, Sink>(m_registry, *this, m_sink).Read(templateIndex);
        if (m_list.left != 0) {
            m_input.Fail(ErrorCode::Syntax,
                         "a list holds more values than the members of " + Quoted(definition.name) + " take");
        }
        ReadChildren(definition, depth);
        m_sink.EndObject();
    }

    void ReadChildren(const Template& definition, int depth)
    {
        for (;;) {
            SkipSeparators();
            const std::size_t at = m_input.Offset();
            const std::uint16_t token = m_input.Word();
            if (token == Code(Token::CloseBrace)) {
                return;
            }
            if (token == Code(Token::OpenBrace)) {
                CheckChild(definition, nullptr, at);
                ReadReference();
            } else if (token == Code(Token::Name)) {
                const std::size_t child = FindTemplate(NameRecord(), at);
                CheckChild(definition, &m_registry.At(child), at);
                ReadObject(child, at, depth + 1);
            } else if (token == Code(Token::IntegerList) || token == Code(Token::FloatList) ||
                       token == Code(Token::Integer) || token == Code(Token::String)) {
                m_input.FailAt(at, ErrorCode::Syntax,
                               "more values than the members of " + Quoted(definition.name) + " take");
            } else {
                Unexpected(at, token, "a child object, a reference or '}'");
            }
        }
    }

    void CheckChild(const Template& parent, const Template* child, std::size_t at) const
    {
        if (const auto problem = RefusedChild(parent, child)) {
            m_input.FailAt(at, ErrorCode::Syntax, *problem);
        }
    }

    void ReadReference()
    {
        std::string name;
        if (m_input.PeekWord() == Code(Token::Name)) {
            static_cast<void>(m_input.Word());
            name = NameRecord();
        }
        std::optional<Guid> guid;
        if (m_input.PeekWord() == Code(Token::Guid)) {
            static_cast<void>(m_input.Word());
            guid = GuidRecord();
        }
        if (name.empty() && !guid) {
            m_input.Fail(ErrorCode::Syntax, "a reference needs a name or a GUID");
        }
        Expect(Token::CloseBrace, "'}' closing the reference");
        m_sink.Reference(name, guid);
    }

    BinaryInput m_input;
    std::uint32_t m_floatSize;
    TemplateRegistry m_registry;
    Sink& m_sink;
    PendingList m_list;
};

}  // namespace

namespace {

// The document a binary file starts from: its version and the standard
// templates; an error when the bytes do not start with a binary header.
Result<std::pair<Document, unsigned>> StartBinaryDocument(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    if (!header) {
        return Error{ErrorCode::BadHeader, "byte 0: not a DirectX file header", 0, 0, 0};
    }
    if (header->format != "bin ") {
        return Error{ErrorCode::BadHeader, "byte 8: not a binary file (format '" + std::string(header->format) + "')",
                     8, 0, 0};
    }
    Document document = RegisteredDocument();
    document.versionMajor = header->versionMajor;
    document.versionMinor = header->versionMinor;
    return std::pair{std::move(document), header->floatBits};
}

}  // namespace

Result<Document> ParseBinary(std::string_view bytes)
{
    Result<std::pair<Document, unsigned>> start = StartBinaryDocument(bytes);
    if (!start) {
        return start.GetError();
    }
    auto& [document, floatBits] = start.Value();
    ModelSink sink(document.objects);
    try {
        BinaryReader<ModelSink>(bytes, floatBits, document, sink).ReadAll();
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return std::move(document);
}

std::optional<Error> VisitBinary(std::string_view bytes, ObjectVisitor& visitor)
{
    Result<std::pair<Document, unsigned>> start = StartBinaryDocument(bytes);
    if (!start) {
        return start.GetError();
    }
    auto& [document, floatBits] = start.Value();
    VisitorSink sink(visitor);
    try {
        BinaryReader<VisitorSink>(bytes, floatBits, document, sink).ReadAll();
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return std::nullopt;
}

}  // namespace verdin::xof
