#include "TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

CScratchDir::CScratchDir()
{
    static std::atomic<int> counter{0};
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "inkart";
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_dir = (fs::path(testing::TempDir()) / ("inkart-" + name + "-" + std::to_string(counter++))).string();
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
}

CScratchDir::~CScratchDir()
{
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

std::string CScratchDir::Write(const std::string& name, const std::string& text) const
{
    std::string path = Path(name);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, size_t at) { return b.at(at) | (b.at(at + 1) << 8); }

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

std::int32_t S32(const std::vector<std::uint8_t>& b, size_t at) { return static_cast<std::int32_t>(U32(b, at)); }
