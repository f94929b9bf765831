#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace verdin {

// Why a file may not look as it did in the modeller; each is mended by an
// option that keeps the look.
enum LookHint : unsigned {
    kHintNewerMaterials = 1,  // materials of a later version refused: written default white
    kHintTextForm = 2,        // a file in the text form, refused
    kHintPositions = 4,       // objects placed apart, written without their positions: they overlap
};

// A file of a job that was not converted or may not look right, for whoever
// shows the job's files.
struct FileNote {
    std::size_t index = 0;  // its place in the job's list, from 0
    bool converted = false;
    bool stopped = false;  // not converted because the job was cancelled during it
    std::string reason;    // when not converted: the file's last report line
    unsigned hints = 0;    // LookHint bits

    bool Failed() const { return !converted && !stopped; }
    bool Noteworthy() const { return Failed() || (!stopped && hints != 0); }
};

inline int CountFailed(const std::vector<FileNote>& notes)
{
    return static_cast<int>(
        std::count_if(notes.begin(), notes.end(), [](const FileNote& note) { return note.Failed(); }));
}

inline int CountWithHint(const std::vector<FileNote>& notes, LookHint hint)
{
    return static_cast<int>(
        std::count_if(notes.begin(), notes.end(), [hint](const FileNote& note) { return (note.hints & hint) != 0; }));
}

}  // namespace verdin
