#pragma once

#include "xgltf/XModel.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace verdin {
class ReportLog;
}

namespace verdin::xgltf {

// At most this many joints move a vertex, as glTF's one set of joints holds.
inline constexpr std::size_t kInfluences = 4;

struct Influence {
    std::uint16_t joint = 0;
    float weight = 0;
};

// A mesh's skin as glTF holds it: the joints' nodes, their inverse bind
// matrices (16 floats each, column after column), and for each of the
// file's vertices four joints whose weights sum to 1.
struct SkinWeighting {
    std::vector<int> joints;
    std::vector<float> inverseBinds;
    std::vector<std::array<Influence, kInfluences>> influences;
};

// The skin of a mesh, nothing when it has none. Each frame it names is the
// node of that name; a frame that is missing, a vertex out of range or a
// weight that is no positive number is left out with a report line. A vertex
// of the file's copies (VertexDuplicationIndices) without weights of its own
// takes its original's; one still without any follows `node`, as it would
// unskinned. Of more than four weights, the four largest are kept and scaled
// to sum 1.
std::optional<SkinWeighting> WeighSkin(const XMesh& mesh, int node,
                                       const std::map<std::string, int, std::less<>>& nodes, ReportLog& report);

}  // namespace verdin::xgltf
