#pragma once

#include <cstddef>
#include <string_view>

namespace formulario {

// The program's one reader of UTF-8: strict, so that an overlong form, a
// surrogate or a code point above U+10FFFF is no character.

inline constexpr char32_t kNoCharacter = 0xFFFFFFFF;

struct DecodedCharacter {
    char32_t character;  // kNoCharacter for a malformed sequence
    std::size_t length;  // bytes it takes: 1 for a malformed one
};

// The character at the start of `text`, which is not empty.
DecodedCharacter DecodeUtf8(std::string_view text);

// True when the whole of `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace formulario
