#pragma once

#include "declfile/declaration.h"
#include "render/page_text.h"

#include <functional>
#include <string_view>

namespace formulario {

// Receives the text of a page piece by piece, in order.
using PageSink = std::function<void(std::string_view)>;

// Writes the editable form page of a declaration: every box an input holding
// its saved value, the brand annex with the saved brand selected in each row,
// the form's scripts linked, and the "Generar" button. Returns false as soon
// as one of boxes 2007 to 2029 is missing; the text written up to then must
// not be shown.
bool WriteModifyPage(const Declaration& declaration, const PageSink& sink);

// Empties `page` and writes the editable page into it.
bool BuildModifyPage(const Declaration& declaration, CPageText& page);

}  // namespace formulario
