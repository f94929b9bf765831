#pragma once

#include "d3drm/FileStreams.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace verdin {

// Stands where the platform's retained-mode component would: a mesh builder
// that loads a DirectX file and saves what it loaded in binary or text form.

constexpr int D3DRMXOF_BINARY = 0;
constexpr int D3DRMXOF_TEXT = 2;
constexpr int D3DRMXOFSAVE_ALL = 15;
constexpr int D3DRMXOFSAVE_TEMPLATES = 16;
// The component's unspecified failure.
constexpr std::uint32_t E_FAIL_RESULT = 0x80004005u;

class MeshBuilder {
public:
    // 0 when the file can be read; otherwise nonzero, and LoadError() says why.
    [[nodiscard]] long Load(const std::string& path);
    // 0 when the file was written; otherwise a failure code. The file is
    // replaced only once it is complete. The file loaded is read here: a text
    // saved in binary form in pieces, the binary form written as it is made,
    // so that neither is held whole; any other whole. A file that proves
    // unreadable fails with LoadError() saying why; one whose content the
    // form cannot hold, with SaveError().
    [[nodiscard]] std::uint32_t Save(const std::string& path, int format, int options);

    const std::string& LoadError() const { return m_loadError; }
    const std::string& SaveError() const { return m_saveError; }

private:
    [[nodiscard]] std::uint32_t StreamTextToBinary(const std::string& path, int options);
    [[nodiscard]] std::uint32_t ConvertWhole(const std::string& path, int format, int options);

    std::optional<FileTextSource> m_text;
    std::string m_loadError;
    std::string m_saveError;
};

class RetainedMode {
public:
    std::unique_ptr<MeshBuilder> CreateMeshBuilder() { return std::make_unique<MeshBuilder>(); }
};

// 0 and a component, or a failure code and none.
long Direct3DRMCreate(std::unique_ptr<RetainedMode>& created);

}  // namespace verdin
