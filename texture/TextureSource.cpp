#include "texture/TextureSource.h"

#include "base/FileSystemPath.h"
#include "base/PathHelpers.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace verdin {

namespace {

// A file, not a folder, is there.
bool IsThere(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(FileSystemPath(path), error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Names from Windows start at a drive or a root on either separator.
bool IsRelative(const std::string& name)
{
    return !name.starts_with('/') && !name.starts_with('\\') && !(name.size() >= 2 && name[1] == ':');
}

// The first file of the folder, in name order, whose name is `name` without
// regard to case.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(FileSystemPath(folder.empty() ? "." : folder), error);
    std::optional<std::string> found;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string entry = NameOfPath(entries->path().filename());
        if (EqualIgnoringCase(entry, name) && !entries->is_directory(error) && (!found || entry < *found))
            found = entry;
    }
    if (found)
        return folder + *found;
    return std::nullopt;
}

}  // namespace

std::string FindTextureSource(const std::string& stored, const std::string& modelFolder)
{
    if (IsRelative(stored) && IsThere(modelFolder + stored))
        return modelFolder + stored;
    if (IsThere(stored))
        return stored;
    const std::string baseName = PathFileName(stored);
    if (baseName.empty())
        return stored;
    if (IsThere(modelFolder + baseName))
        return modelFolder + baseName;
    return FindIgnoringCase(modelFolder, baseName).value_or(stored);
}

}  // namespace verdin
