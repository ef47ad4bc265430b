#pragma once

#include "declfile/status.h"
#include "host/platform_file.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace formulario {

// The whole content of the regular file at the UTF-8 `path`, of at most
// kMaxDeclarationFileBytes; otherwise why not (UnreadableFileStatus), found
// without waiting on a FIFO or a device and without reading an oversize file.
CResult<std::string> ReadDeclarationFile(const std::string& path);

// As ReadDeclarationFile, without the cause: nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Why a declaration file could not be read, as the status of unsealing it.
CStatus UnreadableFileStatus(ReadProblem problem);

// Everything left in `stream`, within the same bound.
CResult<std::string> ReadWholeStream(std::istream& stream);

}  // namespace formulario
