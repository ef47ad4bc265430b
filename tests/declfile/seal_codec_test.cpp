#include "declfile/seal_codec.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"

#include <gtest/gtest.h>

#include <optional>

using namespace formulario;

using namespace std::string_literals;

namespace {

std::string SealAt(std::string_view xml, int millisecond = 123)
{
    return SealDeclaration(xml, [=] { return ClockReading{2013, 1, 7, 14, 5, 32, millisecond, 6, 1}; }).value();
}

std::string SampleXml(std::size_t length)
{
    std::string xml = " <FORMULARIO NUMERO=\"14053212\"> ";
    while (xml.size() < length)
        xml += "<CASILLA ID=\"2007\">1234.50</CASILLA> ";
    return xml.substr(0, length);
}

std::string Encoded(const std::string& payload)
{
    return EncodeBase64(payload, kSealLineLength, true);
}

} // namespace

// CRC-32/BZIP2 over unsigned bytes. Key "AB": sum 131, rotation 3, so zero
// bytes show the key bytes used, forward then backward; key "\x08": sum 8,
// rotation 7 rather than 0.
TEST(SealCodec, CrcAndByteCipherGiveTheKnownAnswers)
{
    for (const auto& [bytes, crc] : {std::pair{"123456789"s, 0xFC891918u}, {""s, 0u}, {"\0"s, 0xB1F7404Bu},
                                     {"\xFF"s, 0xFFu}, {"\x7F"s, 0x690CE011u}})
        EXPECT_EQ(ComputeCrc(bytes), crc) << bytes;
    EXPECT_EQ(Encipher(std::string(6, '\0'), "AB").value(), "\x0A\x12\x12\x0A\x0A\x12");
    EXPECT_EQ(Encipher(std::string(2, '\0'), "AB", 1).value(), "\x12\x0A");
    EXPECT_EQ(Encipher("\x01", "\x08").value(), "\x84");
    EXPECT_EQ(Encipher("", "key").value(), "");
    EXPECT_EQ(Decipher("abc", "").status().cause(), Cause::kEmptyKey);
}

// RFC 4648's vectors and the value 63 ("/" there); blanks are skipped, and endings
// the encoder never writes are refused (they would decode to the same bytes).
TEST(Base64Variant, EncodesTheVectorsWithStarForSlashAndDecodesOnlyWhatItCouldWrite)
{
    for (const auto& [bytes, text] : {std::pair{""s, ""s}, {"f"s, "Zg=="s}, {"fo"s, "Zm8="s}, {"foo"s, "Zm9v"s},
                                      {"foob"s, "Zm9vYg=="s}, {"fooba"s, "Zm9vYmE="s}, {"foobar"s, "Zm9vYmFy"s},
                                      {"\xFF\xFF\xFF"s, "****"s}, {"?>?"s, "Pz4*"s}, {"\xFB\xFF"s, "+*8="s}}) {
        EXPECT_EQ(EncodeBase64(bytes, 0, false), text);
        EXPECT_EQ(DecodeBase64(text).value(), bytes) << text;
    }
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"Zm9v\r\nYmFy", "foobar"}, {" Zm 9v\tYm\nFy\r", "foobar"}, {"Zm9v\r\nZg=\r\n=\r\n", "foof"},
        {"Zg==garbage", {}}, {"Zg==Zg==", {}}, {"Zg=A", {}}, {"Zg=", {}}, {"Zg", {}}, {"Zm8", {}}, {"Zm8==", {}},
        {"Zm9v=", {}}, {"Zm9vY", {}}, {"Zh==", {}}, {"Zm9=", {}}, {"Zm9/", {}}, {"Zm9v/", {}}, {"Zm-v", {}},
        {"Zm9v\x80", {}}, {"Zm\0v"s, {}}, {"Zg==/", {}}};
    for (const auto& [text, bytes] : cases) {
        const CResult<std::string> decoded = DecodeBase64(text);
        EXPECT_EQ(decoded.ok() ? std::optional(*decoded) : std::nullopt, bytes) << text;
    }
}

