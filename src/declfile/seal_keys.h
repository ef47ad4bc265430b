#pragma once

#include <string_view>

namespace formulario {

// The three fixed keys of every sealed declaration file. Sealing and
// unsealing must use the same values: a file sealed under other keys reads
// back as a checksum failure.
struct SealKeys {
    std::string_view digit;  // 5 printable characters: enciphers the salt check digits
    std::string_view tail;   // 25 bytes: the file key after the salt check digits
    std::string_view check;  // 10 bytes: enciphers the data check digits
};

SealKeys LoadSealKeys();

}  // namespace formulario
