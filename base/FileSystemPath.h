#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace verdin {

// The file-system path of a name as the program carries it, and back. On
// Windows names are UTF-8 and paths UTF-16 (a std::string given to
// std::filesystem there is read in the C runtime's code page instead); what
// does not convert, such as a texture name a model stores in another code
// page, becomes U+FFFD, which names no file. Elsewhere the bytes are kept as
// they are.
std::filesystem::path FileSystemPath(std::string_view name);
std::string NameOfPath(const std::filesystem::path& path);

// The file a name stands for, however it is spelled ("./a.x", links, "..."):
// its absolute path with links resolved as far as they exist.
std::string FullPath(const std::string& name);

// Whether two names stand for one existing file (the same device and inode).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace verdin
