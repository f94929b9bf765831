#pragma once

#include <array>
#include <string>
#include <vector>

namespace verdin::test {

// A .x file as a game engine's loader (Irrlicht, null video driver) sees it:
// its mesh buffers, one per material of each mesh, in file order.
struct IrrlichtBuffer {
    unsigned vertices = 0;
    unsigned indices = 0;
    std::array<unsigned, 3> colour{};  // diffuse, 0 to 255
    std::string texture;               // the image loaded for it, "" when none
};

inline bool operator==(const IrrlichtBuffer& a, const IrrlichtBuffer& b)
{
    return a.vertices == b.vertices && a.indices == b.indices && a.colour == b.colour && a.texture == b.texture;
}

struct IrrlichtScene {
    bool loaded = false;
    std::string error;  // refused, or the loader crashed
    std::vector<IrrlichtBuffer> buffers;
};

// Loads in a child process, so that a loader crash is reported, not suffered.
IrrlichtScene LoadWithIrrlicht(const std::string& path);

}  // namespace verdin::test
