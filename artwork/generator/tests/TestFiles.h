// Scratch files for tests that go through the file system, and little-endian readers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh directory per test, removed afterwards.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    std::string Write(const std::string& name, const std::string& text) const;   // returns the path

private:
    std::string m_dir;
};

std::vector<std::uint8_t> ReadAll(const std::string& path);
std::uint32_t U16(const std::vector<std::uint8_t>& b, size_t at);
std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at);
std::int32_t S32(const std::vector<std::uint8_t>& b, size_t at);
