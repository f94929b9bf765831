#include "d3drm/RetainedMode.h"

#include "base/FileReplacement.h"
#include "xof/Xof.h"

#include <fstream>
#include <sstream>

namespace verdin {

namespace {

constexpr long kLoadFailed = static_cast<long>(E_FAIL_RESULT & 0x7FFFFFFF);

}  // namespace

long Direct3DRMCreate(std::unique_ptr<RetainedMode>& created)
{
    created = std::make_unique<RetainedMode>();
    return 0;
}

long MeshBuilder::Load(const std::string& path)
{
    m_document.reset();
    std::ifstream in;
    if (IsReadableInput(path))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        m_loadError = "cannot be read";
        return kLoadFailed;
    }
    std::ostringstream text;
    text << in.rdbuf();
    xof::Result<xof::Document> parsed = xof::ParseText(text.str());
    if (!parsed) {
        m_loadError = parsed.GetError().message;
        return kLoadFailed;
    }
    m_document = std::move(parsed).Value();
    return 0;
}

std::uint32_t MeshBuilder::Save(const std::string& path, int format, int options)
{
    if (!m_document || format != D3DRMXOF_BINARY)
        return E_FAIL_RESULT;
    const std::string binary = xof::WriteBinary(
        *m_document, (options & D3DRMXOFSAVE_TEMPLATES) ? xof::BinaryOptions::Templates : xof::BinaryOptions::None);
    FileReplacement file;
    if (!file.Open(path))
        return E_FAIL_RESULT;
    file.Write(binary.data(), binary.size());
    return file.Commit() ? 0 : E_FAIL_RESULT;
}

}  // namespace verdin
