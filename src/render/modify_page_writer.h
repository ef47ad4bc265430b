#pragma once

#include "render/modify_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace formulario {

// Writes the editable page in page order, one section after the other; a
// section returns false when a box it shows is missing. Its parts are written
// by section of the page: head, header and taxpayer (modify_page.cpp), the
// brand annex (modify_page_annex.cpp), the tax and the rectifications
// (modify_page_tax.cpp), and the pieces they share (modify_page_writer.cpp).
// The inputs of one pair of result boxes (2022/2023 or 2027/2028): one of
// them carries the amount, shown again in a display field under a label.
struct ResultRow {
    std::string_view layer;
    std::string_view display;
    int payBox;
    int favourBox;
    std::string_view payLabel;
    std::string_view favourLabel;
};

class CModifyPageWriter {
public:
    CModifyPageWriter(const Declaration& declaration, const PageSink& sink) : m_declaration(declaration), m_sink(sink)
    {
    }

    bool Write();

private:
    void Put(std::string_view text) { m_sink(text); }

    // Writes the pieces joined, as one piece.
    template <typename... Pieces> void PutJoined(const Pieces&... pieces)
    {
        m_tag.clear();
        (m_tag.append(std::string_view(pieces)), ...);
        Put(m_tag);
    }

    // <input name='N' id='N' ATTRIBUTES value='V'>, the value escaped; no
    // value attribute at all when `value` is empty-handed.
    void PutInput(std::string_view name, std::string_view attributes, std::optional<std::string_view> value);
    void PutHidden(std::string_view name, std::optional<std::string_view> value)
    {
        PutInput(name, "type='hidden'", value);
    }

    const std::string* Box(int id) const { return m_declaration.Box(id); }
    static std::string BoxName(int id) { return "c" + std::to_string(id); }
    // A box value as the form shows it: a bare "0" is an empty box.
    static std::string_view ZeroSuppressed(std::string_view value) { return value == "0" ? std::string_view{} : value; }

    // A computed box: read-only, disabled, zero-suppressed.
    bool PutComputedCell(int id, std::string_view cellAttributes, bool withMaxLength = true);
    // Boxes `first` and `first` + 1, the Inciso A and Inciso B columns.
    bool PutComputedPair(int first);

    // The head, the header and the taxpayer's box with the period.
    void WriteHead();
    bool WriteHeader();
    bool WriteTaxpayer();
    bool WritePeriod();
    void PutDateCell(std::string_view width, std::string_view name, std::string_view attributes,
                     std::string_view value);

    // The brand annex.
    bool WriteAnnex();
    // Row `row` of the file as row `shown` of the page.
    void WriteAnnexRow(int shown, const AnnexRow& row);
    // One option line per catalogue entry; the entry equal to the saved brand,
    // compared whole and case-sensitively, is selected.
    void WriteBrandOptions(std::string_view savedBrand);

    // The tax, the rectifications, the total and the oath.
    bool WriteTaxDetermination();
    // The computed, maximum and considered deductions, Inciso A and B.
    bool WriteDeductionRows();
    bool WriteRectification();
    void PutFillerRow();
    bool PutEditableRow(std::string_view label, int id, std::string_view handler);
    // The pay variant unless only the favour amount is non-zero.
    bool WriteResultRow(const ResultRow& row);
    bool WriteTotal();
    void WriteOath();

    const Declaration& m_declaration;
    const PageSink& m_sink;
    std::string m_tag;  // one tag composed before it is written
};

}  // namespace formulario
