#include "declfile/base64_variant.h"

#include <array>
#include <cstdint>

namespace formulario {

namespace {

constexpr std::uint8_t kInvalid = 0xFF;
constexpr std::uint8_t kSkipped = 0xFE;

constexpr std::array<std::uint8_t, 256> MakeReverseTable()
{
    std::array<std::uint8_t, 256> table{};
    table.fill(kInvalid);
    for (std::size_t value = 0; value < kBase64Alphabet.size(); ++value)
        table[static_cast<unsigned char>(kBase64Alphabet[value])] = static_cast<std::uint8_t>(value);
    for (const char blank : {'\r', '\n', ' ', '\t'})
        table[static_cast<unsigned char>(blank)] = kSkipped;
    return table;
}

constexpr std::array<std::uint8_t, 256> kReverse = MakeReverseTable();

char Digit(unsigned value)
{
    return kBase64Alphabet[value & 63u];
}

unsigned ByteAt(std::string_view data, std::size_t index)
{
    return static_cast<unsigned char>(data[index]);
}

void WritePaddedGroup(std::string_view rest, char* out)
{
    if (rest.empty())
        return;
    const unsigned b0 = ByteAt(rest, 0);
    const unsigned b1 = rest.size() > 1 ? ByteAt(rest, 1) : 0;
    *out++ = Digit(b0 >> 2);
    *out++ = Digit(((b0 & 3u) << 4) | (b1 >> 4));
    *out++ = rest.size() > 1 ? Digit((b1 & 15u) << 2) : '=';
    *out = '=';
}

// Why the text after the last group is not what the encoder writes: exactly
// the "=" the last group lacks (blanks may stand between them) and nothing
// else, with the bits the last character holds beyond its bytes all zero.
// A text that ends otherwise was cut short or changed.
Cause EndingFault(std::string_view rest, std::size_t symbols, std::uint32_t leftOverBits)
{
    if (symbols % 4 == 1)
        return Cause::kGroupCutShort;
    if (leftOverBits != 0)
        return Cause::kBitsLeftOver;
    std::size_t pads = 0;
    for (const char c : rest) {
        if (c == '=')
            ++pads;
        else if (kReverse[static_cast<unsigned char>(c)] != kSkipped)
            return Cause::kTextAfterPadding;
    }
    return pads == (4 - symbols % 4) % 4 ? Cause::kNone : Cause::kWrongPadding;
}

}  // namespace

std::string EncodeBase64(std::string_view data, std::size_t lineLength, bool finalBreak)
{
    const std::size_t groups = data.size() / 3;
    const std::size_t groupsPerLine = lineLength == 0 ? 0 : (lineLength + 3) / 4;
    const std::size_t breaks = (groupsPerLine ? groups / groupsPerLine : 0) + (finalBreak ? 1 : 0);
    std::string text(4 * groups + 2 * breaks + (data.size() % 3 ? 4 : 0), '\0');
    char* out = text.data();
    std::size_t onLine = 0;
    for (std::size_t g = 0; g < groups; ++g) {
        const unsigned b0 = ByteAt(data, 3 * g);
        const unsigned b1 = ByteAt(data, 3 * g + 1);
        const unsigned b2 = ByteAt(data, 3 * g + 2);
        *out++ = Digit(b0 >> 2);
        *out++ = Digit(((b0 & 3u) << 4) | (b1 >> 4));
        *out++ = Digit(((b1 & 15u) << 2) | (b2 >> 6));
        *out++ = Digit(b2);
        if (++onLine == groupsPerLine) {
            *out++ = '\r';
            *out++ = '\n';
            onLine = 0;
        }
    }
    if (finalBreak) {
        *out++ = '\r';
        *out++ = '\n';
    }
    WritePaddedGroup(data.substr(3 * groups), out);
    return text;
}

CResult<std::string> DecodeBase64(std::string_view text)
{
    std::string bytes(text.size() * 3 / 4 + 1, '\0');
    std::size_t count = 0;
    std::size_t symbols = 0;
    std::uint32_t bits = 0;
    int held = 0;
    std::size_t at = 0;
    for (; at < text.size() && text[at] != '='; ++at) {
        const std::uint8_t value = kReverse[static_cast<unsigned char>(text[at])];
        if (value == kSkipped)
            continue;
        if (value == kInvalid)
            return Cause::kOutsideAlphabet;
        ++symbols;
        bits = (bits << 6) | value;
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes[count++] = static_cast<char>((bits >> held) & 0xFFu);
        }
    }
    if (const auto fault = EndingFault(text.substr(at), symbols, bits & ((1u << held) - 1u)); fault != Cause::kNone)
        return fault;
    bytes.resize(count);
    return bytes;
}

}  // namespace formulario
