#pragma once

#include "base/FileReplacement.h"

#include <string>

namespace verdin {
class ReportLog;
}

namespace verdin::gltf {

class GltfDocument;

// The files of one glTF output: a .glb, or a .gltf with its .bin when
// `binName` is given. Each replaces an earlier file only when complete.
class GltfFiles {
public:
    GltfFiles(ReportLog& report, std::string outputName, std::string binName);

    // False, after reporting it, when a file cannot be written.
    [[nodiscard]] bool Open();
    // Writes the document and puts the files in place; false when they could
    // not be written whole (a .glb holds at most 4 GiB).
    [[nodiscard]] bool Commit(GltfDocument& document);

private:
    bool CommitGlb(GltfDocument& document);
    bool CommitGltf(GltfDocument& document);

    ReportLog& m_report;
    std::string m_outputName;
    std::string m_binName;
    FileReplacement m_output;
    FileReplacement m_bin;
};

}  // namespace verdin::gltf
