#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// The file-system path of a UTF-8 path text.
std::filesystem::path Utf8Path(std::string_view path);

enum class WriteResult {
    kWritten,
    kNotCreated,  // the file could not be made, or could not replace the old one
    kNotWritten,  // the bytes could not be written
};

// Writes `bytes` as the whole content of the file at `path`, replacing any
// file of that name: first into a new file beside it, then renamed over it.
// A read-only file of that name is not replaced. On failure the temporary
// file is removed and any earlier file is intact.
WriteResult WriteFileWhole(const std::string& path, std::string_view bytes);

// As WriteFileWhole, for a file that only its owner may read or write: the
// new file is given those permissions before any byte goes into it, so the
// file, and its temporary on the way, are never readable by others.
WriteResult WritePrivateFileWhole(const std::string& path, std::string_view bytes);

// How the flows write files; tests pass a failing one.
using FileWriter = std::function<WriteResult(const std::string& path, std::string_view bytes)>;
