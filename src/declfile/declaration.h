#pragma once

#include "declfile/form_facts.h"
#include "declfile/node_list.h"
#include "declfile/status.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace formulario {

// Box ids of the brand annex: row r (from 1), column k (1 to 6).
constexpr int AnnexCellId(int row, int column)
{
    return 10 * row - 4 + column;
}

// A saved period date, year, month and day run together ("20120301").
struct PeriodDate {
    std::string text;

    std::string_view Year() const { return Slice(0, 4); }
    std::string_view Month() const { return Slice(4, 2); }
    std::string_view Day() const { return Slice(6, 2); }

private:
    // Characters [position, position + count), or as many of them as there are.
    std::string_view Slice(std::size_t position, std::size_t count) const;
};

// One annex row of a declaration: its number in the file and its six cells
// (brand, price, base, packages made, deductions A and B) as saved.
struct AnnexRow {
    int number = 0;
    std::array<std::string, 6> cells;
};

// A declaration as read back from its XML: what the Consult and Modify pages
// show. Texts are exactly as saved.
struct Declaration {
    std::string formNumber;  // the FORMULARIO attribute without its quotes
    std::string nit;
    std::string name;
    PeriodDate from;
    PeriodDate to;
    std::vector<AnnexRow> rows;        // ascending by number; a writer may leave gaps
    std::map<int, std::string> boxes;  // those of kFirstBox to kLastBox the file holds
    std::string presented;             // the FECPRE box, "dd/mm/yyyy"; empty when the file lacks it

    // The saved text of box `id` (kFirstBox to kLastBox), or nullptr when the
    // file lacks it. Which boxes a page needs is the page's own rule.
    const std::string* Box(int id) const;
};

// Reads the declaration from a parsed XML: FORMULARIO, NIT, NOMBRE,
// PERIODO_DESDE, PERIODO_HASTA, every annex row from 1 to kMaxAnnexRows whose
// brand cell is there (all six cells then needed), and the boxes kFirstBox to
// kLastBox and FECPRE that are there. Looks values up as CNodeList does: the record
// added last wins. A value too long for its box, or holding a control
// character, is refused: Cause::kMissingValue or kBadValue naming it.
CResult<Declaration> ReadDeclaration(const CNodeList& nodes);

// Unseals (the unsealing causes), parses (tracing to `trace` when given),
// checks that the form code and version join to "7316" (kNoFormCode,
// kNoVersion, kOtherForm), and reads the declaration.
CResult<Declaration> ReadSealedDeclaration(std::string_view sealed, std::ostream* trace = nullptr);

}  // namespace formulario
