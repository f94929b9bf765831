#include "d3drm/RetainedMode.h"

#include "base/FileReplacement.h"
#include "xof/Xof.h"

#include <filesystem>
#include <fstream>

namespace verdin {

namespace {

constexpr long kLoadFailed = static_cast<long>(E_FAIL_RESULT & 0x7FFFFFFF);

// A readable input read whole, in one allocation of its size.
bool ReadWholeFile(const std::string& path, std::string& text)
{
    if (!IsReadableInput(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!in || error)
        return false;
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(size));
    return static_cast<std::uintmax_t>(in.gcount()) == size;
}

}  // namespace

long Direct3DRMCreate(std::unique_ptr<RetainedMode>& created)
{
    created = std::make_unique<RetainedMode>();
    return 0;
}

long MeshBuilder::Load(const std::string& path)
{
    m_binaryWithTemplates.reset();
    m_text.clear();
    if (!ReadWholeFile(path, m_text)) {
        m_loadError = "cannot be read";
        return kLoadFailed;
    }
    xof::Result<std::string> binary = xof::TextToBinary(m_text, xof::BinaryOptions::Templates);
    if (!binary) {
        m_loadError = binary.GetError().message;
        m_text.clear();
        return kLoadFailed;
    }
    m_binaryWithTemplates = std::move(binary).Value();
    return 0;
}

std::uint32_t MeshBuilder::Save(const std::string& path, int format, int options)
{
    if (!m_binaryWithTemplates || format != D3DRMXOF_BINARY)
        return E_FAIL_RESULT;
    std::optional<std::string> withoutTemplates;
    if (!(options & D3DRMXOFSAVE_TEMPLATES)) {
        xof::Result<std::string> binary = xof::TextToBinary(m_text, xof::BinaryOptions::None);
        if (!binary)
            return E_FAIL_RESULT;
        withoutTemplates = std::move(binary).Value();
    }
    const std::string& binary = withoutTemplates ? *withoutTemplates : *m_binaryWithTemplates;
    FileReplacement file;
    if (!file.Open(path))
        return E_FAIL_RESULT;
    file.Write(binary.data(), binary.size());
    return file.Commit() ? 0 : E_FAIL_RESULT;
}

}  // namespace verdin
