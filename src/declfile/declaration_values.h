#pragma once

#include <cstddef>
#include <string_view>

namespace formulario {

// The longest value, in characters, that the element `element` of a
// declaration may hold: what its box lets a person type (the NIT, the name),
// and for every other value a bound far above any number or brand.
std::size_t MaxValueLength(std::string_view element);

// Whether the UTF-8 `value` of `element` is one the form can hold: no
// control character (below U+0020) and no longer than MaxValueLength.
bool IsAcceptableValue(std::string_view element, std::string_view value);

}  // namespace formulario
