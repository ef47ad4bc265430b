#pragma once

#include "host/draft_store.h"
#include "render/page_text.h"

namespace formulario {

// The editable page a Modify draft comes back on, made from the draft alone
// (its declaration file may have moved since): the Modify page with the
// draft's form number, its annex rows and its values, laid out as the Modify
// command lays them out. The form's scripts then put every value back
// exactly (restauraborrador) and recompute the boxes.
[[nodiscard]] bool BuildDraftModifyPage(const Draft& draft, CPageText& page);

}  // namespace formulario
