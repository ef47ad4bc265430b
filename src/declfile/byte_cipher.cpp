#include "declfile/byte_cipher.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <stdexcept>

namespace {

int RotationOf(std::string_view key)
{
    const unsigned sum = std::accumulate(key.begin(), key.end(), 0u, [](unsigned total, char c) {
        return total + static_cast<unsigned char>(c);
    });
    const int rotation = static_cast<int>(sum % 8);
    return rotation == 0 ? 7 : rotation;
}

// Applies `transform(byte, keyByte, rotation)` to every byte, one pass over
// the key after another, each pass in the other direction.
template <typename Transform>
void Walk(std::span<char> bytes, std::string_view key, int direction, Transform transform)
{
    if (key.empty())
        throw std::invalid_argument("cipher key is empty");
    const int rotation = RotationOf(key);
    const std::string reversed(key.rbegin(), key.rend());
    bool backward = direction != 0;
    for (std::size_t start = 0; start < bytes.size(); start += key.size()) {
        const std::string_view pass = backward ? std::string_view(reversed) : key;
        const std::size_t length = std::min(key.size(), bytes.size() - start);
        for (std::size_t j = 0; j < length; ++j) {
            const auto byte = static_cast<std::uint8_t>(bytes[start + j]);
            bytes[start + j] = static_cast<char>(
                transform(byte, static_cast<std::uint8_t>(pass[j]), rotation));
        }
        backward = !backward;
    }
}

std::uint8_t EncipherByte(std::uint8_t byte, std::uint8_t keyByte, int rotation)
{
    return std::rotl(static_cast<std::uint8_t>(byte ^ keyByte), rotation);
}

std::uint8_t DecipherByte(std::uint8_t byte, std::uint8_t keyByte, int rotation)
{
    return static_cast<std::uint8_t>(std::rotr(byte, rotation) ^ keyByte);
}

} // namespace

void EncipherInPlace(std::span<char> bytes, std::string_view key, int direction)
{
    Walk(bytes, key, direction, EncipherByte);
}

void DecipherInPlace(std::span<char> bytes, std::string_view key, int direction)
{
    Walk(bytes, key, direction, DecipherByte);
}

std::string Encipher(std::string_view source, std::string_view key, int direction)
{
    std::string output(source);
    EncipherInPlace(output, key, direction);
    return output;
}

std::string Decipher(std::string_view source, std::string_view key, int direction)
{
    std::string output(source);
    DecipherInPlace(output, key, direction);
    return output;
}
