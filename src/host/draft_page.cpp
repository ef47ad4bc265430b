#include "host/draft_page.h"

#include "render/modify_page.h"

#include <algorithm>
#include <string>

namespace formulario {

namespace {

std::string ValueOf(const Draft& draft, std::string_view name)
{
    const std::string* value = draft.Value(name);
    return value ? *value : std::string();
}

}  // namespace

bool BuildDraftModifyPage(const Draft& draft, CPageText& page)
{
    Declaration declaration;
    declaration.formNumber = draft.formNumber;
    declaration.nit = ValueOf(draft, "c2");
    declaration.name = ValueOf(draft, "c3");
    declaration.from.text = ValueOf(draft, "anio_ini") + ValueOf(draft, "mes_ini") + ValueOf(draft, "dia_ini");
    declaration.to.text = ValueOf(draft, "anio_fin") + ValueOf(draft, "mes_fin") + ValueOf(draft, "dia_fin");
    for (int row = 1; row <= std::min(draft.annexRows, kMaxAnnexRows); ++row) {
        AnnexRow& cells = declaration.rows.emplace_back();
        cells.number = row;
        for (int column = 1; column <= 6; ++column)
            cells.cells[static_cast<std::size_t>(column - 1)] =
                ValueOf(draft, "f1" + std::to_string(row) + "c" + std::to_string(column));
    }
    for (int box = kFirstBox; box <= kLastBox; ++box)
        declaration.boxes.emplace(box, ValueOf(draft, "c" + std::to_string(box)));
    return BuildModifyPage(declaration, page);
}

}  // namespace formulario
