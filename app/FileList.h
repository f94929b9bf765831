#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdin {

// Compares two texts character by character under the current LC_CTYPE,
// without regard to case: negative, 0 or positive. A byte that does not start
// a valid character counts as a character of its own.
int CompareNoCase(std::string_view a, std::string_view b);

// The files listed for conversion, in conversion order: the full path of each
// (kept whole, duplicates included) and the title shown for it.
class FileList {
public:
    struct Entry {
        std::string path;
        std::string title;
    };

    // True for the extensions of COB files, "cob" and "scn", and of DirectX
    // files, "x", in any case.
    static bool IsModelPath(const std::string& path);
    // A dropped or chosen item worth taking: a folder, or a model path that
    // is no folder.
    static bool IsWanted(const std::string& path);

    // Appends the path if it names a model file and no folder; false when it
    // is ignored.
    bool AddFile(const std::string& path);
    // Appends the model files a folder holds (not those of its subfolders),
    // in no particular order; how many.
    std::size_t AddFolder(const std::string& path);
    // Adds each folder's model files and each model file; how many were added.
    std::size_t AddFilesAndFolders(const std::vector<std::string>& paths);
    // Removes the entries at the given positions.
    void Remove(std::vector<std::size_t> positions);
    // Orders the entries by title without regard to case; equal titles keep
    // their order.
    void SortByTitle();
    void Clear() { m_entries.clear(); }

    const std::vector<Entry>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }
    std::vector<std::string> Paths() const;

private:
    std::vector<Entry> m_entries;
};

}  // namespace verdin
