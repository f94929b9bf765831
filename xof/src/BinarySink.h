#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/src/BinaryTokens.h"

namespace verdin::xof {

// Writes binary tokens for template definitions and for the events of a
// sink (see ModelSink.h) as they come. Consecutive integer values form one
// integer list and consecutive reals one float list (4-byte singles); each
// list's count is filled in when it ends.
class BinarySink {
public:
    explicit BinarySink(std::string& out) : m_out(out) {}

    void WriteTemplate(const Template& definition);

    void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>& guid);
    void Integer(Primitive, std::uint32_t value)
    {
        if (m_list != Token::IntegerList) {
            StartList(Token::IntegerList);
        }
        Dword(value);
        ++m_count;
    }
    void Real(Primitive type, double value);
    void Text(Primitive type, std::string_view text);
    void Reserve(std::uint64_t values);
    void Reference(std::string_view name, const std::optional<Guid>& guid);
    void EndObject();

private:
    void WriteMember(const Template& definition, const Member& member);
    void StartList(Token kind);
    void EndList();

    void Word(std::uint16_t value);
    void Word(Token token) { Word(static_cast<std::uint16_t>(token)); }
    void Dword(std::uint32_t value)
    {
        const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                               static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
        m_out.append(bytes, sizeof bytes);
    }
    void Name(std::string_view name);
    void GuidRecord(const Guid& guid);

    std::string& m_out;
    std::optional<Token> m_list;  // the list being written, if any
    std::size_t m_countAt = 0;
    std::uint32_t m_count = 0;
};

}  // namespace verdin::xof
