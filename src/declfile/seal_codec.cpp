#include "declfile/seal_codec.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/windows1252.h"

#include <span>

namespace formulario {

CSealCodec::CSealCodec() : m_keys(LoadSealKeys()) {}

CResult<std::string> CSealCodec::Unseal(std::string_view sealed) const
{
    CResult<std::string> payload = WithinMemory(Cause::kNoMemoryToDecode, [sealed] { return DecodeBase64(sealed); });
    if (!payload.ok())
        return payload.status();
    return WithinMemory(Cause::kNoMemory, [&] { return Open(*payload); });
}

CResult<std::string> CSealCodec::Open(std::string& payload) const
{
    if (payload.size() <= kPayloadOverhead)
        return Cause::kTooShort;
    const std::span<char> bytes(payload);
    if (CStatus status = DecipherInPlace(bytes.first(kSaltDigits), m_keys.digit); !status.ok())
        return status;
    const std::string saltDigits(bytes.data(), kSaltDigits);
    // Sealing writes ten decimal digits here; a zero byte (which would cut
    // the file key short, or leave it empty) only comes from a damaged file.
    if (saltDigits.find('\0') != std::string::npos)
        return Cause::kCheckMismatch;

    for (CStatus deciphered : {DecipherInPlace(bytes.subspan(kSaltDigits), saltDigits + std::string(m_keys.tail)),
                               DecipherInPlace(bytes.subspan(kSaltDigits, kDataDigits), m_keys.check)})
        if (!deciphered.ok())
            return deciphered;
    const std::string_view digits(bytes.data() + kSaltDigits, kDataDigits);
    const std::string_view content(bytes.data() + kPayloadOverhead, bytes.size() - kPayloadOverhead);
    if (digits != CheckDigits(ComputeCrc(content), kDataDigits))
        return Cause::kCheckMismatch;
    return Windows1252ToUtf8(content);
}

}  // namespace formulario
