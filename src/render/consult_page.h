#pragma once

#include "declfile/declaration.h"
#include "render/page_text.h"

namespace formulario {

// Writes into `page` (emptied first) the read-only page of a declaration: the
// form's sections with every value as plain text, linking only the
// stylesheet. Values are escaped, so the page shows exactly the saved text.
// Returns false as soon as a box it needs is missing (2023 and 2028 are read
// only when 2022, respectively 2027, is "0"); the text written up to then
// must not be shown.
bool BuildConsultPage(const Declaration& declaration, CPageText& page);

}  // namespace formulario
