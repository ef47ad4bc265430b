#include "declfile/seal_codec.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/windows1252.h"

#include <new>
#include <span>
#include <optional>

CSealCodec::CSealCodec() : m_keys(LoadSealKeys())
{
}

UnsealStatus CSealCodec::Unseal(std::string_view sealed, std::string& xml) const
{
    using Cause = UnsealStatus::Cause;
    xml.clear();
    std::optional<std::string> payload;
    UnsealStatus status;
    try {
        payload = DecodeBase64(sealed, &status);
    } catch (const std::bad_alloc&) {
        return Cause::kNoMemoryToDecode;
    }
    if (!payload)
        return status;
    if (payload->size() <= kPayloadOverhead)
        return Cause::kTooShort;

    const std::span<char> bytes(*payload);
    DecipherInPlace(bytes.first(kSaltDigits), m_keys.digit);
    const std::string saltDigits(bytes.data(), kSaltDigits);
    // Sealing writes ten decimal digits here; a zero byte (which would cut
    // the file key short, or leave it empty) only comes from a damaged file.
    if (saltDigits.find('\0') != std::string::npos)
        return Cause::kCheckMismatch;

    DecipherInPlace(bytes.subspan(kSaltDigits), saltDigits + std::string(m_keys.tail));
    DecipherInPlace(bytes.subspan(kSaltDigits, kDataDigits), m_keys.check);
    const std::string_view digits(bytes.data() + kSaltDigits, kDataDigits);
    const std::string_view content(bytes.data() + kPayloadOverhead, bytes.size() - kPayloadOverhead);
    if (digits != CheckDigits(ComputeCrc(content), kDataDigits))
        return Cause::kCheckMismatch;
    try {
        xml = Windows1252ToUtf8(content);
    } catch (const std::bad_alloc&) {
        return Cause::kNoMemory;
    }
    return {};
}
