#pragma once

#include "render/node_list.h"

#include <string>
#include <string_view>

// The record of box `id`, looked up as ID="<id>" with the quotes, or nullptr.
const CNode* FindBox(const CNodeList& nodes, int id);

// Box ids of the brand annex: row r (from 1), column k (1 to 6).
constexpr int AnnexCellId(int row, int column) { return 10 * row - 4 + column; }
constexpr int kMaxAnnexRows = 103;

// Annex rows are counted from row 1 while their brand cell exists, never
// past kMaxAnnexRows.
int CountAnnexRows(const CNodeList& nodes);

// The form number: the FORMULARIO attribute value without its quotes, empty
// when that value is shorter than two characters.
std::string_view FormNumberOf(const CNode& formulario);
