#pragma once

#include "CobBuilder.h"

#include "cob/ChanChunk.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace verdin::test {

// Bodies of the chunks the converter reads, from plain values.

struct FaceSpec {
    std::uint8_t flags = 0x10;
    std::int16_t material = 0;                                   // not written for a hole (flag 0x08)
    std::vector<std::pair<std::int32_t, std::int32_t>> corners;  // (vertex, UV)
    std::optional<std::int16_t> storedCount = std::nullopt;      // when not the number of corners
};

using Matrix = std::array<std::array<float, 4>, 3>;
constexpr Matrix kIdentity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

struct PolygonSpec {
    std::string name;
    Matrix position = kIdentity;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 2>> uvs;
    std::vector<FaceSpec> faces;
};

struct MapSpec {
    std::uint8_t flags = 0x02;
    std::string name;
    std::array<float, 2> offset = {0, 0};
    std::array<float, 2> repeat = {1, 1};
};

struct MaterialSpec {
    std::int16_t number = 0;
    char facet = 'f';
    std::uint8_t autoFacetAngle = 30;
    std::array<float, 3> colour = {1, 1, 1};
    float exponent = 0;
    std::optional<MapSpec> texture;
};

struct ChannelSpec {
    std::string type;
    std::int32_t vertex = 0;  // written for a Vertex channel
    std::int16_t flags = 0;
    std::vector<ChannelKey> keys;                            // t c b written for Move, w for Rotate
    std::optional<std::int16_t> storedCount = std::nullopt;  // when not the number of keys
};

PolygonSpec NamedPolygon(std::string name);
// A side × side grid of quads in the plane z = 0.25, without texture
// coordinates: 45 MB of .x for a side of 600.
PolygonSpec QuadGrid(int side);

// Name, axes (the unit axes at the origin) and position matrix.
CobBuilder PlacementBody(const std::string& name, const Matrix& position = kIdentity);
CobBuilder PolHBody(const PolygonSpec& polygon);
CobBuilder Mat1Body(const MaterialSpec& material);
// A channel named "AnimationSet0".
CobBuilder ChanBody(const ChannelSpec& channel);
// The shaders of a material as newer files keep them: plain white, the
// transparency shader "glass" with that opacity, and "caligari phong" with
// that specular factor and exponent; then a displacement shader with a
// parameter of a type no reader knows.
CobBuilder ShBxBody(float opacity, float specular, float exponent);

// A whole file as later versions of the modeller write it: two triangles
// placed one unit apart, the first with a Mat1 0.8 material, which is refused
// unless newer materials are read.
CobBuilder LaterModel();

}  // namespace verdin::test
