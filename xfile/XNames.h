#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace verdin {

// The names of a file's frames and meshes. A .x name holds only letters,
// digits and "_" and does not start with a digit, so any other byte of a
// shown name becomes "_"; animations name their frame, so no two are alike:
// a name already given gets "_2", "_3"…
class XNames {
public:
    std::string Unique(std::string_view shown);

private:
    std::unordered_set<std::string> m_given;
    std::unordered_map<std::string, long long> m_nextSuffix;
};

}  // namespace verdin
