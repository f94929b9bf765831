#include "xof/src/BinarySink.h"

#include <cstring>

namespace verdin::xof {

void BinarySink::WriteTemplate(const Template& definition)
{
    Word(Token::Template);
    Name(definition.name);
    Word(Token::OpenBrace);
    GuidRecord(definition.guid);
    for (const Member& member : definition.members) {
        WriteMember(definition, member);
    }
    if (definition.openness == Openness::Open) {
        Word(Token::OpenBracket);
        Word(Token::Dot);
        Word(Token::Dot);
        Word(Token::Dot);
        Word(Token::CloseBracket);
    } else if (definition.openness == Openness::Restricted) {
        Word(Token::OpenBracket);
        for (const Restriction& restriction : definition.restrictions) {
            Name(restriction.name);
            if (restriction.guid) {
                GuidRecord(*restriction.guid);
            }
        }
        Word(Token::CloseBracket);
    }
    Word(Token::CloseBrace);
    Settle();
}

void BinarySink::WriteMember(const Template& definition, const Member& member)
{
    if (!member.dimensions.empty()) {
        Word(Token::Array);
    }
    if (member.primitive) {
        Word(static_cast<std::uint16_t>(*member.primitive));
    } else {
        Name(member.templateName);
    }
    if (!member.name.empty()) {
        Name(member.name);
    }
    for (const Dimension& dimension : member.dimensions) {
        Word(Token::OpenBracket);
        if (dimension.member) {
            Name(definition.members[*dimension.member].name);
        } else {
            Word(Token::Integer);
            Dword(dimension.size);
        }
        Word(Token::CloseBracket);
    }
    Word(Token::Semicolon);
}

void BinarySink::BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>& guid)
{
    EndList();
    Name(templateName);
    if (!name.empty()) {
        Name(name);
    }
    Word(Token::OpenBrace);
    if (guid) {
        GuidRecord(*guid);
    }
    Settle();
}

void BinarySink::Real(Primitive, double value)
{
    if (m_list != Token::FloatList) {
        StartList(Token::FloatList);
    }
    const float single = static_cast<float>(value);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    Dword(bits);
    ++m_count;
    Settle();
}

// The string record ends with a 16-bit terminator, as the readers in use take it.
void BinarySink::Text(Primitive, std::string_view text)
{
    EndList();
    Word(Token::String);
    Dword(static_cast<std::uint32_t>(text.size()));
    m_out += text;
    Word(Token::Semicolon);
    Settle();
}

void BinarySink::Reference(std::string_view name, const std::optional<Guid>& guid)
{
    EndList();
    Word(Token::OpenBrace);
    if (!name.empty()) {
        Name(name);
    }
    if (guid) {
        GuidRecord(*guid);
    }
    Word(Token::CloseBrace);
    Settle();
}

void BinarySink::EndObject()
{
    EndList();
    Word(Token::CloseBrace);
    Settle();
}

void BinarySink::Finish()
{
    EndList();
    Flush();
}

void BinarySink::Flush()
{
    m_output.Write(m_out);
    m_handedOver += m_out.size();
    m_out.clear();
}

void BinarySink::StartList(Token kind)
{
    EndList();
    Word(kind);
    m_countAt = m_handedOver + m_out.size();
    Dword(0);
    m_list = kind;
    m_count = 0;
}

void BinarySink::EndList()
{
    if (!m_list) {
        return;
    }
    const char count[4] = {static_cast<char>(m_count & 0xFF), static_cast<char>((m_count >> 8) & 0xFF),
                           static_cast<char>((m_count >> 16) & 0xFF), static_cast<char>(m_count >> 24)};
    if (m_countAt >= m_handedOver) {
        std::memcpy(&m_out[static_cast<std::size_t>(m_countAt - m_handedOver)], count, sizeof count);
    } else {
        m_output.Overwrite(m_countAt, std::string_view(count, sizeof count));
    }
    m_list.reset();
}

void BinarySink::Word(std::uint16_t value)
{
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    m_out.append(bytes, sizeof bytes);
}

void BinarySink::Name(std::string_view name)
{
    Word(Token::Name);
    Dword(static_cast<std::uint32_t>(name.size()));
    m_out += name;
}

void BinarySink::GuidRecord(const Guid& guid)
{
    Word(Token::Guid);
    Dword(guid.data1);
    Word(guid.data2);
    Word(guid.data3);
    m_out.append(reinterpret_cast<const char*>(guid.data4.data()), guid.data4.size());
}

}  // namespace verdin::xof
