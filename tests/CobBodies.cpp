#include "CobBodies.h"

namespace verdin::test {

PolygonSpec NamedPolygon(std::string name)
{
    PolygonSpec polygon;
    polygon.name = std::move(name);
    return polygon;
}

PolygonSpec QuadGrid(int side)
{
    PolygonSpec grid = NamedPolygon("grid");
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x)
            grid.vertices.push_back({static_cast<float>(x), static_cast<float>(y), 0.25f});
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int v = y * (side + 1) + x;
            grid.faces.push_back({0x10, 0, {{v, 0}, {v + 1, 0}, {v + side + 2, 0}, {v + side + 1, 0}}});
        }
    return grid;
}

CobBuilder PlacementBody(const std::string& name, const Matrix& position)
{
    CobBuilder body;
    body.Name(name);
    for (float axes : {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1})
        body.Float(axes);
    for (const auto& row : position)
        for (float value : row)
            body.Float(value);
    return body;
}

CobBuilder PolHBody(const PolygonSpec& polygon)
{
    CobBuilder body = PlacementBody(polygon.name, polygon.position);
    body.Int32(static_cast<std::int32_t>(polygon.vertices.size()));
    for (const auto& vertex : polygon.vertices)
        body.Float(vertex[0]).Float(vertex[1]).Float(vertex[2]);
    body.Int32(static_cast<std::int32_t>(polygon.uvs.size()));
    for (const auto& uv : polygon.uvs)
        body.Float(uv[0]).Float(uv[1]);
    body.Int32(static_cast<std::int32_t>(polygon.faces.size()));
    for (const FaceSpec& face : polygon.faces) {
        body.Bytes(std::string(1, static_cast<char>(face.flags)));
        body.Int16(face.storedCount.value_or(static_cast<std::int16_t>(face.corners.size())));
        if ((face.flags & 0x08) == 0)
            body.Int16(face.material);
        for (const auto& [vertex, uv] : face.corners)
            body.Int32(vertex).Int32(uv);
    }
    return body;
}

CobBuilder Mat1Body(const MaterialSpec& material)
{
    CobBuilder body;
    body.Int16(material.number).Bytes("p").Bytes(std::string(1, material.facet));
    body.Bytes(std::string(1, static_cast<char>(material.autoFacetAngle)));
    body.Float(material.colour[0]).Float(material.colour[1]).Float(material.colour[2]);
    body.Float(1).Float(0.1f).Float(0.5f).Float(material.exponent).Float(1);
    if (material.texture) {
        const MapSpec& map = *material.texture;
        body.Bytes("t:").Bytes(std::string(1, static_cast<char>(map.flags))).String(map.name);
        body.Float(map.offset[0]).Float(map.offset[1]).Float(map.repeat[0]).Float(map.repeat[1]);
    }
    return body;
}

CobBuilder ChanBody(const ChannelSpec& channel)
{
    CobBuilder body;
    body.String("AnimationSet0").String(channel.type);
    if (channel.type == "Vertex")
        body.Int32(channel.vertex);
    body.Int16(channel.flags).Int16(channel.storedCount.value_or(static_cast<std::int16_t>(channel.keys.size())));
    for (const ChannelKey& key : channel.keys) {
        body.Float(key.frame).Float(key.acc);
        if (channel.type == "Move")
            body.Float(key.tension).Float(key.continuity).Float(key.bias);
        body.Float(key.value[0]).Float(key.value[1]).Float(key.value[2]);
        if (channel.type == "Rotate")
            body.Float(key.value[3]);
    }
    return body;
}

CobBuilder ShBxBody(float opacity, float specular, float exponent)
{
    constexpr std::int32_t kFloat = 3, kColour = 7;
    CobBuilder body;
    body.Bytes(std::string(1, '\0')).String("plain").Int32(1);
    body.String("colour").Int32(kColour).Float(1).Float(1).Float(1).Int16(3);
    body.Bytes("\x01").String("glass").Int32(1).String("opacity").Int32(kFloat).Float(opacity).Int16(3);
    body.Bytes("\x02").String("caligari phong").Int32(2);
    body.String("specular factor").Int32(kFloat).Float(specular);
    body.String("exponent").Int32(kFloat).Float(exponent).Int16(3);
    return body.Bytes("\x03").String("bumps").Int32(1).String("depth").Int32(99).Float(1).Int16(3);
}

CobBuilder LaterModel()
{
    PolygonSpec left = NamedPolygon("left");
    left.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    left.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    PolygonSpec right = left;
    right.name = "right";
    right.position[0][3] = 1;
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(left))
        .Chunk("Mat1", 0, 8, 2, 1, Mat1Body({}))
        .Chunk("PolH", 0, 8, 3, 0, PolHBody(right))
        .End();
}

}  // namespace verdin::test
