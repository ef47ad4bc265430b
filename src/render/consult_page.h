#pragma once

#include "render/node_list.h"
#include "render/page_text.h"


// Writes into `page` (emptied first) the read-only page of a parsed
// declaration: the form's sections with every value as plain text, linking
// only the stylesheet. Values are escaped, so the page shows exactly the saved
// text. Returns false as soon as a required element or box is missing; the
// text written up to then must not be shown.
bool BuildConsultPage(const CNodeList& nodes, CPageText& page);
