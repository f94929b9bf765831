#pragma once

#include <cstring>

namespace verdin {

// Chunk tags: four bytes, compared exactly.
inline bool IsTag(const char* tag, const char (&name)[5])
{
    return std::memcmp(tag, name, 4) == 0;
}

// The tags a body without length is scanned for.
inline bool IsResyncTag(const char* tag)
{
    return IsTag(tag, "END ") || IsTag(tag, "Grou") || IsTag(tag, "PolH") || IsTag(tag, "Mat1");
}

}  // namespace verdin
