#include "declfile/declaration_values.h"

#include <algorithm>

namespace formulario {

namespace {

struct ValueLimit {
    std::string_view element;
    std::size_t length;
};

constexpr ValueLimit kValueLimits[] = {{"NIT", 13}, {"NOMBRE", 80}};
constexpr std::size_t kAnyValueLength = 100;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t MaxValueLength(std::string_view element)
{
    const auto limit = std::find_if(std::begin(kValueLimits), std::end(kValueLimits),
                                    [element](const ValueLimit& each) { return each.element == element; });
    return limit == std::end(kValueLimits) ? kAnyValueLength : limit->length;
}

bool IsAcceptableValue(std::string_view element, std::string_view value)
{
    if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return false;
    const auto characters = static_cast<std::size_t>(
        std::count_if(value.begin(), value.end(), [](char c) { return !IsContinuationByte(c); }));
    return characters <= MaxValueLength(element);
}

}  // namespace formulario
