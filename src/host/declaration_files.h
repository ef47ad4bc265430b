#pragma once

#include <string>
#include <vector>

namespace formulario {

// How many folder levels below a register folder are searched: a folder
// chosen for "Generar" holds NIT/7316/DRN-….
inline constexpr int kRegisterDepth = 3;

// The declaration data files in each folder and up to kRegisterDepth levels
// below it: regular files named "DRN-" with no dot (neither the HTML copy
// nor a temporary beside a file). Links to folders are not followed. Sorted,
// each file once even when folders overlap.
std::vector<std::string> FindDeclarationFiles(const std::vector<std::string>& folders);

}  // namespace formulario