TEST(SealCodec, RoundTripsEveryLengthAndCharacter)
{
    std::vector<std::pair<std::string, std::size_t>> cases = {{"<a/>", 4},  // check digits above 2^31
                                                              {"<NOMBRE>Peña & Cía €</NOMBRE>", 29}};  // Windows-1252
    ASSERT_GT(ComputeCrc("<a/>"), 0x7FFFFFFFu);
    for (const std::size_t length : {1, 2, 3, 23, 230, 231, 232, 1000, 49999, 100000})
        cases.emplace_back(SampleXml(length), length);
    for (const auto& [xml, bytes] : cases) {
        const std::string sealed = SealAt(xml);
        EXPECT_EQ(DecodeBase64(sealed)->size(), bytes + kPayloadOverhead);
        const CResult<std::string> back = CSealCodec().Unseal(sealed);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(*back, xml);
    }
    EXPECT_NE(SealAt(SampleXml(2000), 124), SealAt(SampleXml(2000), 123));
    // A break after the last complete group, then the padded group on a line of
    // its own (lines of 360 characters: the sweep below).
    const std::string full = SealAt(SampleXml(23)), padded = SealAt(SampleXml(3));  // payloads of 63 and 43 bytes
    EXPECT_TRUE(full.size() == 86 && full.ends_with("\r\n")) << full;
    EXPECT_TRUE(padded.size() == 62 && padded.substr(56, 2) == "\r\n" && padded.ends_with("==")) << padded;
    EXPECT_EQ(SealDeclaration("").status().cause(), Cause::kNothingToSeal);
    EXPECT_EQ(SealDeclaration("<NOMBRE>\xE2\x86\x92</NOMBRE>").status(), CStatus(Cause::kNotWindows1252, "\xE2\x86\x92"));
    EXPECT_EQ(Seal("", LoadSealKeys()).status().cause(), Cause::kNothingToSeal);
}

TEST(SealCodec, PayloadHoldsTheSaltDigitsThenTheCheckDigitsAndTheXml)
{
    const std::string xml = "<FORMULARIO NUMERO=\"1\"/>", payload = DecodeBase64(SealAt(xml, 7)).value();
    const SealKeys keys = LoadSealKeys();
    const std::string salt = Decipher(payload.substr(0, 10), keys.digit).value();
    EXPECT_EQ(salt, CheckDigits(ComputeCrc("07012013140532007" + xml), 10));
    const std::string body = Decipher(payload.substr(10), salt + std::string(keys.tail)).value();
    const std::string crc = std::to_string(ComputeCrc(xml));
    EXPECT_EQ(Decipher(body.substr(0, 30), keys.check).value(), std::string(30 - crc.size(), '0') + crc);
    EXPECT_EQ(body.substr(30), xml);
}

