#include "d3drm/RetainedMode.h"

#include "base/FileReplacement.h"
#include "xof/Xof.h"

namespace verdin {

namespace {

constexpr long kLoadFailed = static_cast<long>(E_FAIL_RESULT & 0x7FFFFFFF);

xof::BinaryOptions WriterOptions(int options)
{
    return options & D3DRMXOFSAVE_TEMPLATES ? xof::BinaryOptions::Templates : xof::BinaryOptions::None;
}

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

std::uint32_t MeshBuilder::Save(const std::string& path, int format, int options)
{
    m_saveError.clear();
    if (!m_text || (format != D3DRMXOF_BINARY && format != D3DRMXOF_TEXT))
        return E_FAIL_RESULT;
    if (format == D3DRMXOF_BINARY) {
        // A text, or what is no DirectX file at all, goes the streaming way,
        // whose reader names what is wrong with a header.
        const std::string form = m_text->Form();
        if (form.empty() || form == "txt ")
            return StreamTextToBinary(path, options);
    }
    return ConvertWhole(path, format, options);
}

// The text is read even when no replacement can be opened: an unreadable text
// is a failure of its own.
std::uint32_t MeshBuilder::StreamTextToBinary(const std::string& path, int options)
{
    FileReplacement file;
    const bool opened = file.Open(path);
    ReplacementOutput output(file, path);
    const std::optional<xof::Error> error = xof::TextToBinary(*m_text, output, WriterOptions(options));
    const bool readFailed = m_text->Failed();
    // Closed first: a file still open for reading cannot be replaced everywhere.
    m_text.reset();
    if (error || readFailed) {
        m_loadError = error ? error->message : "cannot be read";
        return E_FAIL_RESULT;
    }
    return opened && file.Commit() ? 0 : E_FAIL_RESULT;
}

std::uint32_t MeshBuilder::ConvertWhole(const std::string& path, int format, int options)
{
    std::string bytes = m_text->ReadWhole();
    const bool readFailed = m_text->Failed();
    m_text.reset();
    xof::Result<xof::Document> document =
        readFailed ? xof::Error{xof::ErrorCode::Truncated, "cannot be read", 0, 0, 0} : xof::Parse(bytes);
    if (!document) {
        m_loadError = document.GetError().message;
        return E_FAIL_RESULT;
    }
    std::string().swap(bytes);
    xof::Result<std::string> written = format == D3DRMXOF_TEXT
                                           ? xof::WriteText(document.Value(), WriterOptions(options))
                                           : xof::WriteBinary(document.Value(), WriterOptions(options));
    if (!written) {
        m_saveError = written.GetError().message;
        return E_FAIL_RESULT;
    }
    FileReplacement file;
    if (!file.Open(path))
        return E_FAIL_RESULT;
    file.Write(written.Value().data(), written.Value().size());
    return file.Commit() ? 0 : E_FAIL_RESULT;
}

}  // namespace verdin
