#include "unseal_reason.h"

#include "declfile/seal_codec.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> kReasons = {
    "ok",
    "the check digits do not match the declaration (the file was changed or sealed with other keys)",
    "too short to hold a declaration",
    "not enough memory to unseal it",
    "not a sealed declaration text (a character outside the alphabet)",
    "cannot be read",
};

static_assert(kUnsealOk == 0 && kUnsealBadText == 4 && kUnreadable == 5);

} // namespace

std::string_view UnsealReason(int code)
{
    if (code < 0 || static_cast<std::size_t>(code) >= kReasons.size())
        return "unknown";
    return kReasons[static_cast<std::size_t>(code)];
}
