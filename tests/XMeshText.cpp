#include "XMeshText.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace verdin::test {

namespace {

// Tokens of the text: words (an object's name with its "{"), "}", strings and numbers.
class Tokens {
public:
    explicit Tokens(const std::string& text) : m_text(text) {}

    bool AtEnd()
    {
        SkipSeparators();
        return m_at >= m_text.size();
    }
    std::string Word()
    {
        SkipSeparators();
        const std::size_t start = m_at;
        while (m_at < m_text.size() && (std::isalnum(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == '{' ||
                                        m_text[m_at] == '}' || m_text[m_at] == '_'))
            ++m_at;
        if (start == m_at)
            throw std::runtime_error("word expected at " + std::to_string(m_at));
        return m_text.substr(start, m_at - start);
    }
    bool Next(const std::string& word)
    {
        SkipSeparators();
        if (m_text.compare(m_at, word.size(), word) != 0)
            return false;
        m_at += word.size();
        return true;
    }
    std::string String()
    {
        SkipSeparators();
        const std::size_t end = m_text.find('"', m_at + 1);
        std::string text = m_text.substr(m_at + 1, end - m_at - 1);
        m_at = end + 1;
        return text;
    }
    float Float()
    {
        SkipSeparators();
        float value = 0;
        const auto [end, error] = std::from_chars(m_text.data() + m_at, m_text.data() + m_text.size(), value);
        if (error != std::errc())
            throw std::runtime_error("number expected at " + std::to_string(m_at));
        m_at = static_cast<std::size_t>(end - m_text.data());
        return value;
    }
    int Int() { return static_cast<int>(Float()); }

private:
    void SkipSeparators()
    {
        while (m_at < m_text.size() &&
               (std::isspace(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == ';' || m_text[m_at] == ','))
            ++m_at;
    }

    const std::string& m_text;
    std::size_t m_at = 0;
};

std::vector<std::vector<int>> IndexLists(Tokens& tokens)
{
    std::vector<std::vector<int>> lists(static_cast<std::size_t>(tokens.Int()));
    for (auto& list : lists) {
        list.resize(static_cast<std::size_t>(tokens.Int()));
        for (int& index : list)
            index = tokens.Int();
    }
    return lists;
}

template <std::size_t N>
std::vector<std::array<float, N>> Vectors(Tokens& tokens)
{
    std::vector<std::array<float, N>> vectors(static_cast<std::size_t>(tokens.Int()));
    for (auto& vector : vectors)
        for (float& component : vector)
            component = tokens.Float();
    return vectors;
}

void ReadMaterialList(Tokens& tokens, ParsedMesh& mesh)
{
    mesh.materials.resize(static_cast<std::size_t>(tokens.Int()));
    mesh.faceMaterials.resize(static_cast<std::size_t>(tokens.Int()));
    for (int& material : mesh.faceMaterials)
        material = tokens.Int();
    for (ParsedMaterial& material : mesh.materials) {
        if (tokens.Word() != "Material{")
            throw std::runtime_error("Material expected");
        for (float& component : material.colour)
            component = tokens.Float();
        material.power = tokens.Float();
        for (int i = 0; i < 6; ++i)
            tokens.Float();
        if (tokens.Next("TextureFilename{")) {
            material.texture = tokens.String();
            tokens.Word();
        }
        if (tokens.Word() != "}")
            throw std::runtime_error("end of Material expected");
    }
    tokens.Word();
}

}  // namespace

std::vector<ParsedMesh> ParseMeshes(const std::string& text)
{
    std::vector<ParsedMesh> meshes;
    std::size_t at = 0;
    while ((at = text.find("\nMesh{", at)) != std::string::npos) {
        at += 6;
        const std::string rest = text.substr(at);
        Tokens tokens(rest);
        ParsedMesh& mesh = meshes.emplace_back();
        mesh.vertices = Vectors<3>(tokens);
        mesh.faces = IndexLists(tokens);
        for (std::string word = tokens.Word(); word != "}"; word = tokens.Word()) {
            if (word == "MeshMaterialList{") {
                ReadMaterialList(tokens, mesh);
            } else if (word == "MeshNormals{") {
                mesh.normals = Vectors<3>(tokens);
                mesh.faceNormals = IndexLists(tokens);
                tokens.Word();
            } else if (word == "MeshTextureCoords{") {
                mesh.uvs = Vectors<2>(tokens);
                tokens.Word();
            } else {
                throw std::runtime_error("unexpected " + word);
            }
        }
    }
    return meshes;
}

}  // namespace verdin::test
