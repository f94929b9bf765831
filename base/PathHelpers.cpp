#include "base/PathHelpers.h"

#include <algorithm>
#include <cwchar>

namespace verdin {

namespace {

constexpr std::size_t kNone = std::string::npos;

// Byte offset of the last character of `text` that `wanted` accepts.
template <typename Predicate>
std::size_t FindLastCharacter(const std::string& text, Predicate wanted)
{
    std::size_t found = kNone;
    std::mbstate_t state{};
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t length = std::mbrlen(text.data() + offset, text.size() - offset, &state);
        if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) || length == 0) {
            state = std::mbstate_t{};  // not a character here: take the byte alone
            length = 1;
        }
        if (length == 1 && wanted(text[offset]))
            found = offset;
        offset += length;
    }
    return found;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

char FoldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t FindExtensionDot(const std::string& fileName)
{
    const std::size_t dot = FindLastCharacter(fileName, [](char c) { return c == '.'; });
    return dot == 0 ? kNone : dot;
}

}  // namespace

std::string PathDirectory(const std::string& path)
{
    std::size_t end = FindLastCharacter(path, IsSeparator);
    if (end == kNone)
        end = FindLastCharacter(path, [](char c) { return c == ':'; });
    return end == kNone ? std::string() : path.substr(0, end + 1);
}

std::string PathFileName(const std::string& path)
{
    return path.substr(PathDirectory(path).size());
}

std::string PathTitle(const std::string& path)
{
    std::string fileName = PathFileName(path);
    const std::size_t dot = FindExtensionDot(fileName);
    return dot == kNone ? fileName : fileName.substr(0, dot);
}

std::string PathExtension(const std::string& path)
{
    const std::string fileName = PathFileName(path);
    const std::size_t dot = FindExtensionDot(fileName);
    return dot == kNone ? std::string() : fileName.substr(dot + 1);
}

std::string PathJoin(const std::string& folder, const std::string& name)
{
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    return folder.empty() || PathFileName(folder).empty() ? folder + name : folder + kSeparator + name;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

std::string QuotedFileName(const std::string& path)
{
    // Appended piece by piece: "'" + name, inserting at the front, makes
    // GCC 12 warn falsely of an overlapping copy (-Wrestrict) at -O3.
    std::string quoted = "'";
    quoted += PathFileName(path);
    quoted += '\'';
    return quoted;
}

}  // namespace verdin
