#pragma once

// The one place in the core that calls the platform: files created
// exclusively and never through a link, written durably, read with a bound,
// and a private folder that is the user's own.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace formulario {

// An open file of the platform (a descriptor, or a handle on Windows).
using FileHandle = std::intptr_t;

// The file-system steps of a durable write. The writer goes through this
// seam so that tests can watch the order of the steps or make one fail.
class CFileSystem {
public:
    virtual ~CFileSystem() = default;

    // A new file at `path`, open for writing; nothing when any entry, a link
    // included, already has that name or the file cannot be made. An
    // owner-only file is given that mode as it is created.
    virtual std::optional<FileHandle> CreateNew(const std::filesystem::path& path, bool ownerOnly) = 0;
    virtual bool WriteAll(FileHandle file, std::string_view bytes) = 0;
    // Waits until the file's content is on the disk.
    virtual bool Sync(FileHandle file) = 0;
    virtual bool Close(FileHandle file) = 0;
    // Renames `from` over `to`, replacing any file (or link itself) there.
    virtual bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Waits until the folder's entries (a rename in it) are on the disk.
    virtual bool SyncFolder(const std::filesystem::path& folder) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The platform's own file system.
CFileSystem& PlatformFileSystem();

enum class ReadProblem {
    kNone,
    kNotOpened,   // no such file, or it cannot be opened
    kNotRegular,  // a folder, a FIFO, a device, or a link when links are not followed
    kTooLarge,    // more bytes than the bound
    kFailed,      // the read failed
    kNoMemory,
};

struct FileContent {
    ReadProblem problem = ReadProblem::kNone;
    std::string bytes;
};

enum class LinkRule { kFollow, kRefuse };

// The whole content of the regular file at `path`, of at most `maxBytes`
// bytes. Opening never waits (on a FIFO or a device), and what is not a
// regular file is refused before anything is read.
FileContent ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, LinkRule links);

// Whether `path` itself (never what a link there points to) is a regular file.
bool IsRegularFileEntry(const std::filesystem::path& path);

// Makes the folder `path` where missing (with its parents) for its owner
// only, and tells whether it can hold private files: a real folder (not a
// link), the user's own, not writable by others. On an existing folder it
// takes away what others may do, through the open folder.
bool MakePrivateFolder(const std::filesystem::path& path);

// Moves the regular file `from` to `to` (replacing what is there) and makes
// it its owner's only, through the open file; anything else at `from`, a
// link included, is left as it is and the move fails.
bool MoveRegularFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes `path` when it is a regular file; true when no file is left there
// (nothing was there, or it was removed). A link or a folder is left alone.
bool RemoveRegularFile(const std::filesystem::path& path);

}  // namespace formulario