TEST(SealCodec, RefusedTextsGiveTheirCauseAndNoXml)
{
    const std::string sealed = SealAt(SampleXml(300)), oneByte = SealAt("x");
    SealKeys other = LoadSealKeys();
    other.tail = "another tail key of 25 b.";
    std::string slash = sealed;
    slash[sealed.size() / 2] = '/';
    struct Refused {
        std::string name, text;
        Cause cause;
    };
    std::vector<Refused> cases = {
        {"payload of 40 bytes", Encoded(DecodeBase64(oneByte)->substr(0, 40)), Cause::kTooShort},
        {"empty", "", Cause::kTooShort},
        {"other keys", Seal("<x/>", other).value(), Cause::kCheckMismatch},
        {"slash first", "/" + sealed.substr(1), Cause::kOutsideAlphabet},
        {"slash inside", slash, Cause::kOutsideAlphabet},
        {"byte-order mark", "\xEF\xBB\xBF" + sealed, Cause::kOutsideAlphabet},
        {"padding added", oneByte + "=", Cause::kWrongPadding},
        {"padding cut", oneByte.substr(0, oneByte.size() - 1), Cause::kWrongPadding},
        {"text after padding", oneByte + "A", Cause::kTextAfterPadding},
        {"group cut short", "AAAAA", Cause::kGroupCutShort},
        {"bits left over", "AB==", Cause::kBitsLeftOver}};
    // Salt digits that would shorten or empty the file key.
    for (const auto& salt : {"12345\0" "6789"s, std::string(10, '\0')})
        cases.push_back({"salt with a zero byte " + std::to_string(salt.find('\0')),
                         Encoded(Encipher(salt, other.digit).value() + std::string(60, 'x')), Cause::kCheckMismatch});
    // Salt digits 0-9 and check digits 10-39 stay digits; XML bytes change case.
    for (const auto& [at, mask] : {std::pair{0, 1}, {9, 1}, {10, 1}, {39, 1}, {40, 32}, {41, 32}, {339, 32}}) {
        std::string payload = DecodeBase64(sealed).value();
        payload[at] = static_cast<char>(payload[at] ^ mask);
        cases.push_back({"payload byte " + std::to_string(at) + " changed", Encoded(payload), Cause::kCheckMismatch});
    }
    for (const Refused& test : cases) {
        const CResult<std::string> back = CSealCodec().Unseal(test.text);
        EXPECT_FALSE(back.ok()) << test.name;
        EXPECT_EQ(back.status().cause(), test.cause) << test.name << ": " << back.status().Describe();
    }
    const CResult<std::string> back = CSealCodec().Unseal(oneByte);  // a payload of 41 bytes
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, "x");
}

// Every damage to a sealed text is refused, and gives no XML, while the line
// breaks, spaces and tabs a text editor may change are not damage. A payload
// of 90 groups and two bytes: a full line, an empty line and a padded group.
TEST(SealCodec, EveryDamageIsRefusedButBlanksDoNotMatter)
{
    const std::string sealed = SealAt(SampleXml(272 - kPayloadOverhead));
    ASSERT_TRUE(sealed.ends_with("\r\n\r\n" + sealed.substr(sealed.size() - 4)));
    const auto opens = [](const std::string& text) {
        return CSealCodec().Unseal(text).ok();
    };
    const auto blank = [](char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; };
    for (std::size_t at = 0; at < sealed.size(); ++at) {
        for (const char symbol : std::string(kBase64Alphabet) + "=\r\n") {
            std::string changed = sealed;
            changed[at] = symbol;
            EXPECT_EQ(opens(changed), symbol == sealed[at] || (blank(sealed[at]) && blank(symbol))) << symbol << at;
        }
        EXPECT_EQ(opens(std::string(sealed).erase(at, 1)), blank(sealed[at])) << "deletion at " << at;
        EXPECT_EQ(opens(sealed.substr(0, at)), sealed.find_first_not_of("\r\n", at) == std::string::npos) << at;
        for (const char* inserted : {" ", "\t", "\n", "\r\n"})
            EXPECT_TRUE(opens(std::string(sealed).insert(at, inserted))) << "blank at " << at;
    }
    std::string lineFeeds = sealed, none = sealed;
    std::erase(lineFeeds, '\r');
    std::erase_if(none, blank);
    EXPECT_TRUE(opens(lineFeeds) && opens(none));
}

// The seal depends on nothing but the keys, the moment and the text: every
// system the program is built for writes these same bytes.
TEST(SealCodec, SealsTheSameTextAtTheSameMomentOnEverySystem)
{
    EXPECT_EQ(SealAt("<NOMBRE>Peña €</NOMBRE>"),
              "zpAMLpiSNhyKyFSMhMTA6ISZqaX2c8M+wjr2RtbHrNiI7NRMb8ZmDXpZGQlp6UmSqbCGeZMm+Mj749N7mLm6\r\n");
}
