#include "texture/TextureCopies.h"

#include "base/FileSystemPath.h"
#include "base/NumberFormat.h"
#include "base/PathHelpers.h"
#include "texture/BmpToPpmConverter.h"

#include <vector>

namespace verdin {

namespace {

std::string Numbered(const std::string& path, int number)
{
    if (number == 1)
        return path;
    const std::string extension = PathExtension(path);
    return PathDirectory(path) + PathTitle(path) + "-" + FormatInt(number) + (extension.empty() ? "" : "." + extension);
}

// The files a copy of that name may lead to: itself, and for a bitmap the
// PPM file the conversion writes beside it.
std::vector<std::string> FilesOf(const std::string& copy)
{
    const std::string extension = PathExtension(copy);
    if (EqualIgnoringCase(extension, "bmp") || EqualIgnoringCase(extension, "ppm"))
        return {FullPath(copy), FullPath(PpmNameFor(copy))};
    return {FullPath(copy)};
}

}  // namespace

std::string TextureCopies::Claim(const std::string& source, const std::string& destination)
{
    const std::string from = FullPath(source);
    std::lock_guard lock(m_mutex);
    for (int number = 1;; ++number) {
        const std::string copy = Numbered(destination, number);
        const std::vector<std::string> files = FilesOf(copy);
        bool free = true;
        for (const std::string& file : files) {
            const auto claimed = m_sources.find(file);
            free = free && (claimed == m_sources.end() || claimed->second == from);
        }
        if (free) {
            for (const std::string& file : files)
                m_sources.emplace(file, from);
            return copy;
        }
    }
}

std::string WritableTextureName(std::string name)
{
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '"')
            c = '_';
    return name;
}

}  // namespace verdin
