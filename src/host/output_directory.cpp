#include "host/output_directory.h"

#include "host/safe_file_writer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kForbiddenInNames = "\\/:*?\"<>|";

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(Utf8Path(path), error);
}

void MakeLevelIfMissing(const std::string& path)
{
    std::error_code error;
    if (!Exists(path))
        std::filesystem::create_directory(Utf8Path(path), error);
}

} // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return IsControl(c) || kForbiddenInNames.find(c) != std::string_view::npos;
    });
}

std::optional<std::string> TaxpayerDirectory(const std::string& chosen, const std::string& nit,
                                             const OutputPlace& place)
{
    if (chosen == place.defaultDirectory)
        return chosen + nit;
    if (!Exists(chosen))
        return std::nullopt;
    return chosen + place.separator + nit;
}

std::string MakeFormDirectory(const std::string& taxpayerDirectory, const OutputPlace& place)
{
    MakeLevelIfMissing(taxpayerDirectory);
    const std::string formDirectory = taxpayerDirectory + place.separator + std::string(kFormDirectory);
    MakeLevelIfMissing(formDirectory);
    return formDirectory;
}
