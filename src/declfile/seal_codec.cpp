#include "declfile/seal_codec.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/windows1252.h"

#include <new>
#include <optional>

CSealCodec::CSealCodec() : m_keys(LoadSealKeys())
{
}

int CSealCodec::Unseal(std::string_view sealed, std::string& xml) const
{
    xml.clear();
    std::optional<std::string> payload;
    try {
        payload = DecodeBase64(sealed);
    } catch (const std::bad_alloc&) {
        return kUnsealBadText;
    }
    if (!payload)
        return kUnsealBadText;
    if (payload->size() <= kPayloadOverhead)
        return kUnsealTooShort;

    const std::string_view bytes = *payload;
    const std::string saltDigits = Decipher(bytes.substr(0, kSaltDigits), m_keys.digit);
    // Sealing writes ten decimal digits here; a zero byte (which would cut
    // the file key short, or leave it empty) only comes from a damaged file.
    if (saltDigits.find('\0') != std::string::npos)
        return kUnsealChecksum;

    try {
        const std::string body = Decipher(bytes.substr(kSaltDigits), saltDigits + std::string(m_keys.tail));
        const std::string_view content = std::string_view(body).substr(kDataDigits);
        const std::string digits = Decipher(std::string_view(body).substr(0, kDataDigits), m_keys.check);
        if (digits != CheckDigits(ComputeCrc(content), kDataDigits))
            return kUnsealChecksum;
        xml = Windows1252ToUtf8(content);
    } catch (const std::bad_alloc&) {
        xml.clear();
        return kUnsealNoMemory;
    }
    return kUnsealOk;
}
