#pragma once

#include "render/node_list.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The record of box `id`, looked up as ID="<id>" with the quotes, or nullptr.
const CNode* FindBox(const CNodeList& nodes, int id);

// Box ids of the brand annex: row r (from 1), column k (1 to 6).
constexpr int AnnexCellId(int row, int column) { return 10 * row - 4 + column; }
constexpr int kMaxAnnexRows = 103;

// The numbers of the annex rows a declaration holds, ascending: every row
// from 1 to kMaxAnnexRows whose brand cell `hasBox` finds. A writer leaves
// rows out and keeps the numbers of the others, so there may be gaps.
std::vector<int> AnnexRowsPresent(const std::function<bool(int id)>& hasBox);

// The form number: the FORMULARIO attribute value without its quotes, empty
// when that value is shorter than two characters.
std::string_view FormNumberOf(const CNode& formulario);
