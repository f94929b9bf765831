#include "base/FileSystemPath.h"

#include <string>

namespace verdin {

std::filesystem::path FileSystemPath(std::string_view name)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

}  // namespace verdin
