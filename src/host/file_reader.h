#pragma once

#include <iosfwd>
#include <optional>
#include <string>

// The whole content of the file at the UTF-8 `path`; nothing when it cannot
// be read (no such file, a directory, a failed read, no memory for it).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Everything left in `stream`.
std::string ReadWholeStream(std::istream& stream);
