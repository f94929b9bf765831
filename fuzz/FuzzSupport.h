#pragma once

#include "base/ReportLog.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

// A folder of the fuzz process's own, in memory where the system has such a
// place, removed when the process ends.
class FuzzFolder {
public:
    FuzzFolder()
    {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
        m_path = base / ("verdin-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_path);
    }
    ~FuzzFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string Path(const std::string& name) const { return (m_path / name).string(); }

    // Writes bytes as the file `name` in the folder; its path.
    std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size) const
    {
        const std::string path = Path(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path;
    }

private:
    std::filesystem::path m_path;
};

// A report that goes nowhere.
class QuietReport : public verdin::ReportLog {
public:
    void AppendText(std::string_view) override {}
    void ClearText() override {}
};
