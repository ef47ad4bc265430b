#pragma once

#include "host/safe_file_writer.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using namespace formulario;

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
    // The directory's path as UTF-8 text, as the program's paths are.
    std::string str() const { return Utf8Text(m_path); }

    // Writes `content` as the file `name` in the directory; the file's path,
    // the directory's and the name joined by "/" (a separator on every system).
    std::string Write(const std::string& name, const std::string& content) const
    {
        const std::string path = str() + "/" + name;
        std::ofstream(Utf8Path(path), std::ios::binary) << content;
        return path;
    }

private:
    std::filesystem::path m_path;
};

