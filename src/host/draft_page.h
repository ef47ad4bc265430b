#pragma once

#include "host/draft_store.h"
#include "render/page_text.h"

// The editable page a Modify draft comes back on, made from the draft alone
// (its declaration file may have moved since): the Modify page with the
// draft's form number and values and an empty annex. The form's scripts then
// append the annex rows the way that page adds rows, put every value back
// exactly (restauraborrador) and recompute the boxes. A page without rows
// loads in half the time of one with a hundred.
bool BuildDraftModifyPage(const Draft& draft, CPageText& page);
