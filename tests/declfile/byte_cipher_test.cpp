#include "declfile/byte_cipher.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace std::string_literals;

namespace {

std::string AllBytes(std::size_t length)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

} // namespace

TEST(ByteCipher, RoundTripsForSeveralKeyLengthsAndBothDirections)
{
    const std::string plain = AllBytes(1000);
    for (const auto& key : {"k"s, "ab"s, "Tq7#z"s, "0123456789"s, std::string(35, '\xE9')}) {
        for (const int direction : {0, 1}) {
            SCOPED_TRACE("key length " + std::to_string(key.size()) + ", direction " +
                         std::to_string(direction));
            const std::string sealed = Encipher(plain, key, direction);
            EXPECT_NE(sealed, plain);
            EXPECT_EQ(Decipher(sealed, key, direction), plain);
        }
    }
}

TEST(ByteCipher, WalksTheKeyForwardThenBackward)
{
    // Key "AB": byte sum 131, rotation 3. Zero bytes show the key bytes
    // used at each position: A B, then B A, then A B.
    const std::string out = Encipher(std::string(6, '\0'), "AB");
    auto rotl3 = [](unsigned char c) { return static_cast<char>((c << 3 | c >> 5) & 0xFF); };
    EXPECT_EQ(out, std::string({rotl3('A'), rotl3('B'), rotl3('B'), rotl3('A'), rotl3('A'), rotl3('B')}));
    EXPECT_EQ(Encipher(std::string(2, '\0'), "AB", 1), std::string({rotl3('B'), rotl3('A')}));
}

TEST(ByteCipher, RotatesSevenBitsWhenTheKeySumIsAMultipleOfEight)
{
    // "\x08": sum 8, rotation 7 rather than 0.
    EXPECT_EQ(Encipher(std::string(1, '\x01'), "\x08"), std::string(1, '\x84'));
}

TEST(ByteCipher, EmptyInputGivesEmptyOutputAndAnEmptyKeyIsRefused)
{
    EXPECT_EQ(Encipher("", "key"), "");
    EXPECT_THROW(Decipher("abc", ""), std::invalid_argument);
}
