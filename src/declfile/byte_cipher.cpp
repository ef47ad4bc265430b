#include "declfile/byte_cipher.h"

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

// Applies `transform(byte, keyByte, rotation)` along the key walk.
template <typename Transform>
std::string Walk(std::string_view source, std::string_view key, int direction, Transform transform)
{
    if (key.empty())
        throw std::invalid_argument("cipher key is empty");
    const int rotation = RotationOf(key);
    const std::size_t last = key.size() - 1;
    std::string output(source.size(), '\0');
    bool backward = direction != 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const std::size_t j = i % key.size();
        const auto keyByte = static_cast<std::uint8_t>(key[backward ? last - j : j]);
        output[i] = static_cast<char>(
            transform(static_cast<std::uint8_t>(source[i]), keyByte, rotation));
        if (j == last)
            backward = !backward;
    }
    return output;
}

} // namespace

std::string Encipher(std::string_view source, std::string_view key, int direction)
{
    return Walk(source, key, direction, [](std::uint8_t byte, std::uint8_t keyByte, int rotation) {
        return std::rotl(static_cast<std::uint8_t>(byte ^ keyByte), rotation);
    });
}

std::string Decipher(std::string_view source, std::string_view key, int direction)
{
    return Walk(source, key, direction, [](std::uint8_t byte, std::uint8_t keyByte, int rotation) {
        return static_cast<std::uint8_t>(std::rotr(byte, rotation) ^ keyByte);
    });
}
