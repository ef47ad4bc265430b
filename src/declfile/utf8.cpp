#include "declfile/utf8.h"

#include <array>

namespace formulario {

DecodedCharacter DecodeUtf8(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length)
        return {kNoCharacter, 1};
    char32_t character = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return {kNoCharacter, 1};
        character = (character << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = character < kSmallest[length];
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    if (overlong || surrogate || character > 0x10FFFF)
        return {kNoCharacter, 1};
    return {character, length};
}

bool IsValidUtf8(std::string_view text)
{
    while (!text.empty()) {
        if (static_cast<unsigned char>(text[0]) < 0x80) {
            text.remove_prefix(1);
            continue;
        }
        const DecodedCharacter decoded = DecodeUtf8(text);
        if (decoded.character == kNoCharacter)
            return false;
        text.remove_prefix(decoded.length);
    }
    return true;
}

}  // namespace formulario
