#pragma once

#include "base/FileReplacement.h"
#include "base/InputFile.h"
#include "xof/Stream.h"

#include <cstdint>
#include <string>

namespace verdin {

// A text file read in pieces for the streaming conversion.
class FileTextSource : public xof::TextSource {
public:
    // False when the file is not a readable input.
    [[nodiscard]] bool Open(const std::string& path) { return m_in.Open(path); }
    void Close() { m_in.Close(); }
    // Whether a read went wrong before the end of the file.
    [[nodiscard]] bool Failed() const { return m_in.Failed(); }

    // The form the file's header names ("txt ", "bin ", "tzip"…; empty for no
    // DirectX header), read from the start, which the next read gives again.
    [[nodiscard]] std::string Form();
    // The rest of the file, up to the size it had when opened.
    [[nodiscard]] std::string ReadWhole();

    [[nodiscard]] std::uint64_t Size() const override { return m_in.Size(); }
    std::size_t Read(char* buffer, std::size_t size) override { return m_in.Read(buffer, size); }
    void Rewind() override { (void)m_in.Rewind(); }

private:
    InputFile m_in;
};

// The binary form written straight into the replacement of a file.
class ReplacementOutput : public xof::BinaryOutput {
public:
    ReplacementOutput(FileReplacement& file, std::string path) : m_file(file), m_path(std::move(path)) {}

    void Write(std::string_view bytes) override { m_file.Write(bytes.data(), bytes.size()); }
    void Overwrite(std::uint64_t offset, std::string_view bytes) override
    {
        m_file.WriteAt(offset, bytes.data(), bytes.size());
    }
    // A fresh replacement; if none can be opened, nothing more is written and
    // the commit fails.
    void Restart() override { (void)m_file.Open(m_path); }

private:
    FileReplacement& m_file;
    std::string m_path;
};

}  // namespace verdin
