#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ClockReading FixedClock(int millisecond = 123)
{
    return {2013, 1, 7, 14, 5, 32, millisecond, 6, 1};
}

std::string SealAt(std::string_view xml, int millisecond = 123)
{
    const auto sealed = SealDeclaration(xml, [=] { return FixedClock(millisecond); });
    EXPECT_TRUE(sealed.has_value());
    return sealed.value_or("");
}

int Unseal(std::string_view sealed, std::string& xml)
{
    return CSealCodec().Unseal(sealed, xml);
}

void ExpectUnseals(std::string_view sealed, const std::string& xml)
{
    std::string back;
    EXPECT_EQ(Unseal(sealed, back), kUnsealOk);
    EXPECT_EQ(back, xml);
}

std::string SampleXml(std::size_t length)
{
    std::string xml = " <FORMULARIO NUMERO=\"14053212\"> ";
    while (xml.size() < length)
        xml += "<CASILLA ID=\"2007\">1234.50</CASILLA> ";
    xml.resize(length);
    return xml;
}

// The payload of a sealed text, changed by `edit`, encoded again.
template <typename Edit>
std::string Repacked(const std::string& sealed, Edit edit)
{
    std::string payload = DecodeBase64(sealed).value();
    edit(payload);
    return EncodeBase64(payload, kSealLineLength, true);
}

} // namespace

TEST(SealCodec, RoundTripsTextsFromOneByteTo100000Bytes)
{
    for (const std::size_t length : {1, 2, 3, 23, 230, 231, 232, 1000, 49999, 100000}) {
        SCOPED_TRACE(length);
        const std::string xml = SampleXml(length);
        const std::string sealed = SealAt(xml);
        EXPECT_EQ(DecodeBase64(sealed)->size(), length + kPayloadOverhead);
        ExpectUnseals(sealed, xml);
    }
    const std::string sealed23 = SealAt(SampleXml(23));
    EXPECT_EQ(sealed23.size(), 86u);
    EXPECT_EQ(sealed23.substr(84), "\r\n");
}

TEST(SealCodec, PayloadHoldsTheSaltDigitsThenTheCheckDigitsAndTheXml)
{
    const std::string xml = "<FORMULARIO NUMERO=\"1\"/>";
    const std::string payload = DecodeBase64(SealAt(xml, 7)).value();
    const SealKeys keys = LoadSealKeys();
    const std::string salt = Decipher(payload.substr(0, 10), keys.digit);
    EXPECT_EQ(salt, CheckDigits(ComputeCrc("07012013140532007" + xml), 10));
    const std::string body = Decipher(payload.substr(10), salt + std::string(keys.tail));
    const std::string crc = std::to_string(ComputeCrc(xml));
    EXPECT_EQ(Decipher(body.substr(0, 30), keys.check), std::string(30 - crc.size(), '0') + crc);
    EXPECT_EQ(body.substr(30), xml);
}

TEST(SealCodec, EachMillisecondGivesAnotherFileAndLineBreaksDoNotMatter)
{
    const std::string xml = SampleXml(2000);
    const std::string sealed = SealAt(xml, 123);
    const std::string next = SealAt(xml, 124);
    EXPECT_NE(sealed, next);
    std::string lf = sealed, none = sealed;
    std::erase(lf, '\r');
    std::erase_if(none, [](char c) { return c == '\r' || c == '\n'; });
    for (const auto& text : {sealed, next, lf, none, " " + sealed + "\t"})
        ExpectUnseals(text, xml);
}

TEST(SealCodec, PayloadsOf40BytesOrFewerAreTooShort)
{
    const std::string oneByte = SealAt("x");
    ASSERT_EQ(DecodeBase64(oneByte)->size(), 41u);
    ExpectUnseals(oneByte, "x");
    std::string back;
    EXPECT_EQ(Unseal(Repacked(oneByte, [](std::string& payload) { payload.pop_back(); }), back), kUnsealTooShort);
    EXPECT_EQ(Unseal("", back), kUnsealTooShort);
    EXPECT_TRUE(back.empty());
}

TEST(SealCodec, AnyChangedPayloadByteIsAChecksumFailure)
{
    const std::string sealed = SealAt(SampleXml(300));
    // Salt digits 0-9 and check digits 10-39 stay digits; XML bytes change case.
    for (const auto [at, mask] : {std::pair{0, 0x01}, {9, 0x01}, {10, 0x01}, {39, 0x01},
                                  {40, 0x20}, {41, 0x20}, {150, 0x20}, {339, 0x20}}) {
        SCOPED_TRACE(at);
        std::string back = "left over";
        EXPECT_EQ(Unseal(Repacked(sealed, [&](std::string& payload) { payload[at] ^= mask; }), back),
                  kUnsealChecksum);
        EXPECT_TRUE(back.empty());
    }
}

TEST(SealCodec, SaltDigitsOrKeysThatDoNotMatchAreChecksumFailures)
{
    const SealKeys keys = LoadSealKeys();
    std::string back;
    // Salt digits that would shorten or empty the file key.
    for (const auto& salt : {std::string("12345\0" "6789", 10), std::string(10, '\0')}) {
        const std::string payload = Encipher(salt, keys.digit) + std::string(60, 'x');
        EXPECT_EQ(Unseal(EncodeBase64(payload, kSealLineLength, true), back), kUnsealChecksum);
    }
    SealKeys other = keys;
    other.tail = "another tail key of 25 b.";
    EXPECT_EQ(Unseal(Seal("<x/>", other, [] { return FixedClock(); }).value(), back), kUnsealChecksum);
}

TEST(SealCodec, ASlashBeforeThePadOrAByteOrderMarkIsBadText)
{
    const std::string sealed = SealAt(SampleXml(100));
    std::string back;
    for (const std::size_t at : {std::size_t{0}, sealed.size() / 2}) {
        std::string changed = sealed;
        changed[at] = '/';
        EXPECT_EQ(Unseal(changed, back), kUnsealBadText);
    }
    EXPECT_EQ(Unseal("\xEF\xBB\xBF" + sealed, back), kUnsealBadText);
}

TEST(SealCodec, CheckDigitsAbove2To31AndWindows1252TextsComeBackUnchanged)
{
    ASSERT_GT(ComputeCrc("<a/>"), 0x7FFFFFFFu);
    ExpectUnseals(SealAt("<a/>"), "<a/>");
    const std::string xml = "<NOMBRE>Peña & Cía €</NOMBRE>";
    const std::string sealed = SealAt(xml);
    EXPECT_EQ(DecodeBase64(sealed)->size(), xml.size() - 4 + kPayloadOverhead); // sealed as Windows-1252
    ExpectUnseals(sealed, xml);
}

TEST(SealCodec, SealingRefusesEmptyAndUnwritableTexts)
{
    EXPECT_EQ(SealDeclaration(""), std::nullopt);
    EXPECT_EQ(SealDeclaration("<NOMBRE>\xE2\x86\x92</NOMBRE>"), std::nullopt); // an arrow
    EXPECT_EQ(Seal("", LoadSealKeys()), std::nullopt);
}
