#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Stream.h"
#include "xof/src/BinaryTokens.h"

namespace verdin::xof {

// Writes binary tokens for template definitions and for the events of a
// sink (see ModelSink.h) as they come, handing them to an output in pieces of
// about a given size. Consecutive integer values form one integer list and
// consecutive reals one float list (4-byte singles); each list's count is
// filled in when it ends, over the output when its piece has gone.
class BinarySink {
public:
    BinarySink(BinaryOutput& output, std::size_t piece) : m_output(output), m_piece(piece) { m_out.reserve(piece); }

    // Bytes of a form of their own, such as a header.
    void Bytes(std::string_view bytes)
    {
        m_out += bytes;
        Settle();
    }
    void WriteTemplate(const Template& definition);

    void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>& guid);
    void Integer(Primitive, std::uint32_t value)
    {
        if (m_list != Token::IntegerList) {
            StartList(Token::IntegerList);
        }
        Dword(value);
        ++m_count;
        Settle();
    }
    void Real(Primitive type, double value);
    void Text(Primitive type, std::string_view text);
    // Pieces go as they fill: no room to make.
    void Reserve(std::uint64_t) {}
    void Reference(std::string_view name, const std::optional<Guid>& guid);
    void EndObject();
    // Hands over the last piece.
    void Finish();

private:
    void Settle()
    {
        if (m_out.size() >= m_piece) {
            Flush();
        }
    }
    void Flush();
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

    BinaryOutput& m_output;
    std::size_t m_piece;
    std::string m_out;               // the piece being made
    std::uint64_t m_handedOver = 0;  // bytes of the earlier pieces
    std::optional<Token> m_list;     // the list being written, if any
    std::uint64_t m_countAt = 0;     // where its count goes, from the output's start
    std::uint32_t m_count = 0;
};

}  // namespace verdin::xof
