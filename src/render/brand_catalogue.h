#pragma once

#include <array>
#include <string_view>

namespace formulario {

// The brands and presentations the annex offers, in the form's order (UTF-8),
// followed by one empty entry that ends the list. The build writes it from
// res/marcas.txt, the same list the form's selectors are built from.
extern const std::array<std::string_view, 78> kBrandCatalogue;

}  // namespace formulario
