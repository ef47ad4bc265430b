#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace formulario {

// Where declaration files go on this platform: the directory the dialog
// offers first (it already ends with a separator) and the path separator.
struct OutputPlace {
    std::string defaultDirectory;
    std::string separator;
};

// The name of the directory level under the taxpayer's NIT.
inline constexpr std::string_view kFormDirectory = "7316";

// Whether `name` can be one file or directory name on every platform: not
// empty, not ending in a dot or a space (so neither "." nor ".."), not a
// device name Windows keeps (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, with or without an extension), and free of control characters and
// of \ / : * ? " < > |.
bool IsPlainFileName(std::string_view name);

// The taxpayer's directory for the chosen directory `chosen` and the NIT:
// the default directory exactly is followed directly by the NIT; any other
// directory gets a separator first, and must exist. Nothing when it does not.
std::optional<std::string> TaxpayerDirectory(const std::string& chosen, const std::string& nit,
                                             const OutputPlace& place);

// Makes the taxpayer's directory and its form directory below it, one level
// at a time, where missing, and returns the form directory's path. A level
// that cannot be made shows later, when a file cannot be created there.
std::string MakeFormDirectory(const std::string& taxpayerDirectory, const OutputPlace& place);

}  // namespace formulario
