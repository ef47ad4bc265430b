#include "host/draft_store.h"

#include "host/platform_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace formulario {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDraftPrefix = "borrador-";
constexpr std::string_view kDraftSuffix = ".txt";
constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::string_view kBackupName = "descartado.txt";
constexpr std::string_view kDamagedName = "danado.txt";

std::string FileName(const std::string& path)
{
    return Utf8Text(Utf8Path(path).filename());
}

// The id of a draft file name "borrador-<id>.txt": decimal digits, a hyphen
// and hexadecimal digits, as NewDraftId makes them.
std::optional<std::string_view> DraftIdOf(std::string_view fileName)
{
    if (!fileName.starts_with(kDraftPrefix) || !fileName.ends_with(kDraftSuffix))
        return std::nullopt;
    const std::string_view id =
        fileName.substr(kDraftPrefix.size(), fileName.size() - kDraftPrefix.size() - kDraftSuffix.size());
    const std::size_t hyphen = id.find('-');
    if (hyphen == 0 || hyphen == std::string_view::npos || hyphen + 1 == id.size() || id.size() > 64)
        return std::nullopt;
    const auto digits = id.substr(0, hyphen), random = id.substr(hyphen + 1);
    const bool ok = std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                    std::all_of(random.begin(), random.end(),
                                [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    return ok ? std::optional(id) : std::nullopt;
}

}  // namespace

CDraftStore::CDraftStore(std::string folder, std::string ownId, FileWriter writer)
    : m_folder(std::move(folder)), m_ownId(std::move(ownId)), m_writer(std::move(writer))
{
}

std::string CDraftStore::DraftPath(std::string_view id) const
{
    return m_folder + "/" + std::string(kDraftPrefix) + std::string(id) + std::string(kDraftSuffix);
}

std::string CDraftStore::LockPath(std::string_view id) const
{
    return m_folder + "/" + std::string(kDraftPrefix) + std::string(id) + std::string(kLockSuffix);
}

std::string CDraftStore::BackupPath() const
{
    return m_folder + "/" + std::string(kBackupName);
}

std::string CDraftStore::DamagedPath() const
{
    return m_folder + "/" + std::string(kDamagedName);
}

CStatus CDraftStore::Prepare()
{
    const fs::path folder = Utf8Path(m_folder);
    m_folderUnsafe = false;
    if (MakePrivateFolder(folder))
        return {};
    std::error_code error;
    if (fs::symlink_status(folder, error).type() == fs::file_type::not_found)
        return {Cause::kNotWritten, m_folder};
    m_folderUnsafe = true;
    return {Cause::kUnsafeFolder, m_folder};
}

CStatus CDraftStore::Save(const Draft& draft)
{
    if (m_folderUnsafe)
        return {Cause::kUnsafeFolder, m_folder};
    const std::string path = DraftPath(m_ownId);
    if (!m_writer(path, DraftText(draft)).ok())
        return {Cause::kNotWritten, path};
    return {};
}

CStatus CDraftStore::Remove()
{
    return Forget(m_ownId);
}

std::vector<std::string> CDraftStore::OtherIds() const
{
    std::vector<std::string> ids;
    if (m_folderUnsafe)
        return ids;
    std::error_code error;
    for (fs::directory_iterator entry(Utf8Path(m_folder), error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = Utf8Text(entry->path().filename());
        const auto id = DraftIdOf(name);
        if (id && *id != m_ownId && entry->symlink_status(error).type() == fs::file_type::regular)
            ids.emplace_back(*id);
    }
    std::sort(ids.begin(), ids.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;  // by start time
    });
    return ids;
}

CResult<Draft> CDraftStore::Load(std::string_view id) const
{
    const std::string path = DraftPath(id);
    const FileContent text = ReadRegularFile(Utf8Path(path), kMaxDraftBytes, LinkRule::kRefuse);
    if (text.problem == ReadProblem::kTooLarge)
        return {Cause::kDamaged, std::string(kTooLargeDraft)};
    if (text.problem != ReadProblem::kNone)
        return {Cause::kDraftUnreadable, FileName(path)};
    return ReadDraftText(text.bytes);
}

// Only a regular file is moved, and it is made its owner's only on the way
// (a draft put there by hand keeps no wider permissions once set aside).
CStatus CDraftStore::MoveTo(std::string_view id, const std::string& target)
{
    const fs::path source = Utf8Path(DraftPath(id));
    std::error_code error;
    if (fs::symlink_status(source, error).type() == fs::file_type::not_found)
        return {};
    if (!MoveRegularFile(source, Utf8Path(target)))
        return {Cause::kNotMoved, FileName(DraftPath(id))};
    return Forget(id);  // its temporaries
}

CStatus CDraftStore::SetAside(std::string_view id)
{
    return MoveTo(id, BackupPath());
}

CStatus CDraftStore::SetAsideDamaged(std::string_view id)
{
    return MoveTo(id, DamagedPath());
}

CStatus CDraftStore::Forget(std::string_view id)
{
    const std::string path = DraftPath(id);
    if (!RemoveRegularFile(Utf8Path(path)))
        return {Cause::kNotMoved, FileName(path)};
    // Temporaries a write cut short left beside it: "<draft>.tmp<n>".
    const std::string temporaryPrefix = FileName(path) + std::string(kTemporaryMark);
    std::vector<fs::path> temporaries;
    std::error_code listing;
    for (fs::directory_iterator entry(Utf8Path(m_folder), listing), end; !listing && entry != end;
         entry.increment(listing)) {
        if (Utf8Text(entry->path().filename()).starts_with(temporaryPrefix))
            temporaries.push_back(entry->path());
    }
    for (const fs::path& temporary : temporaries)
        RemoveRegularFile(temporary);
    return {};
}

CStatus CDraftStore::Adopt(std::string_view id, const Draft& draft)
{
    // Where the draft cannot be taken over (a folder that cannot be written),
    // the recovered work stays on the page and the other file where it is.
    if (!Save(draft).ok())
        return {Cause::kNotMoved, FileName(DraftPath(id))};
    return Forget(id);
}

}  // namespace formulario
