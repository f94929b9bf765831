#pragma once

#include <string>
#include <string_view>

namespace verdin {

// File-name parts, found character by character under the current LC_CTYPE,
// so that the second byte of a double-byte character never counts as a
// separator or a dot. Both "\" and "/" separate directories.

// Everything up to and including the last separator; without one, up to and
// including the last ":" (a drive); otherwise empty.
std::string PathDirectory(const std::string& path);
// What follows PathDirectory.
std::string PathFileName(const std::string& path);
// The file name without its extension.
std::string PathTitle(const std::string& path);
// What follows the last "." of the file name, unless that dot begins the name.
std::string PathExtension(const std::string& path);

// `name` in `folder`: joined with the platform's separator unless the folder
// ends with a separator or a drive already.
std::string PathJoin(const std::string& folder, const std::string& name);

// Names compared as file-name searches and extension tests compare them:
// without regard to the case of ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The file name in single quotes, as report lines name a file.
std::string QuotedFileName(const std::string& path);

}  // namespace verdin
