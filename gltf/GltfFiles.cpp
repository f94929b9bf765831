#include "gltf/GltfFiles.h"

#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "gltf/GltfDocument.h"

#include <array>
#include <cstdint>
#include <limits>

namespace verdin::gltf {

namespace {

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kGlbVersion = 2;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"

std::array<char, 4> LittleEndian(std::uint64_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

void WriteUint32(FileReplacement& out, std::uint64_t value)
{
    const std::array<char, 4> bytes = LittleEndian(value);
    out.Write(bytes.data(), bytes.size());
}

std::uint64_t Padded(std::uint64_t size)
{
    return (size + 3) / 4 * 4;
}

}  // namespace

GltfFiles::GltfFiles(ReportLog& report, std::string outputName, std::string binName)
    : m_report(report), m_outputName(std::move(outputName)), m_binName(std::move(binName))
{
}

bool GltfFiles::Open()
{
    for (auto [file, name] : {std::pair{&m_output, &m_outputName}, std::pair{&m_bin, &m_binName}})
        if (!name->empty() && !file->Open(*name)) {
            m_report.AppendLine("Can't open " + *name + " for write.");
            return false;
        }
    return true;
}

bool GltfFiles::Commit(GltfDocument& document)
{
    return m_binName.empty() ? CommitGlb(document) : CommitGltf(document);
}

// The JSON chunk is padded with blanks, the binary chunk with zeros. The
// JSON goes straight into the file; its length, and so the header's, is
// written over the placeholders once known.
bool GltfFiles::CommitGlb(GltfDocument& document)
{
    document.CloseBuffer({});
    for (int i = 0; i < 5; ++i)
        WriteUint32(m_output, 0);
    std::uint64_t json =
        document.WriteText([this](std::string_view text) { m_output.Write(text.data(), text.size()); });
    const std::uint64_t padding = Padded(json) - json;
    m_output.Write("   ", padding);
    json += padding;
    const std::uint64_t binary = document.BufferSize();
    const std::uint64_t total = 12 + 8 + json + (binary == 0 ? 0 : 8 + binary);
    if (total > std::numeric_limits<std::uint32_t>::max())
        return false;
    if (binary > 0) {
        WriteUint32(m_output, binary);
        WriteUint32(m_output, kBinChunk);
        document.WriteBuffer([this](const char* data, std::size_t size) { m_output.Write(data, size); });
    }
    const std::array<std::uint64_t, 5> header{kGlbMagic, kGlbVersion, total, json, kJsonChunk};
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::array<char, 4> bytes = LittleEndian(header[i]);
        m_output.WriteAt(4 * i, bytes.data(), bytes.size());
    }
    return m_output.Commit();
}

// A document without a buffer needs no .bin file.
bool GltfFiles::CommitGltf(GltfDocument& document)
{
    document.CloseBuffer(UriOf(PathFileName(m_binName)));
    if (document.BufferSize() == 0)
        m_bin.Discard();
    else {
        document.WriteBuffer([this](const char* data, std::size_t size) { m_bin.Write(data, size); });
        if (!m_bin.Commit())
            return false;
    }
    document.WriteText([this](std::string_view text) { m_output.Write(text.data(), text.size()); });
    return m_output.Commit();
}

}  // namespace verdin::gltf
