#include "app/FileList.h"

#include "base/PathHelpers.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <filesystem>

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

bool FileList::IsModelPath(const std::string& path)
{
    const std::string extension = PathExtension(path);
    return CompareNoCase(extension, "cob") == 0 || CompareNoCase(extension, "scn") == 0 ||
           CompareNoCase(extension, "x") == 0;
}

bool FileList::IsWanted(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error) || IsModelPath(path);
}

bool FileList::AddFile(const std::string& path)
{
    std::error_code error;
    if (!IsModelPath(path) || std::filesystem::is_directory(path, error))
        return false;
    m_entries.push_back({path, PathTitle(path)});
    return true;
}

std::size_t FileList::AddFolder(const std::string& path)
{
    std::size_t added = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(path, error), end; !error && entry != end; entry.increment(error))
        added += AddFile(entry->path().string());
    return added;
}

std::size_t FileList::AddFilesAndFolders(const std::vector<std::string>& paths)
{
    std::size_t added = 0;
    std::error_code error;
    for (const std::string& path : paths)
        added += std::filesystem::is_directory(path, error) ? AddFolder(path) : AddFile(path);
    return added;
}

void FileList::Remove(std::vector<std::size_t> positions)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (auto position = positions.rbegin(); position != positions.rend(); ++position)
        if (*position < m_entries.size())
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*position));
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
