#include "d3drm/RetainedMode.h"

#include "base/FileReplacement.h"
#include "xof/Xof.h"

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
    m_loadError.clear();
    m_text.emplace();
    if (!m_text->Open(path)) {
        m_text.reset();
        m_loadError = "cannot be read";
        return kLoadFailed;
    }
    return 0;
}

// The text is read even when no replacement can be opened: an unreadable text
// is a failure of its own.
std::uint32_t MeshBuilder::Save(const std::string& path, int format, int options)
{
    if (!m_text || format != D3DRMXOF_BINARY)
        return E_FAIL_RESULT;
    FileReplacement file;
    const bool opened = file.Open(path);
    ReplacementOutput output(file, path);
    const xof::BinaryOptions binaryOptions =
        options & D3DRMXOFSAVE_TEMPLATES ? xof::BinaryOptions::Templates : xof::BinaryOptions::None;
    const std::optional<xof::Error> error = xof::TextToBinary(*m_text, output, binaryOptions);
    const bool readFailed = m_text->Failed();
    // Closed first: a file still open for reading cannot be replaced everywhere.
    m_text.reset();
    if (error || readFailed) {
        m_loadError = error ? error->message : "cannot be read";
        return E_FAIL_RESULT;
    }
    return opened && file.Commit() ? 0 : E_FAIL_RESULT;
}

}  // namespace verdin
