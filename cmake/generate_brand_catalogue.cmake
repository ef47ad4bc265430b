# Script mode: cmake -DKIND=cpp|js -DBRANDS=<marcas.txt> -DOUTPUT=<file>
#                    [-DTEMPLATE=<module.js>] -P generate_brand_catalogue.cmake
#
# KIND=cpp writes the definition of kBrandCatalogue (render/brand_catalogue.h).
# KIND=js copies TEMPLATE, putting the brands, one quoted text a line, in
# place of the line that holds the marker.

cmake_minimum_required(VERSION 3.25)

set(marker "// @BRAND_CATALOGUE@")

# Every brand is "FA", six digits, ".", two digits, a blank and a description
# without quotes, backslashes or angle brackets: it is written unescaped into
# C++ and JavaScript texts and into the options' markup.
set(code "FA[0-9][0-9][0-9][0-9][0-9][0-9][.][0-9][0-9]")
set(shape "^${code} [^\"'\\\\<>]*[^\"'\\\\<> ]$")

file(STRINGS ${BRANDS} brands ENCODING UTF-8)
list(LENGTH brands count)
if(count EQUAL 0)
  message(FATAL_ERROR "${BRANDS}: no brands")
endif()
set(position 0)
foreach(brand IN LISTS brands)
  math(EXPR position "${position} + 1")
  if(NOT brand MATCHES "${shape}")
    message(FATAL_ERROR "${BRANDS}, brand ${position}: \"${brand}\" is not a code and a description")
  endif()
endforeach()

list(TRANSFORM brands PREPEND "\"")
list(TRANSFORM brands APPEND "\"")

if(KIND STREQUAL "cpp")
  list(JOIN brands ",\n    " lines)
  set(text "// Written by the build from res/marcas.txt; edit that list, not this file.
#include \"render/brand_catalogue.h\"

#include <tuple>

namespace formulario {

const std::array<std::string_view, 78> kBrandCatalogue = {
    ${lines},
    \"\",
};

static_assert(std::tuple_size_v<decltype(kBrandCatalogue)> == ${count} + 1,
              \"res/marcas.txt and the catalogue's size disagree\");

}  // namespace formulario
")
elseif(KIND STREQUAL "js")
  file(READ ${TEMPLATE} text)
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${TEMPLATE}: the line \"${marker}\" is missing")
  endif()
  list(JOIN brands ",\n" lines)
  string(REPLACE "${marker}" "${lines}" text "${text}")
else()
  message(FATAL_ERROR "KIND must be cpp or js")
endif()

file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
