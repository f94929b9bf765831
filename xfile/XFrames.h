#pragma once

#include "xfile/MeshWriters.h"

#include <string>

namespace verdin {

class CPolHChunk;
class SceneModel;
struct XFileWriting;

// One polygon object as a Mesh object, named `name` unless that is empty.
struct MeshObject {
    const CPolHChunk& polygon;
    const TextureScale& textureScale;
    const MeshLayout& layout;
    std::string name = {};
};
void WriteMesh(const XFileWriting& writing, const SceneModel& scene, XTextFile& out, const MeshObject& mesh);

// The scene as nested frames, a named Frame for each group and object with
// its placement relative to its parent in a FrameTransformMatrix, each object
// holding its mesh in its own space. False when the user cancelled before
// every mesh was written.
bool WriteFrames(const XFileWriting& writing, const SceneModel& scene, XTextFile& out, const TextureScale& textureScale,
                 const MeshLayout& layout);

}  // namespace verdin
