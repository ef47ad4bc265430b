#pragma once

#include <string>
#include <string_view>

namespace formulario {

// The text with & < > " ' written as character references, so a value from a
// declaration file shows as itself in a page and never ends an attribute.
std::string EscapeHtml(std::string_view text);

}  // namespace formulario
