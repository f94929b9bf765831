#include "render/SceneReader.h"

#include "base/FileSystemPath.h"
#include "base/PathHelpers.h"
#include "d3drm/FileStreams.h"
#include "render/SceneBuilder.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace verdin::render {

namespace {

std::optional<std::string> ReadMeshes(const std::string& path, Scene& scene)
{
    SceneBuilder builder(scene);
    FileTextSource text;
    if (!text.Open(path))
        return "cannot be read";
    // Binary and compressed files are read whole; text streams through a window.
    const std::string format = text.Form();
    if (format == "bin " || format == "tzip" || format == "bzip") {
        const std::string bytes = text.ReadWhole();
        if (text.Failed())
            return "cannot be read";
        if (const auto error = xof::Visit(bytes, builder))
            return error->message;
        builder.Finish();
        return std::nullopt;
    }
    if (const auto error = xof::VisitText(text, builder))
        return error->message;
    if (text.Failed())
        return "cannot be read";
    builder.Finish();
    return std::nullopt;
}

// Where a texture named in the file lies: the name as it stands when it is
// absolute, else beside the file, by the whole name or its last part.
std::string TexturePath(const std::string& folder, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.starts_with('/'))
        return name;
    const std::string beside = PathJoin(folder, name);
    std::error_code error;
    if (std::filesystem::exists(FileSystemPath(beside), error))
        return beside;
    return PathJoin(folder, PathFileName(name));
}

void ReadTextures(const std::string& path, Scene& scene, const ImageReader& readImage)
{
    const std::string folder = PathDirectory(path);
    std::map<std::string, int> read;  // texture path to its index, -1 when unreadable
    for (SceneMesh& mesh : scene.meshes)
        for (SceneMaterial& material : mesh.materials) {
            if (material.textureName.empty())
                continue;
            const std::string texturePath = TexturePath(folder, material.textureName);
            auto [entry, isNew] = read.try_emplace(texturePath, -1);
            if (isNew) {
                if (std::optional<RgbaImage> image = readImage(texturePath);
                    image && image->width > 0 && image->height > 0) {
                    entry->second = static_cast<int>(scene.textures.size());
                    scene.textures.push_back(std::move(*image));
                }
            }
            material.texture = entry->second;
        }
}

}  // namespace

std::optional<std::string> ReadScene(const std::string& path, Scene& scene, const ImageReader& readImage)
{
    scene = Scene{};
    if (auto error = ReadMeshes(path, scene)) {
        scene = Scene{};
        return error;
    }
    ReadTextures(path, scene, readImage);
    return std::nullopt;
}

}  // namespace verdin::render
