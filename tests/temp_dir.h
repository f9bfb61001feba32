#pragma once
// A temporary folder for a test, removed with everything in it at the end.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quelvar::test {

class TempDir {
public:
    TempDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quelvar-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name = {}) const
    {
        return name.empty() ? m_path : m_path + "/" + name;
    }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    std::string read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::uintmax_t fileSize(const std::string& name) const
    {
        return std::filesystem::file_size(path(name));
    }

    // Changes one byte of a file (flips its lowest bit).
    void corrupt(const std::string& name, std::size_t offset) const
    {
        std::string bytes = read(name);
        bytes.at(offset) = static_cast<char>(bytes.at(offset) ^ 1);
        write(name, bytes);
    }

    // The names in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static bool isEmptyFolder(const std::string& folder)
    {
        return std::filesystem::is_empty(folder);
    }

private:
    std::string m_path;
};

}  // namespace quelvar::test
