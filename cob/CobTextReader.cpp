#include "cob/CobTextReader.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/ChanChunk.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobReader.h"
#include "cob/CobTags.h"
#include "cob/CobTextChannels.h"
#include "cob/CobTextLines.h"
#include "cob/CobTextShaders.h"
#include "cob/GrouChunk.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "cob/SkippedChunks.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace verdin {

namespace {

// The 32-byte file header is the first line.
constexpr int kFirstChunkLine = 2;

constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The chunk with its header's fields; null, after reporting it, for a version
// the converter does not read. Text chunks have no data length: their bodies
// end at the next header line.
template <typename Chunk>
std::unique_ptr<Chunk> StartChunk(std::unique_ptr<Chunk> chunk, const CobTextHeader& header, int type,
                                  ReportLog& report)
{
    chunk->m_nType = type;
    chunk->m_nMajor = header.major;
    chunk->m_nMinor = header.minor;
    chunk->m_nId = header.id;
    chunk->m_nParentId = header.parentId;
    chunk->m_nLength = 0;
    if (!chunk->AcceptsVersion(report))
        return nullptr;
    return chunk;
}

CobString TextString(const CobTextBody& body, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(kInt16Max))
        body.Fail("text too long");
    CobString string;
    string.length = static_cast<std::int16_t>(text.size());
    string.text = text;
    return string;
}

// The first word after `key` on the next line, as a count.
std::int32_t ReadCount(CobTextBody& body, std::string_view key)
{
    const std::vector<std::string_view> words = SplitWords(body.After(body.Next(Quoted(key)), key));
    if (words.empty())
        body.Fail("a count expected");
    return static_cast<std::int32_t>(body.Integer(words[0], 0, kInt32Max));
}

// "Name Sphere,1": the name and its duplicate count.
CobName ReadName(CobTextBody& body)
{
    std::string_view text = body.After(body.Next(Quoted("Name")), "Name");
    CobName name;
    const std::size_t comma = text.rfind(',');
    if (comma != std::string_view::npos && comma + 1 < text.size() &&
        text.find_first_not_of("0123456789", comma + 1) == std::string_view::npos) {
        name.duplicateCount = static_cast<std::int16_t>(body.Integer(text.substr(comma + 1), 0, kInt16Max));
        text = text.substr(0, comma);
    }
    // The modeller writes an object without a name as "NoName".
    if (text != "NoName")
        name.name = TextString(body, text);
    return name;
}

CobVector ReadVector(CobTextBody& body, std::string_view line)
{
    const std::vector<float> values = body.Floats(line, 3);
    return {values[0], values[1], values[2]};
}

CobVector ReadKeyedVector(CobTextBody& body, std::string_view key)
{
    return ReadVector(body, body.After(body.Next(Quoted(key)), key));
}

// The start that groups and polygon objects share: name, axes and matrix,
// whose last row (0 0 0 1) the binary form does not hold.
void ReadPlacement(CobTextBody& body, CobName& name, CobAxes& axes, CobMatrix& position)
{
    name = ReadName(body);
    axes.centre = ReadKeyedVector(body, "center");
    axes.xAxis = ReadKeyedVector(body, "x axis");
    axes.yAxis = ReadKeyedVector(body, "y axis");
    axes.zAxis = ReadKeyedVector(body, "z axis");
    body.After(body.Next(Quoted("Transform")), "Transform");
    for (int row = 0; row < 4; ++row) {
        const std::vector<float> values = body.Floats(body.Next("a row of the matrix"), 4);
        if (row < 3)
            std::copy(values.begin(), values.end(), position.m[row]);
    }
}

// "<vertex,texture vertex>" pairs from `line` on, continued on the lines
// that follow if a face has more corners than one line holds.
void ReadCorners(CobTextBody& body, std::string_view line, int count, std::vector<std::int32_t>& corners)
{
    const auto index = [&](std::string_view word) {
        return static_cast<std::int32_t>(body.Integer(word, std::numeric_limits<std::int32_t>::min(), kInt32Max));
    };
    for (int i = 0; i < count; ++i) {
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.empty()) {
            line = body.Next("the corners of a face");
            --i;
            continue;
        }
        const std::size_t close = line.find('>');
        const std::size_t comma = line.find(',');
        if (line[0] != '<' || close == std::string_view::npos || comma > close)
            body.Fail("\"<vertex,texture vertex>\" expected");
        corners.push_back(index(line.substr(1, comma - 1)));
        corners.push_back(index(line.substr(comma + 1, close - comma - 1)));
        line.remove_prefix(close + 1);
    }
}

