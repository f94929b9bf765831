#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "xof/Document.h"
#include "xof/src/NameCase.h"

namespace verdin::xof {

// The text form's words for the primitive types.
inline constexpr std::array<std::pair<std::string_view, Primitive>, 11> kPrimitiveKeywords{{
    {"WORD", Primitive::Word},
    {"DWORD", Primitive::Dword},
    {"FLOAT", Primitive::Float},
    {"DOUBLE", Primitive::Double},
    {"CHAR", Primitive::Char},
    {"UCHAR", Primitive::Uchar},
    {"SWORD", Primitive::Sword},
    {"SDWORD", Primitive::Sdword},
    {"STRING", Primitive::String},
    {"UNICODE", Primitive::Unicode},
    {"CSTRING", Primitive::Cstring},
}};

inline std::optional<Primitive> PrimitiveKeyword(std::string_view word)
{
    for (const auto& [keyword, type] : kPrimitiveKeywords) {
        if (SameWord(word, keyword)) {
            return type;
        }
    }
    return std::nullopt;
}

// A word the text reader takes for a keyword wherever a template's name could stand.
inline bool IsKeyword(std::string_view word)
{
    return SameWord(word, "template") || SameWord(word, "array") || PrimitiveKeyword(word).has_value();
}

}  // namespace verdin::xof
