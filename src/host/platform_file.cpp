#include "host/platform_file.h"

#include <algorithm>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace formulario {

namespace fs = std::filesystem;

namespace {

// Reads at most `maxBytes` from `read`, refusing more: `read(buffer, size)`
// gives the bytes read, 0 at the end, or -1 on failure.
template <typename Read> FileContent ReadBounded(std::uintmax_t knownSize, std::uintmax_t maxBytes, Read read)
{
    FileContent content;
    if (knownSize > maxBytes)
        return {ReadProblem::kTooLarge, {}};
    try {
        content.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(knownSize, maxBytes)) + 1);
        std::size_t filled = 0;
        for (;;) {
            if (filled == content.bytes.size()) {
                if (content.bytes.size() > maxBytes)
                    return {ReadProblem::kTooLarge, {}};
                content.bytes.resize(
                    static_cast<std::size_t>(std::min<std::uintmax_t>(maxBytes + 1, content.bytes.size() * 2)));
            }
            const long long got = read(content.bytes.data() + filled, content.bytes.size() - filled);
            if (got < 0)
                return {ReadProblem::kFailed, {}};
            if (got == 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        if (filled > maxBytes)
            return {ReadProblem::kTooLarge, {}};
        content.bytes.resize(filled);
    } catch (const std::bad_alloc&) {
        return {ReadProblem::kNoMemory, {}};
    }
    return content;
}

#ifdef _WIN32

HANDLE AsHandle(FileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

class CWindowsFileSystem final : public CFileSystem {
public:
    // Files of the user's profile folder inherit its owner-only access.
    std::optional<FileHandle> CreateNew(const fs::path& path, bool) override
    {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return std::nullopt;
        return reinterpret_cast<FileHandle>(file);
    }
    bool WriteAll(FileHandle file, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
            DWORD written = 0;
            if (!WriteFile(AsHandle(file), bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool Sync(FileHandle file) override { return FlushFileBuffers(AsHandle(file)) != 0; }
    bool Close(FileHandle file) override { return CloseHandle(AsHandle(file)) != 0; }
    bool Replace(const fs::path& from, const fs::path& to) override
    {
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    // The rename was written through.
    bool SyncFolder(const fs::path&) override { return true; }
    void Remove(const fs::path& path) override { DeleteFileW(path.c_str()); }
};

bool IsPlainEntry(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

#else

class CPosixFileSystem final : public CFileSystem {
public:
    std::optional<FileHandle> CreateNew(const fs::path& path, bool ownerOnly) override
    {
        const int file =
            open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, ownerOnly ? 0600 : 0666);
        if (file < 0)
            return std::nullopt;
        return file;
    }
    bool WriteAll(FileHandle file, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = write(static_cast<int>(file), bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }
    bool Sync(FileHandle file) override { return fsync(static_cast<int>(file)) == 0; }
    bool Close(FileHandle file) override { return close(static_cast<int>(file)) == 0; }
    bool Replace(const fs::path& from, const fs::path& to) override { return rename(from.c_str(), to.c_str()) == 0; }
    bool SyncFolder(const fs::path& folder) override
    {
        const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (handle < 0)
            return false;
        const bool synced = fsync(handle) == 0;
        close(handle);
        return synced;
    }
    void Remove(const fs::path& path) override { unlink(path.c_str()); }
};

// The open regular file's content, within the bound.
FileContent ReadOpenFile(int file, std::uintmax_t maxBytes)
{
    struct stat status {};
    if (fstat(file, &status) != 0)
        return {ReadProblem::kFailed, {}};
    if (!S_ISREG(status.st_mode))
        return {ReadProblem::kNotRegular, {}};
    return ReadBounded(static_cast<std::uintmax_t>(status.st_size), maxBytes,
                       [file](char* buffer, std::size_t size) -> long long {
                           for (;;) {
                               const ssize_t got = read(file, buffer, size);
                               if (got >= 0 || errno != EINTR)
                                   return got;
                           }
                       });
}

#endif

}  // namespace

CFileSystem& PlatformFileSystem()
{
#ifdef _WIN32
    static CWindowsFileSystem files;
#else
    static CPosixFileSystem files;
#endif
    return files;
}

#ifdef _WIN32

FileContent ReadRegularFile(const fs::path& path, std::uintmax_t maxBytes, LinkRule links)
{
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (links == LinkRule::kRefuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A folder is not opened as a file at all.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return {folder ? ReadProblem::kNotRegular : ReadProblem::kNotOpened, {}};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    FileContent content{ReadProblem::kNotRegular, {}};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information) &&
        IsPlainEntry(information.dwFileAttributes)) {
        const std::uintmax_t size = (std::uintmax_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
        content = ReadBounded(size, maxBytes, [file](char* buffer, std::size_t size) -> long long {
            DWORD got = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30));
            return ReadFile(file, buffer, chunk, &got, nullptr) ? static_cast<long long>(got) : -1;
        });
    }
    CloseHandle(file);
    return content;
}

bool IsRegularFileEntry(const fs::path& path)
{
    return IsPlainEntry(GetFileAttributesW(path.c_str()));
}

bool MakePrivateFolder(const fs::path& path)
{
    std::error_code error;
    fs::create_directories(path, error);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool MoveRegularFile(const fs::path& from, const fs::path& to)
{
    return IsRegularFileEntry(from) &&
           MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveRegularFile(const fs::path& path)
{
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    return IsRegularFileEntry(path) && DeleteFileW(path.c_str()) != 0;
}

#else

FileContent ReadRegularFile(const fs::path& path, std::uintmax_t maxBytes, LinkRule links)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == LinkRule::kRefuse ? O_NOFOLLOW : 0);
    const int file = open(path.c_str(), flags);
    if (file < 0)
        return {errno == ELOOP ? ReadProblem::kNotRegular : ReadProblem::kNotOpened, {}};
    FileContent content = ReadOpenFile(file, maxBytes);
    close(file);
    return content;
}

bool IsRegularFileEntry(const fs::path& path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool MakePrivateFolder(const fs::path& path)
{
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    mkdir(path.c_str(), 0700);
    const int folder = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    struct stat status {};
    const bool own = fstat(folder, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid() &&
                     (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    const bool madePrivate = own && fchmod(folder, status.st_mode & S_IRWXU) == 0;
    close(folder);
    return madePrivate;
}

bool MoveRegularFile(const fs::path& from, const fs::path& to)
{
    const int file = open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat status {};
    const bool moved = fstat(file, &status) == 0 && S_ISREG(status.st_mode) && fchmod(file, S_IRUSR | S_IWUSR) == 0 &&
                       rename(from.c_str(), to.c_str()) == 0;
    close(file);
    return moved;
}

bool RemoveRegularFile(const fs::path& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && unlink(path.c_str()) == 0;
}

#endif

}  // namespace formulario
