#include "render/Scene.h"

namespace verdin::render {

std::size_t Scene::Vertices() const
{
    std::size_t count = 0;
    for (const SceneMesh& mesh : meshes)
        count += mesh.positions.size();
    return count;
}

std::size_t Scene::Faces() const
{
    std::size_t count = 0;
    for (const SceneMesh& mesh : meshes)
        count += mesh.faces;
    return count;
}

}  // namespace verdin::render
