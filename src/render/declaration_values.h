#pragma once

#include "render/node_list.h"

#include <string>

// The record of box `id`, looked up as ID="<id>" with the quotes, or nullptr.
const CNode* FindBox(const CNodeList& nodes, int id);

// Box ids of the brand annex: row r (from 1), column k (1 to 6).
constexpr int AnnexCellId(int row, int column) { return 10 * row - 4 + column; }
constexpr int kMaxAnnexRows = 103;
