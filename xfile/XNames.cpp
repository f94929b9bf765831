#include "xfile/XNames.h"

#include "base/NumberFormat.h"

namespace verdin {

namespace {

bool IsNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string Writable(std::string_view shown)
{
    if (shown.empty())
        return "noname";
    std::string name = shown.front() >= '0' && shown.front() <= '9' ? "_" : "";
    for (char c : shown)
        name += IsNameByte(c) ? c : '_';
    return name;
}

}  // namespace

std::string XNames::Unique(std::string_view shown)
{
    const std::string name = Writable(shown);
    std::string given = name;
    // Suffixes go on from the last one this name had, so that many objects of
    // one name take linear time; each try fails on a name given before.
    long long& suffix = m_nextSuffix.try_emplace(name, 2).first->second;
    while (m_given.contains(given))
        given = name + "_" + FormatInt(suffix++);
    m_given.insert(given);
    return given;
}

}  // namespace verdin
