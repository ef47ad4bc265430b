#pragma once

// The declaration the host tests generate, and how they read what was written.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline const std::string kNumber = "123456797316120314302257";
inline const std::string kNit = "12345679";

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
