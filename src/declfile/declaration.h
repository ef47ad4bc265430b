#pragma once

#include "declfile/form_facts.h"
#include "declfile/node_list.h"
#include "declfile/unseal_status.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Box ids of the brand annex: row r (from 1), column k (1 to 6).
constexpr int AnnexCellId(int row, int column) { return 10 * row - 4 + column; }

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
    std::vector<AnnexRow> rows;  // ascending by number; a writer may leave gaps
    std::map<int, std::string> boxes;  // those of kFirstBox to kLastBox the file holds
    std::string presented;  // the FECPRE box, "dd/mm/yyyy"; empty when the file lacks it

    // The saved text of box `id` (kFirstBox to kLastBox), or nullptr when the
    // file lacks it. Which boxes a page needs is the page's own rule.
    const std::string* Box(int id) const;
};

// Why a declaration could not be read: ok, not a sealed text, not form
// DRN-7316, or the first value missing from it.
class DeclarationStatus {
public:
    enum class Kind { kOk, kNotSealed, kNoFormCode, kNoVersion, kOtherForm, kMissingValue, kBadValue };

    DeclarationStatus() = default;
    static DeclarationStatus NotSealed(UnsealStatus unseal);
    static DeclarationStatus Missing(std::string what);
    static DeclarationStatus BadValue(std::string what);
    DeclarationStatus(Kind kind) : m_kind(kind) {}

    bool ok() const { return m_kind == Kind::kOk; }
    Kind kind() const { return m_kind; }
    std::string Describe() const;

private:
    Kind m_kind = Kind::kOk;
    UnsealStatus m_unseal;
    std::string m_missing;
};

// Reads the declaration from a parsed XML: FORMULARIO, NIT, NOMBRE,
// PERIODO_DESDE, PERIODO_HASTA, every annex row from 1 to kMaxAnnexRows whose
// brand cell is there (all six cells then needed), and the boxes kFirstBox to
// kLastBox and FECPRE that are there. Looks values up as CNodeList does: the record
// added last wins. A value too long for its box, or holding a control
// character, is refused.
DeclarationStatus ReadDeclaration(const CNodeList& nodes, Declaration& declaration);

// Unseals, parses (tracing to `trace` when given), checks that the form code
// and version join to "7316", and reads the declaration.
DeclarationStatus ReadSealedDeclaration(std::string_view sealed, Declaration& declaration,
                                        std::ostream* trace = nullptr);
