#include "host/output_directory.h"

#include "host/safe_file_writer.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

namespace formulario {

namespace {

constexpr std::string_view kForbiddenInNames = "\\/:*?\"<>|";

// Names Windows keeps for its devices, whatever the extension.
constexpr std::string_view kReservedNames[] = {"CON", "PRN", "AUX", "NUL"};
constexpr std::string_view kNumberedReservedNames[] = {"COM", "LPT"};

bool IsReservedName(std::string_view name)
{
    std::string stem(name.substr(0, name.find('.')));
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (std::find(std::begin(kReservedNames), std::end(kReservedNames), stem) != std::end(kReservedNames))
        return true;
    return stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
           std::find(std::begin(kNumberedReservedNames), std::end(kNumberedReservedNames),
                     std::string_view(stem).substr(0, 3)) != std::end(kNumberedReservedNames);
}

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

}  // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ' || IsReservedName(name))
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return IsControl(c) || kForbiddenInNames.find(c) != std::string_view::npos; });
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

}  // namespace formulario
