#pragma once

#include "declfile/status.h"

#include <span>
#include <string>
#include <string_view>

namespace formulario {

// The seal's byte cipher: each byte is combined with the key by exclusive-or
// and rotated within the byte by a number of bits (1 to 7) taken from the
// key's byte sum. The key is walked forward, then backward, then forward
// again, and so on; `direction` 1 starts with a backward pass.
//
// An empty key is refused (Cause::kEmptyKey), the bytes left as they were.
CResult<std::string> Encipher(std::string_view source, std::string_view key, int direction = 0);
CResult<std::string> Decipher(std::string_view source, std::string_view key, int direction = 0);

// The same, on bytes in place.
CStatus EncipherInPlace(std::span<char> bytes, std::string_view key, int direction = 0);
CStatus DecipherInPlace(std::span<char> bytes, std::string_view key, int direction = 0);

}  // namespace formulario