// "Face verts 3 flags 0 mat 0" (or "Hole verts 3 flags 8") and its corners.
// The first word decides whether it is a hole, which has no material.
CobFace ReadFace(CobTextBody& body, std::vector<std::int32_t>& corners)
{
    std::string_view line;
    do
        line = body.Next(Quoted("Face"));
    while (line.find_first_not_of(" \t") == std::string_view::npos);

    const std::vector<std::string_view> words = SplitWords(line);
    const bool hole = words[0] == "Hole";
    if (!hole && words[0] != "Face")
        body.Fail(Quoted("Face") + " expected");
    CobFace face;
    bool counted = false;
    for (std::size_t i = 1; i + 1 < words.size(); i += 2) {
        if (words[i] == "verts") {
            face.nVertices = static_cast<std::int16_t>(body.Integer(words[i + 1], 0, kInt16Max));
            counted = true;
        } else if (words[i] == "flags") {
            face.flags = static_cast<std::uint8_t>(body.Integer(words[i + 1], 0, 255));
        } else if (words[i] == "mat" && !hole) {
            face.material = static_cast<std::int16_t>(body.Integer(words[i + 1], -kInt16Max - 1, kInt16Max));
        }
    }
    if (!counted)
        body.Fail(Quoted("verts") + " expected");
    face.flags = hole ? face.flags | CobFace::kHole : face.flags & ~CobFace::kHole;
    face.firstIndex = static_cast<std::uint32_t>(corners.size());
    if (face.nVertices > 0)
        ReadCorners(body, body.Next("the corners of a face"), face.nVertices, corners);
    return face;
}

std::unique_ptr<CChunk> ReadGrou(CobTextBody& body, const CobTextHeader& header, ReportLog& report)
{
    auto group = StartChunk(std::make_unique<CGrouChunk>(), header, CHUNK_GROU, report);
    if (!group)
        return nullptr;
    ReadPlacement(body, group->m_name, group->m_axes, group->m_position);
    return group;
}

std::unique_ptr<CChunk> ReadPolH(CobTextBody& body, const CobTextHeader& header, ReportLog& report)
{
    auto polygon = StartChunk(std::make_unique<CPolHChunk>(), header, CHUNK_POLH, report);
    if (!polygon)
        return nullptr;
    ReadPlacement(body, polygon->m_name, polygon->m_axes, polygon->m_position);

    // Lists grow with the lines actually there, never ahead of them.
    polygon->m_nVertices = ReadCount(body, "World Vertices");
    for (std::int32_t i = 0; i < polygon->m_nVertices; ++i)
        polygon->m_pVertices.push_back(ReadVector(body, body.Next("a vertex")));
    polygon->m_nUVs = ReadCount(body, "Texture Vertices");
    for (std::int32_t i = 0; i < polygon->m_nUVs; ++i) {
        const std::vector<float> uv = body.Floats(body.Next("a texture vertex"), 2);
        polygon->m_pUVs.push_back({uv[0], uv[1]});
    }
    polygon->m_nFaces = ReadCount(body, "Faces");
    for (std::int32_t i = 0; i < polygon->m_nFaces; ++i)
        polygon->m_pFaces.push_back(ReadFace(body, polygon->m_cornerIndices));
    return polygon;
}

std::uint8_t ShaderLetter(const CobTextBody& body, std::string_view word)
{
    if (word == "flat" || word == "phong" || word == "metal")
        return static_cast<std::uint8_t>(word[0]);
    body.Fail("unknown shader " + Quoted(word));
}

// "flat", "smooth", or "auto" and the angle in degrees, as "auto40".
void ReadFacet(const CobTextBody& body, std::string_view word, CMat1Chunk& material)
{
    if (word == "flat" || word == "smooth") {
        material.m_cFacet = static_cast<std::uint8_t>(word[0]);
    } else if (word.starts_with("auto")) {
        material.m_cFacet = 'a';
        material.m_nAutoFacetAngle = static_cast<std::uint8_t>(body.Integer(word.substr(4), 0, 255));
    } else {
        body.Fail("unknown facet " + Quoted(word));
    }
}

// "shader: phong  facet: auto40"
void ReadShading(CobTextBody& body, CMat1Chunk& material)
{
    const std::vector<std::string_view> words = SplitWords(body.Next(Quoted("shader:")));
    if (words.size() < 4 || words[0] != "shader:" || words[2] != "facet:")
        body.Fail(Quoted("shader: <shader>  facet: <facet>") + " expected");
    material.m_cShader = ShaderLetter(body, words[1]);
    ReadFacet(body, words[3], material);
}

// "alpha 1  ka 0  ks 0.1  exp 0  ior 1", maybe with "  kd <diffuse factor>",
// which no material field holds.
void ReadFactors(CobTextBody& body, CMat1Chunk& material)
{
    const std::vector<std::string_view> words = SplitWords(body.Next(Quoted("alpha")));
    struct Factor {
        std::string_view key;
        float* field;
        bool found = false;
    };
    Factor factors[] = {{"alpha", &material.m_fAlpha},
                        {"ka", &material.m_fAmbient},
                        {"ks", &material.m_fSpecular},
                        {"exp", &material.m_fExponent},
                        {"ior", &material.m_fRefraction}};
    for (std::size_t i = 0; i + 1 < words.size(); i += 2)
        for (Factor& factor : factors)
            if (words[i] == factor.key) {
                *factor.field = body.Float(words[i + 1]);
                factor.found = true;
            }
    for (const Factor& factor : factors)
        if (!factor.found)
            body.Fail(Quoted(factor.key) + " expected");
}

