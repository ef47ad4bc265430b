#include "declfile/seal.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/windows1252.h"

#include <span>

namespace formulario {

namespace {

constexpr int kSaltTimeStampMode = 2;

}  // namespace

std::string CheckDigits(std::uint32_t value, std::size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

CResult<std::string> Seal(std::string_view input, const SealKeys& keys, const ClockSource& clock)
{
    if (input.empty())
        return Cause::kNothingToSeal;
    const TimeStamp stamp = FormatTimeStamp(kSaltTimeStampMode, clock());
    const std::string saltDigits = CheckDigits(ComputeCrc(stamp.date + stamp.time, input), kSaltDigits);
    const std::string fileKey = saltDigits + std::string(keys.tail);

    // Salt digits, check digits and input in one buffer, each part then
    // enciphered in place.
    std::string payload = saltDigits + CheckDigits(ComputeCrc(input), kDataDigits);
    payload.append(input);
    const std::span<char> bytes(payload);
    for (CStatus enciphered : {EncipherInPlace(bytes.first(kSaltDigits), keys.digit),
                               EncipherInPlace(bytes.subspan(kSaltDigits, kDataDigits), keys.check),
                               EncipherInPlace(bytes.subspan(kSaltDigits), fileKey)})
        if (!enciphered.ok())
            return enciphered;
    return EncodeBase64(payload, kSealLineLength, true);
}

CResult<std::string> SealWindows1252Declaration(std::string_view xml, const ClockSource& clock)
{
    return WithinMemory(Cause::kNoMemory, [&]() -> CResult<std::string> { return Seal(xml, LoadSealKeys(), clock); });
}

CResult<std::string> SealDeclaration(std::string_view xmlUtf8, const ClockSource& clock)
{
    return WithinMemory(Cause::kNoMemory, [&]() -> CResult<std::string> {
        CResult<std::string> xml = Utf8ToWindows1252(xmlUtf8);
        if (!xml.ok())
            return xml.status();
        return Seal(*xml, LoadSealKeys(), clock);
    });
}

}  // namespace formulario
