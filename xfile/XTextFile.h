#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace verdin {

// A buffered text output whose lines end with CR LF on every platform:
// every "\n" written is stored as "\r\n".
class XTextFile {
public:
    // Creates the file, or empties an existing one. False when it cannot.
    bool Open(const std::string& path);
    void Write(std::string_view text);
    // Flushes and closes; false when any byte could not be written.
    bool Close();

private:
    void Flush();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_buffer;
    bool m_bFailed = false;
};

}  // namespace verdin
