#include "declfile/seal_keys.h"

#include <algorithm>

namespace formulario {

namespace {

constexpr std::string_view kDigitKey = "Tq7#z";
constexpr std::string_view kTailKey = "ZorovirirA-7316#DRN!sello";
constexpr std::string_view kCheckKey = "Casilla$29";

constexpr bool HasNoZeroByte(std::string_view key)
{
    return std::find(key.begin(), key.end(), '\0') == key.end();
}

static_assert(kDigitKey.size() == 5 && kTailKey.size() == 25 && kCheckKey.size() == 10);
static_assert(HasNoZeroByte(kDigitKey) && HasNoZeroByte(kTailKey) && HasNoZeroByte(kCheckKey));

}  // namespace

SealKeys LoadSealKeys()
{
    return {kDigitKey, kTailKey, kCheckKey};
}

}  // namespace formulario
