#include "app/FileList.h"

#include "base/PathHelpers.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace verdin {

namespace {

// Reads the character at `offset` and advances past it.
wint_t NextCharacter(std::string_view text, std::size_t& offset, std::mbstate_t& state)
{
    wchar_t character = 0;
    std::size_t length = std::mbrtowc(&character, text.data() + offset, text.size() - offset, &state);
    if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) || length == 0) {
        state = std::mbstate_t{};
        character = static_cast<unsigned char>(text[offset]);
        length = 1;
    }
    offset += length;
    return std::towlower(static_cast<wint_t>(character));
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b)
{
    std::mbstate_t stateA{}, stateB{};
    std::size_t offsetA = 0, offsetB = 0;
    while (offsetA < a.size() && offsetB < b.size()) {
        const wint_t charA = NextCharacter(a, offsetA, stateA);
        const wint_t charB = NextCharacter(b, offsetB, stateB);
        if (charA != charB)
            return charA < charB ? -1 : 1;
    }
    return static_cast<int>(offsetA < a.size()) - static_cast<int>(offsetB < b.size());
}

bool FileList::IsCobPath(const std::string& path)
{
    const std::string extension = PathExtension(path);
    return CompareNoCase(extension, "cob") == 0 || CompareNoCase(extension, "scn") == 0;
}

bool FileList::AddFile(const std::string& path)
{
    if (!IsCobPath(path))
        return false;
    m_entries.push_back({path, PathTitle(path)});
    return true;
}

void FileList::SortByTitle()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return CompareNoCase(a.title, b.title) < 0; });
}

std::vector<std::string> FileList::Paths() const
{
    std::vector<std::string> paths;
    paths.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        paths.push_back(entry.path);
    return paths;
}

}  // namespace verdin
