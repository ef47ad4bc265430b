#include "declfile/byte_cipher.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>

namespace formulario {

namespace {

int RotationOf(std::string_view key)
{
    const unsigned sum = std::accumulate(key.begin(), key.end(), 0u,
                                         [](unsigned total, char c) { return total + static_cast<unsigned char>(c); });
    const int rotation = static_cast<int>(sum % 8);
    return rotation == 0 ? 7 : rotation;
}

// Applies `transform(byte, keyByte, rotation)` to every byte, one pass over
// the key after another, each pass in the other direction.
template <typename Transform>
CStatus Walk(std::span<char> bytes, std::string_view key, int direction, Transform transform)
{
    if (key.empty())
        return Cause::kEmptyKey;
    const int rotation = RotationOf(key);
    const std::string reversed(key.rbegin(), key.rend());
    bool backward = direction != 0;
    for (std::size_t start = 0; start < bytes.size(); start += key.size()) {
        const std::string_view pass = backward ? std::string_view(reversed) : key;
        const std::size_t length = std::min(key.size(), bytes.size() - start);
        for (std::size_t j = 0; j < length; ++j) {
            const auto byte = static_cast<std::uint8_t>(bytes[start + j]);
            bytes[start + j] = static_cast<char>(transform(byte, static_cast<std::uint8_t>(pass[j]), rotation));
        }
        backward = !backward;
    }
    return {};
}

std::uint8_t EncipherByte(std::uint8_t byte, std::uint8_t keyByte, int rotation)
{
    return std::rotl(static_cast<std::uint8_t>(byte ^ keyByte), rotation);
}

std::uint8_t DecipherByte(std::uint8_t byte, std::uint8_t keyByte, int rotation)
{
    return static_cast<std::uint8_t>(std::rotr(byte, rotation) ^ keyByte);
}

}  // namespace

CStatus EncipherInPlace(std::span<char> bytes, std::string_view key, int direction)
{
    return Walk(bytes, key, direction, EncipherByte);
}

CStatus DecipherInPlace(std::span<char> bytes, std::string_view key, int direction)
{
    return Walk(bytes, key, direction, DecipherByte);
}

CResult<std::string> Encipher(std::string_view source, std::string_view key, int direction)
{
    std::string output(source);
    if (CStatus status = EncipherInPlace(output, key, direction); !status.ok())
        return status;
    return output;
}

CResult<std::string> Decipher(std::string_view source, std::string_view key, int direction)
{
    std::string output(source);
    if (CStatus status = DecipherInPlace(output, key, direction); !status.ok())
        return status;
    return output;
}

}  // namespace formulario
