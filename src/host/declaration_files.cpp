#include "host/declaration_files.h"

#include "host/safe_file_writer.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace formulario {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDataFilePrefix = "DRN-";

bool IsDeclarationFileName(const std::string& name)
{
    return name.starts_with(kDataFilePrefix) && name.find('.') == std::string::npos;
}

void CollectFiles(const fs::path& folder, std::set<std::string>& found)
{
    std::error_code error;
    fs::recursive_directory_iterator entries(folder, fs::directory_options::skip_permission_denied, error);
    for (const fs::recursive_directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::error_code statusError;
        if (entry.is_directory(statusError) && entries.depth() >= kRegisterDepth)
            entries.disable_recursion_pending();
        if (entry.is_regular_file(statusError) && IsDeclarationFileName(Utf8Text(entry.path().filename())))
            found.insert(Utf8Text(entry.path().lexically_normal()));
    }
}

}  // namespace

std::vector<std::string> FindDeclarationFiles(const std::vector<std::string>& folders)
{
    std::set<std::string> found;
    for (const std::string& folder : folders) {
        std::error_code error;
        const fs::path absolute = fs::absolute(Utf8Path(folder), error);
        if (!error)
            CollectFiles(absolute, found);
    }
    return {found.begin(), found.end()};
}

}  // namespace formulario
