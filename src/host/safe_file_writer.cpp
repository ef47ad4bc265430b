#include "host/safe_file_writer.h"

#include <system_error>

namespace formulario {

namespace {

// How many names beside the target are tried for the temporary file before
// giving up: a name is taken when anything, a planted link included, has it.
constexpr unsigned kTemporaryNames = 64;

struct Temporary {
    std::filesystem::path path;
    FileHandle file;
};

std::optional<Temporary> CreateTemporaryBeside(const std::filesystem::path& target, bool ownerOnly, CFileSystem& files)
{
    for (unsigned attempt = 0; attempt < kTemporaryNames; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp" + std::to_string(attempt);
        if (const auto file = files.CreateNew(candidate, ownerOnly))
            return Temporary{candidate, *file};
    }
    return std::nullopt;
}

// A file the user marked read-only is not replaced, even where renaming over
// it would be allowed (as for root, or on file systems that ignore the mark).
bool IsReadOnlyFile(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::is_regular_file(status) &&
           (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

std::filesystem::path FolderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

}  // namespace

CStatus WriteFileWholeWith(CFileSystem& files, const std::string& path, std::string_view bytes, FileAccess access)
{
    const bool ownerOnly = access == FileAccess::kOwnerOnly;
    const std::filesystem::path target = Utf8Path(path);
    const CStatus notCreated(Cause::kNotCreated, path), notWritten(Cause::kNotWritten, path);
    if (target.empty() || IsReadOnlyFile(target))
        return notCreated;
    const auto temporary = CreateTemporaryBeside(target, ownerOnly, files);
    if (!temporary)
        return notCreated;
    const bool written = files.WriteAll(temporary->file, bytes) && files.Sync(temporary->file);
    if (!files.Close(temporary->file) || !written) {
        files.Remove(temporary->path);
        return notWritten;
    }
    if (!files.Replace(temporary->path, target)) {
        files.Remove(temporary->path);
        return notCreated;
    }
    return files.SyncFolder(FolderOf(target)) ? CStatus() : notWritten;
}

// Where paths are UTF-16 (Windows), the conversions fail on a text that is
// not UTF-8, or a name that is not UTF-16.
std::filesystem::path Utf8Path(std::string_view path)
{
    try {
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
    } catch (const std::filesystem::filesystem_error&) {
        return {};
    }
}

std::string Utf8Text(const std::filesystem::path& path)
{
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::filesystem::filesystem_error&) {
        return {};
    }
}

CStatus WriteFileWhole(const std::string& path, std::string_view bytes)
{
    return WriteFileWholeWith(PlatformFileSystem(), path, bytes, FileAccess::kShared);
}

CStatus WritePrivateFileWhole(const std::string& path, std::string_view bytes)
{
    return WriteFileWholeWith(PlatformFileSystem(), path, bytes, FileAccess::kOwnerOnly);
}

}  // namespace formulario
