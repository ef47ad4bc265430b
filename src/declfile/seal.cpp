#include "declfile/seal.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/windows1252.h"

#include <new>
#include <span>

namespace {

constexpr int kSaltTimeStampMode = 2;

} // namespace

std::string CheckDigits(std::uint32_t value, std::size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::optional<std::string> Seal(std::string_view input, const SealKeys& keys,
                                const ClockSource& clock)
{
    if (input.empty())
        return std::nullopt;
    const TimeStamp stamp = FormatTimeStamp(kSaltTimeStampMode, clock());
    const std::string saltDigits = CheckDigits(ComputeCrc(stamp.date + stamp.time, input), kSaltDigits);
    const std::string fileKey = saltDigits + std::string(keys.tail);

    // Salt digits, check digits and input in one buffer, each part then
    // enciphered in place.
    std::string payload = saltDigits + CheckDigits(ComputeCrc(input), kDataDigits);
    payload.append(input);
    const std::span<char> bytes(payload);
    EncipherInPlace(bytes.first(kSaltDigits), keys.digit);
    EncipherInPlace(bytes.subspan(kSaltDigits, kDataDigits), keys.check);
    EncipherInPlace(bytes.subspan(kSaltDigits), fileKey);
    return EncodeBase64(payload, kSealLineLength, true);
}

std::optional<std::string> SealDeclaration(std::string_view xmlUtf8, const ClockSource& clock)
{
    try {
        const auto xml = Utf8ToWindows1252(xmlUtf8);
        if (!xml)
            return std::nullopt;
        return Seal(*xml, LoadSealKeys(), clock);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<std::string> SealDeclaration(std::string_view xmlUtf8)
{
    return SealDeclaration(xmlUtf8, ReadLocalClock);
}
