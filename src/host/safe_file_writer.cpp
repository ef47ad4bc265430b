#include "host/safe_file_writer.h"

#include <fstream>
#include <system_error>

namespace {

// A name beside `target` that no file has yet (or, when the directory
// cannot be read, one whose creation will fail).
std::filesystem::path FreeNameBeside(const std::filesystem::path& target)
{
    std::error_code error;
    for (unsigned attempt = 0;; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp" + std::to_string(attempt);
        if (!std::filesystem::exists(candidate, error))
            return candidate;
    }
}

bool WriteNewFile(const std::filesystem::path& path, std::string_view bytes, bool ownerOnly,
                  bool& created)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    created = file.is_open();
    if (!created)
        return false;
    if (ownerOnly) {
        std::error_code error;
        std::filesystem::permissions(
            path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::replace, error);
        if (error)
            return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
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

} // namespace

std::filesystem::path Utf8Path(std::string_view path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

namespace {

WriteResult WriteWhole(const std::string& path, std::string_view bytes, bool ownerOnly)
{
    const std::filesystem::path target = Utf8Path(path);
    if (IsReadOnlyFile(target))
        return WriteResult::kNotCreated;
    const std::filesystem::path temporary = FreeNameBeside(target);
    bool created = false;
    const bool written = WriteNewFile(temporary, bytes, ownerOnly, created);
    if (!created)
        return WriteResult::kNotCreated;
    std::error_code error;
    if (!written) {
        std::filesystem::remove(temporary, error);
        return WriteResult::kNotWritten;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return WriteResult::kNotCreated;
    }
    return WriteResult::kWritten;
}

} // namespace

WriteResult WriteFileWhole(const std::string& path, std::string_view bytes)
{
    return WriteWhole(path, bytes, false);
}

WriteResult WritePrivateFileWhole(const std::string& path, std::string_view bytes)
{
    return WriteWhole(path, bytes, true);
}