std::unique_ptr<CChunk> ReadMat1(CobTextBody& body, const CobTextHeader& header, ReportLog& report,
                                 const CobReaderOptions& options)
{
    auto material = StartChunk(std::make_unique<CMat1Chunk>(options.newerMaterials), header, CHUNK_MAT1, report);
    if (!material)
        return nullptr;
    const std::vector<std::string_view> number = SplitWords(body.After(body.Next(Quoted("mat#")), "mat#"));
    if (number.empty())
        body.Fail("a material number expected");
    material->m_nMaterial = static_cast<std::int16_t>(body.Integer(number[0], -kInt16Max - 1, kInt16Max));
    ReadShading(body, *material);
    material->m_colour = ReadVector(body, body.After(body.Next(Quoted("rgb")), "rgb"));
    ReadFactors(body, *material);
    return material;
}

// A material's shaders. The texture of a textured material is the "file
// name" of its colour shader; it becomes the material's texture record.
// False when no material takes the shaders.
bool ReadShaderChunk(CobTextBody& body, const CobTextHeader& header, const CChunkList& chunks)
{
    ShaderBox shaders = ReadCobTextShaders(body);
    CMat1Chunk* material = FindMat1(chunks, header.parentId);
    if (!material)
        return false;
    const Shader* colour = shaders.OfClass(Shader::Class::kColour);
    const ShaderParameter* file = colour ? colour->Find("file name", ShaderParameter::Type::kString) : nullptr;
    if (file) {
        CobMap& texture = material->m_textureMap;
        texture.flags = CobMap::kUsed;
        texture.name = TextString(body, file->text);
        texture.repeat = {colour->Number("S repeat", 1), colour->Number("T repeat", 1)};
        texture.offset = {colour->Number("S offset", 0), colour->Number("T offset", 0)};
    }
    material->m_shaders = std::move(shaders);
    return true;
}

std::unique_ptr<CChunk> ReadChan(CobTextBody& body, const CobTextHeader& header, ReportLog& report)
{
    auto channel = StartChunk(std::make_unique<CChanChunk>(), header, CHUNK_CHAN, report);
    if (channel)
        ReadCobTextChannel(body, *channel);
    return channel;
}

void ReadChunk(CobTextBody& body, const CobTextHeader& header, ReportLog& report, CChunkList& chunks,
               const CobReaderOptions& options, SkippedChunks& skipped)
{
    std::unique_ptr<CChunk> chunk;
    if (IsTag(header.tag, "Grou")) {
        chunk = ReadGrou(body, header, report);
    } else if (IsTag(header.tag, "PolH")) {
        chunk = ReadPolH(body, header, report);
    } else if (IsTag(header.tag, "Mat1")) {
        chunk = ReadMat1(body, header, report, options);
        if (!chunk && !options.newerMaterials && IsNewerMat1Version(header.major, header.minor))
            chunks.NoteRefusedNewerMaterial();
    } else if (IsTag(header.tag, "Chan") && options.animation) {
        chunk = ReadChan(body, header, report);
    } else {
        skipped.Passing(header.tag);
        skipped.Passed(header.tag, IsTag(header.tag, "ShBx") && ReadShaderChunk(body, header, chunks));
    }
    if (chunk)
        chunks.Append(std::move(chunk));
}

}  // namespace

namespace {

void ReadUpToEnd(CobTextLines& lines, CobTextBody& body, ReportLog& report, CChunkList& chunks,
                 const CobReaderOptions& options, SkippedChunks& skipped)
{
    for (;;) {
        // Blank lines before the first chunk; those after a chunk end its body.
        while (!lines.AtEnd() && lines.NextIsBlank())
            lines.Next();
        if (lines.AtEnd())
            throw CobEofError();
        const int number = lines.NextNumber();
        const std::optional<CobTextHeader> header = ParseCobTextHeader(lines.Next());
        if (!header)
            throw CobTextError("Line " + FormatInt(number) + ": a chunk header expected.");
        if (IsTag(header->tag, "END "))
            return;
        ReadChunk(body, *header, report, chunks, options, skipped);
        body.SkipRest();
    }
}

}  // namespace

void ReadCobTextChunks(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options)
{
    const std::size_t size = file.Remaining();
    const unsigned char* bytes = file.Take(size);
    CobTextLines lines({reinterpret_cast<const char*>(bytes), size}, kFirstChunkLine);
    CobTextBody body(lines);
    SkippedChunks skipped(report, options.summary);
    skipped.Summarised([&] { ReadUpToEnd(lines, body, report, chunks, options, skipped); });
}

}  // namespace verdin
