#pragma once
// Scratch files for tests: a private folder removed with everything in it,
// and whole-file reads and writes.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// A fresh folder below the system's temporary folder, removed at the end.
class CScratchDir {
public:
    CScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sortavel-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
        else
            ADD_FAILURE() << "cannot make a scratch folder in " << std::filesystem::temp_directory_path();
    }
    ~CScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }
    std::size_t CountEntries() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    if (!(out << bytes))
        ADD_FAILURE() << "cannot write " << path;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
