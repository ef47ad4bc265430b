#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        std::string back;
        EXPECT_EQ(Unseal(sealed, back), kUnsealOk);
        EXPECT_EQ(back, xml);
    }
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

TEST(SealCodec, SealedTextUsesOnlyTheAlphabetPadAndLineBreaks)
{
    const std::string sealed = SealAt(SampleXml(5000));
    const bool clean = std::all_of(sealed.begin(), sealed.end(), [](char c) {
        return kBase64Alphabet.find(c) != std::string_view::npos || c == '=' || c == '\r' || c == '\n';
    });
    EXPECT_TRUE(clean);
}

TEST(SealCodec, A23ByteXmlGivesAn86CharacterTextEndingWithCrLf)
{
    const std::string sealed = SealAt(SampleXml(23));
    EXPECT_EQ(sealed.size(), 86u);
    EXPECT_EQ(sealed.substr(84), "\r\n");
}

TEST(SealCodec, EachMillisecondGivesAnotherFileThatStillUnseals)
{
    const std::string xml = SampleXml(700);
    const std::string first = SealAt(xml, 123);
    const std::string second = SealAt(xml, 124);
    EXPECT_NE(first, second);
    for (const auto& sealed : {first, second}) {
        std::string back;
        EXPECT_EQ(Unseal(sealed, back), kUnsealOk);
        EXPECT_EQ(back, xml);
    }
}

TEST(SealCodec, LineBreaksChangedOrRemovedDoNotMatter)
{
    const std::string xml = SampleXml(2000);
    const std::string sealed = SealAt(xml);
    std::string lf, none;
    for (const char c : sealed) {
        if (c != '\r')
            lf += c;
        if (c != '\r' && c != '\n')
            none += c;
    }
    for (const auto& text : {lf, none, " " + sealed + "\t"}) {
        std::string back;
        EXPECT_EQ(Unseal(text, back), kUnsealOk);
        EXPECT_EQ(back, xml);
    }
}

TEST(SealCodec, PayloadsOf40BytesOrFewerAreTooShort)
{
    const std::string oneByte = SealAt("x");
    ASSERT_EQ(DecodeBase64(oneByte)->size(), 41u);
    std::string back;
    EXPECT_EQ(Unseal(oneByte, back), kUnsealOk);
    EXPECT_EQ(back, "x");

    const std::string cut = Repacked(oneByte, [](std::string& payload) { payload.pop_back(); });
    EXPECT_EQ(Unseal(cut, back), kUnsealTooShort);
    EXPECT_EQ(Unseal("", back), kUnsealTooShort);
    EXPECT_TRUE(back.empty());
}

TEST(SealCodec, AnyChangedPayloadByteAfterTheFirst40IsAChecksumFailure)
{
    const std::string xml = SampleXml(300);
    const std::string sealed = SealAt(xml);
    for (const std::size_t at : {40, 41, 150, 339}) {
        SCOPED_TRACE(at);
        const std::string changed = Repacked(sealed, [at](std::string& payload) { payload[at] ^= 0x20; });
        std::string back = "left over";
        EXPECT_EQ(Unseal(changed, back), kUnsealChecksum);
        EXPECT_TRUE(back.empty());
    }
}

TEST(SealCodec, ChangedCheckOrSaltDigitsAreChecksumFailures)
{
    const std::string sealed = SealAt(SampleXml(300));
    for (const std::size_t at : {0, 9, 10, 39}) {
        SCOPED_TRACE(at);
        const std::string changed = Repacked(sealed, [at](std::string& payload) { payload[at] ^= 0x01; });
        std::string back;
        EXPECT_EQ(Unseal(changed, back), kUnsealChecksum);
    }
}

TEST(SealCodec, SaltDigitsThatWouldShortenOrEmptyTheFileKeyAreChecksumFailures)
{
    const SealKeys keys = LoadSealKeys();
    for (const auto& salt : {std::string("12345\0" "6789", 10), std::string(10, '\0')}) {
        const std::string payload = Encipher(salt, keys.digit) + std::string(60, 'x');
        std::string back;
        EXPECT_EQ(Unseal(EncodeBase64(payload, kSealLineLength, true), back), kUnsealChecksum);
    }
}

TEST(SealCodec, CheckDigitsAbove2To31CompareRight)
{
    ASSERT_GT(ComputeCrc("<a/>"), 0x7FFFFFFFu);
    std::string back;
    EXPECT_EQ(Unseal(SealAt("<a/>"), back), kUnsealOk);
    EXPECT_EQ(back, "<a/>");
}

TEST(SealCodec, ASlashBeforeThePadIsBadText)
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

TEST(SealCodec, TheXmlIsSealedAsWindows1252AndComesBackAsUtf8)
{
    const std::string xml = "<NOMBRE>Peña & Cía €</NOMBRE>";
    const std::string sealed = SealAt(xml);
    EXPECT_EQ(DecodeBase64(sealed)->size(), xml.size() - 4 + kPayloadOverhead);  // ñ í € are 1 byte
    std::string back;
    EXPECT_EQ(Unseal(sealed, back), kUnsealOk);
    EXPECT_EQ(back, xml);
}

TEST(SealCodec, SealingRefusesEmptyAndUnwritableTexts)
{
    EXPECT_EQ(SealDeclaration(""), std::nullopt);
    EXPECT_EQ(SealDeclaration("<NOMBRE>\xE2\x86\x92</NOMBRE>"), std::nullopt);  // an arrow
    EXPECT_EQ(Seal("", LoadSealKeys()), std::nullopt);
}

TEST(SealCodec, ASealUnderOtherKeysIsAChecksumFailure)
{
    SealKeys other = LoadSealKeys();
    other.tail = "another tail key of 25 b.";
    const auto sealed = Seal("<x/>", other, [] { return FixedClock(); });
    std::string back;
    EXPECT_EQ(Unseal(sealed.value(), back), kUnsealChecksum);
}
