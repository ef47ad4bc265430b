#pragma once

#include "declfile/status.h"

#include <string>
#include <string_view>

namespace formulario {

// Base64 (RFC 4648) with "*" instead of "/" for the value 63.
inline constexpr std::string_view kBase64Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+*";

// The line length of sealed declaration files.
inline constexpr std::size_t kSealLineLength = 360;

// Encodes `data`: a CR LF after every `lineLength` characters of complete
// groups (0: no breaks), one more CR LF after the last complete group when
// `finalBreak` is set, then the padded group for the last one or two bytes.
std::string EncodeBase64(std::string_view data, std::size_t lineLength, bool finalBreak);

// Decodes `text`, skipping CR, LF, space and tab. Nothing when the text
// holds any other character outside the alphabet, or does not end as the
// encoder ends it: the padding the last group needs and nothing after it,
// no bits left over beyond the last byte: the status then says why.
CResult<std::string> DecodeBase64(std::string_view text);

}  // namespace formulario
