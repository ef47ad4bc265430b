#pragma once

#include "declfile/unseal_status.h"
#include "host/platform_file.h"

#include <iosfwd>
#include <optional>
#include <string>

// The whole content of the regular file at the UTF-8 `path`, of at most
// kMaxDeclarationFileBytes; otherwise the problem, found without waiting on a
// FIFO or a device and without reading an oversize file.
FileContent ReadDeclarationFile(const std::string& path);

// As ReadDeclarationFile, without the cause: nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Why a declaration file could not be read, as the status of unsealing it.
UnsealStatus UnreadableFileStatus(ReadProblem problem);

// Everything left in `stream`, within the same bound.
FileContent ReadWholeStream(std::istream& stream);
