#pragma once

#include <filesystem>
#include <string_view>

namespace verdin {

// The file-system path of a name as the program carries it. On Windows names
// are UTF-8 and the path holds their UTF-16 form (a std::string would be read
// in the C runtime's code page); elsewhere the bytes are taken as they are.
// path::string() gives the name back in the same form.
std::filesystem::path FileSystemPath(std::string_view name);

}  // namespace verdin
