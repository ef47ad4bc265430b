#pragma once

#include "declfile/status.h"
#include "host/platform_file.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace formulario {

// The file-system path of a UTF-8 path text: every text that names a file
// becomes a path through here. Where the system's paths are UTF-16
// (Windows), a text that is not UTF-8 names no file: its path is empty, which
// no file operation accepts.
std::filesystem::path Utf8Path(std::string_view path);

// The UTF-8 text of a file-system path; empty for a Windows name that is not
// UTF-16 (a lone surrogate), which no file name of the program's can be.
std::string Utf8Text(const std::filesystem::path& path);

// Writes `bytes` as the whole content of the file at `path`, replacing any
// file of that name: first into a new file beside it, created exclusively
// (never through a link), written, synced to the disk, then renamed over the
// target, and the folder synced; only then is it ok. A read-only file of that
// name is not replaced. On failure the temporary file is removed and any
// earlier file is intact: Cause::kNotCreated when the file could not be made
// or could not replace the old one, kNotWritten when the bytes could not be
// written or not made to last; the detail is the path.
CStatus WriteFileWhole(const std::string& path, std::string_view bytes);

// As WriteFileWhole, for a file that only its owner may read or write: the
// new file is created with those permissions, so the file, and its temporary
// on the way, are never readable by others.
CStatus WritePrivateFileWhole(const std::string& path, std::string_view bytes);

enum class FileAccess { kShared, kOwnerOnly };

// Either of the above, through the file-system steps of `files`.
CStatus WriteFileWholeWith(CFileSystem& files, const std::string& path, std::string_view bytes, FileAccess access);

// How the flows write files; tests pass a failing one.
using FileWriter = std::function<CStatus(const std::string& path, std::string_view bytes)>;

}  // namespace formulario
