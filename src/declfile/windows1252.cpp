#include "declfile/windows1252.h"

#include "declfile/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace formulario {

namespace {

// Characters of the bytes 0x80 to 0x9F; the others stand for themselves.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::optional<char> ByteOfCharacter(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), character);
    if (found == kHighControls.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

// The UTF-8 bytes of every Windows-1252 byte.
struct Utf8Bytes {
    std::array<char, 3> bytes;
    std::size_t length;
};

constexpr Utf8Bytes EncodeUtf8(char32_t character)
{
    if (character < 0x80)
        return {{static_cast<char>(character), 0, 0}, 1};
    if (character < 0x800)
        return {{static_cast<char>(0xC0 | (character >> 6)), static_cast<char>(0x80 | (character & 0x3F)), 0}, 2};
    return {{static_cast<char>(0xE0 | (character >> 12)), static_cast<char>(0x80 | ((character >> 6) & 0x3F)),
             static_cast<char>(0x80 | (character & 0x3F))},
            3};
}

constexpr std::array<Utf8Bytes, 256> MakeUtf8Table()
{
    std::array<Utf8Bytes, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte)
        table[byte] = EncodeUtf8(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    return table;
}

constexpr std::array<Utf8Bytes, 256> kUtf8Of = MakeUtf8Table();

// Calls `visit(decoded, bytes)` for every character of `text`.
template <typename Visit> void ForEachCharacter(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const DecodedCharacter decoded = DecodeUtf8(text);
        visit(decoded.character, text.substr(0, decoded.length));
        text.remove_prefix(decoded.length);
    }
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::size_t length = 0;
    for (const char byte : bytes)
        length += kUtf8Of[static_cast<unsigned char>(byte)].length;
    std::string text(length, '\0');
    char* out = text.data();
    for (const char byte : bytes) {
        const Utf8Bytes& utf8 = kUtf8Of[static_cast<unsigned char>(byte)];
        for (std::size_t i = 0; i < utf8.length; ++i)
            *out++ = utf8.bytes[i];
    }
    return text;
}

CResult<std::string> Utf8ToWindows1252(std::string_view text)
{
    std::string bytes(text.size(), '\0');
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            bytes[count++] = text[at++];
            continue;
        }
        const DecodedCharacter decoded = DecodeUtf8(text.substr(at));
        const auto byte = decoded.character == kNoCharacter ? std::nullopt : ByteOfCharacter(decoded.character);
        if (!byte)  // the rest is only read again to name what cannot be written
            return CStatus(Cause::kNotWindows1252, CharactersNotInWindows1252(text.substr(at)));
        bytes[count++] = *byte;
        at += decoded.length;
    }
    bytes.resize(count);
    return bytes;
}

std::string CharactersNotInWindows1252(std::string_view text)
{
    std::string list;
    std::basic_string<char32_t> seen;
    ForEachCharacter(text, [&](char32_t character, std::string_view encoded) {
        if (character != kNoCharacter && ByteOfCharacter(character))
            return;
        if (seen.find(character) != seen.npos)
            return;
        seen += character;
        if (!list.empty())
            list += ' ';
        list += character == kNoCharacter ? kReplacement : encoded;
    });
    return list;
}

}  // namespace formulario
