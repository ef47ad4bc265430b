#pragma once

#include <string_view>

namespace formulario {

// True when `xml` is a well-formed XML text with one FORMULARIO element that
// holds each header element exactly once and, in CASILLAS, boxes with
// distinct IDs among which 6, 2007 to 2029, FECPRE and LUGPRE, and whose
// values the form can hold (IsAcceptableValue). Any script on
// the form's page can hand a declaration to the host, so the host checks the
// text before sealing it.
bool IsSealableDeclaration(std::string_view xml);

}  // namespace formulario
