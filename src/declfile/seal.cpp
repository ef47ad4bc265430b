#include "declfile/seal.h"

#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/windows1252.h"

#include <new>

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
    std::string salted = stamp.date + stamp.time;
    salted.append(input);
    const std::string saltDigits = CheckDigits(ComputeCrc(salted), kSaltDigits);
    const std::string fileKey = saltDigits + std::string(keys.tail);

    std::string body = Encipher(CheckDigits(ComputeCrc(input), kDataDigits), keys.check);
    body.append(input);
    const std::string payload = Encipher(saltDigits, keys.digit) + Encipher(body, fileKey);
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
