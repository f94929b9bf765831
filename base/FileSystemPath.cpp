#include "base/FileSystemPath.h"

#include <climits>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace verdin {

std::filesystem::path FileSystemPath(std::string_view name)
{
#ifdef _WIN32
    if (name.empty() || name.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(name.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), size, wide.data(), length);
    return std::filesystem::path(std::move(wide));
#else
    return std::filesystem::path(name);
#endif
}

std::string NameOfPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string name(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, name.data(), length, nullptr, nullptr);
    return name;
#else
    return path.string();
#endif
}

std::string FullPath(const std::string& name)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FileSystemPath(name), error);
    const std::filesystem::path full = error ? absolute : std::filesystem::weakly_canonical(absolute, error);
    return error ? name : NameOfPath(full);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(FileSystemPath(a), FileSystemPath(b), error);
}

}  // namespace verdin
