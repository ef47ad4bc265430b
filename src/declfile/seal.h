#pragma once

#include "declfile/seal_keys.h"
#include "declfile/status.h"
#include "declfile/time_stamp.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace formulario {

// A sealed declaration file is the text, in the Base64 variant, of this
// payload (n + 40 bytes for an XML text of n bytes):
//   10 salt check digits, enciphered with the digit key;
//   30 data check digits enciphered with the check key, then the XML; these
//      n + 30 bytes enciphered together with the file key, which is the salt
//      check digits in clear followed by the tail key.
// The salt check digits are the CRC of the time stamp of the sealing and the
// XML, so every sealing gives a different file; the data check digits are the
// CRC of the XML alone.
inline constexpr std::size_t kSaltDigits = 10;
inline constexpr std::size_t kDataDigits = 30;
inline constexpr std::size_t kPayloadOverhead = kSaltDigits + kDataDigits;

// `value` in decimal with leading zeros to `width` digits.
std::string CheckDigits(std::uint32_t value, std::size_t width);

// Seals the single-byte text `input` with the time stamp read from `clock`.
// Cause::kNothingToSeal for an empty input.
CResult<std::string> Seal(std::string_view input, const SealKeys& keys, const ClockSource& clock = ReadLocalClock);

// Seals a declaration XML already in Windows-1252 bytes with the program's
// keys; Cause::kNoMemory when memory runs out.
CResult<std::string> SealWindows1252Declaration(std::string_view xml, const ClockSource& clock = ReadLocalClock);

// Seals a declaration XML given in UTF-8: converts it to Windows-1252
// (Cause::kNotWindows1252 naming what cannot be written) and seals it.
CResult<std::string> SealDeclaration(std::string_view xmlUtf8, const ClockSource& clock = ReadLocalClock);

}  // namespace formulario
