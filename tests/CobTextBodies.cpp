#include "CobTextBodies.h"

#include <charconv>

namespace verdin::test {

const std::string kTextHeader = "Caligari V00.01ALH" + std::string(13, ' ') + "\n";
const std::string kTextEnd = "END  V1.00 Id 0 Parent 0 Size        0";

namespace {

std::string Number(float value)
{
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

std::string Numbers(std::initializer_list<float> values, const char* separator = " ")
{
    std::string text;
    for (float value : values)
        text += (text.empty() ? "" : separator) + Number(value);
    return text + "\n";
}

}  // namespace

std::string TextChunk(const std::string& tag, int minor, int id, int parent, const std::string& body)
{
    return tag + " V0." + (minor < 10 ? "0" : "") + std::to_string(minor) + " Id " + std::to_string(id) + " Parent " +
           std::to_string(parent) + " Size 00000007\n" + body;
}

std::string TextPlacement(const std::string& name, const Matrix& position)
{
    std::string text = "Name " + name + "\ncenter 0 0 0\nx axis 1 0 0\ny axis 0 1 0\nz axis 0 0 1\nTransform\n";
    for (const auto& row : position)
        text += Numbers({row[0], row[1], row[2], row[3]});
    return text + "0 0 0 1\n";
}

std::string TextPolH(const PolygonSpec& polygon)
{
    std::string text = TextPlacement(polygon.name, polygon.position);
    text += "World Vertices " + std::to_string(polygon.vertices.size()) + "\n";
    for (const auto& vertex : polygon.vertices)
        text += Numbers({vertex[0], vertex[1], vertex[2]});
    text += "Texture Vertices " + std::to_string(polygon.uvs.size()) + "\n";
    for (const auto& uv : polygon.uvs)
        text += Numbers({uv[0], uv[1]});
    text += "Faces " + std::to_string(polygon.faces.size()) + "\n";
    for (const FaceSpec& face : polygon.faces) {
        const bool hole = (face.flags & 0x08) != 0;
        // Appended piece by piece: "<" + text makes GCC 12 warn falsely of an
        // overlapping copy (-Wrestrict).
        text += hole ? "Hole" : "Face";
        text += " verts " + std::to_string(face.corners.size()) + " flags " + std::to_string(face.flags);
        if (!hole)
            text += " mat " + std::to_string(face.material);
        text += '\n';
        for (const auto& [vertex, uv] : face.corners) {
            text += '<';
            text += std::to_string(vertex) + "," + std::to_string(uv) + "> ";
        }
        text += '\n';
    }
    return text + "DrawFlags 0\n";
}

std::string TextMat1(const MaterialSpec& material)
{
    const std::string facet = material.facet == 'a'   ? "auto" + std::to_string(material.autoFacetAngle)
                              : material.facet == 's' ? "smooth"
                                                      : "flat";
    return "mat# " + std::to_string(material.number) + "\nshader: phong  facet: " + facet + "\nrgb " +
           Numbers({material.colour[0], material.colour[1], material.colour[2]}, ",") + "alpha 1  ka " + Number(0.1f) +
           "  ks " + Number(0.5f) + "  exp " + Number(material.exponent) + "  ior 1  kd 0.6\n";
}

std::string TextChan(const ChannelSpec& channel)
{
    std::string text = "Name AnimationSet0 \ntype " + channel.type + "\n";
    if (channel.type == "Vertex")
        text += "vertex " + std::to_string(channel.vertex) + "\n";
    text += "flags " + std::to_string(channel.flags) + " frames " + std::to_string(channel.keys.size()) + "\n";
    for (const ChannelKey& key : channel.keys) {
        text += "time " + Number(key.frame) + " acc " + Number(key.acc);
        if (channel.type == "Move")
            text += " t " + Number(key.tension) + " c " + Number(key.continuity) + " b " + Number(key.bias);
        if (channel.type == "Rotate")
            text += " orientation " + Number(key.value[0]) + "  " + Numbers({key.value[1], key.value[2], key.value[3]});
        else
            text += " position " + Numbers({key.value[0], key.value[1], key.value[2]});
    }
    return text;
}

std::string TextShaders(const MapSpec& texture)
{
    return "Shader class: color\nShader name: \"texture map\" (caligari texture map)\nNumber of parameters: 7\n"
           "file name: string \"" +
           texture.name + "\"\nS repeat: float " + Number(texture.repeat[0]) + " \t\nT repeat: float " +
           Number(texture.repeat[1]) + "\nS offset: float " + Number(texture.offset[0]) + "\nT offset: float " +
           Number(texture.offset[1]) + "\nFlags: 3\nShader class: transparency\nfile name: string \"other.bmp\"\n";
}

}  // namespace verdin::test
