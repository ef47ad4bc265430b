#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("formulario7316-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryDirectory()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }

    // Writes `content` as the file `name` in the directory; the file's path.
    std::string Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(m_path / name, std::ios::binary) << content;
        return (m_path / name).string();
    }

private:
    std::filesystem::path m_path;
};

