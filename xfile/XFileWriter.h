#pragma once

#include "texture/TextureCopies.h"

#include <atomic>
#include <functional>
#include <string>

namespace verdin {

class CChunkList;
class ReportLog;
struct OptionFlags;

// What the X writer works with besides the chunks: the report, the options it
// reads at the moment it needs them, the cancel flag it reads before each
// mesh and during texture copies, the job's texture copies, and how many
// threads besides its own may format the long lists of a large mesh (the file
// is the same whatever the number).
struct XFileWriting {
    ReportLog& report;
    const OptionFlags& options;
    const std::atomic<int>& cancel;
    TextureCopies& textureCopies;
    TexturePassRunner runTexturePass;  // none: the pass runs at once
    unsigned formatHelpers = 0;
    std::string outputFolder = {};  // empty: beside each COB file
};

// The .x file written for a COB file: the same title with ".x", in
// `outputFolder`, or in the COB file's own folder when that is empty.
std::string XFileNameFor(const std::string& cobPath, const std::string& outputFolder = {});

// Writes the DirectX text file for `chunks` beside the COB file `cobPath`, or
// in the output folder, with the textures it names. 1 when the whole file was
// written; 0 when it could not be, was the COB file itself, or the user
// cancelled, and any earlier file of that name is untouched. The texture step
// renames textures in the chunks, and the binary step, when the options ask
// for it, runs after the chunks are cleared.
int WriteXFile(const std::string& cobPath, CChunkList& chunks, const XFileWriting& writing);

}  // namespace verdin
