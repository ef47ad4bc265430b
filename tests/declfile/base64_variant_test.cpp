#include "declfile/base64_variant.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

struct Vector {
    std::string bytes;
    std::string text;
};

// RFC 4648's test vectors, plus bytes that use the value 63 ("/" there).
const Vector kVectors[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
    {"\xFF\xFF\xFF", "****"},
    {"?>?", "Pz4*"},
    {"\xFB\xFF", "+*8="},
};

} // namespace

TEST(Base64Variant, EncodesAndDecodesTheVectorsWithStarForSlash)
{
    for (const auto& [bytes, text] : kVectors) {
        SCOPED_TRACE(text);
        EXPECT_EQ(EncodeBase64(bytes, 0, false), text);
        EXPECT_EQ(DecodeBase64(text), bytes);
    }
}

TEST(Base64Variant, PutsTheFinalBreakBeforeThePaddedGroup)
{
    EXPECT_EQ(EncodeBase64("foo", kSealLineLength, true), "Zm9v\r\n");
    EXPECT_EQ(EncodeBase64("foob", kSealLineLength, true), "Zm9v\r\nYg==");
    EXPECT_EQ(EncodeBase64("f", kSealLineLength, true), "\r\nZg==");
    EXPECT_EQ(EncodeBase64("", kSealLineLength, true), "\r\n");
}

TEST(Base64Variant, BreaksLinesAfter360CharactersAndLeavesAnEmptyLineAfter90Groups)
{
    struct Case {
        std::size_t bytes;
        std::string tail;  // how the text ends
    };
    for (const auto& [bytes, tail] : {Case{269, "\r\nAAA="}, Case{270, "AAAA\r\n\r\n"},
                                      Case{271, "\r\n\r\nAA=="}, Case{272, "\r\n\r\nAAA="},
                                      Case{273, "AAAA\r\n"}}) {
        SCOPED_TRACE(bytes);
        const std::string text = EncodeBase64(std::string(bytes, '\0'), kSealLineLength, true);
        const std::size_t groups = bytes / 3;
        EXPECT_EQ(text.size(), 4 * groups + 2 * (groups / 90) + 2 + (bytes % 3 ? 4 : 0));
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
        if (groups >= 90) {
            EXPECT_EQ(text.substr(360, 2), "\r\n");
        }
    }
}

TEST(Base64Variant, DecodingSkipsBlanks)
{
    EXPECT_EQ(DecodeBase64("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(DecodeBase64(" Zm 9v\tYm\nFy\r"), "foobar");
    EXPECT_EQ(DecodeBase64("Zm9v\r\nZg=\r\n=\r\n"), "foof");
}

// A text cut short or changed at its end would otherwise decode to the same
// bytes, so it is refused.
TEST(Base64Variant, DecodingRefusesEndingsTheEncoderNeverWrites)
{
    for (const auto& text : {"Zg==garbage"s, "Zg==Zg=="s, "Zg=A"s, "Zg="s, "Zg"s, "Zm8"s,
                             "Zm8=="s, "Zm9v="s, "Zm9vY"s, "Zh=="s, "Zm9="s}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DecodeBase64(text), std::nullopt);
    }
}

TEST(Base64Variant, DecodingRefusesCharactersOutsideTheAlphabet)
{
    for (const auto& text : {"Zm9/"s, "Zm9v/"s, "Zm-v"s, "Zm9v\x80"s, "Zm\0v"s}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DecodeBase64(text), std::nullopt);
    }
    EXPECT_EQ(DecodeBase64("Zg==/"), std::nullopt);
}
