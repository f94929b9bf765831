#pragma once

#include <string>
#include <string_view>

namespace verdin::xof {

// Keywords, and template names that match no template exactly, are read
// without regard to case, as the format's loaders do. ASCII only: the
// locale has no say.
inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        c = LowerAscii(c);
    }
    return folded;
}

inline bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace verdin::xof
