#include "host/draft_page.h"

#include "render/declaration_values.h"
#include "render/modify_page.h"

#include <string>

namespace {

std::string ValueOf(const Draft& draft, std::string_view name)
{
    const std::string* value = draft.Value(name);
    return value ? *value : std::string();
}

void AddBox(CNodeList& nodes, int id, std::string value)
{
    nodes.Add("CASILLA", std::move(value), "ID", "\"" + std::to_string(id) + "\"");
}

} // namespace

bool BuildDraftModifyPage(const Draft& draft, CPageText& page)
{
    CNodeList nodes;
    nodes.Add("FORMULARIO", "", "NUMERO", "\"" + draft.formNumber + "\"");
    nodes.Add("NIT", ValueOf(draft, "c2"), "", "");
    nodes.Add("NOMBRE", ValueOf(draft, "c3"), "", "");
    nodes.Add("PERIODO_DESDE",
              ValueOf(draft, "anio_ini") + ValueOf(draft, "mes_ini") + ValueOf(draft, "dia_ini"), "", "");
    nodes.Add("PERIODO_HASTA",
              ValueOf(draft, "anio_fin") + ValueOf(draft, "mes_fin") + ValueOf(draft, "dia_fin"), "", "");
    for (int row = 1; row <= draft.annexRows; ++row) {
        for (int column = 1; column <= 6; ++column)
            AddBox(nodes, AnnexCellId(row, column),
                   ValueOf(draft, "f1" + std::to_string(row) + "c" + std::to_string(column)));
    }
    for (int box = 2007; box <= 2029; ++box)
        AddBox(nodes, box, ValueOf(draft, "c" + std::to_string(box)));
    return BuildModifyPage(nodes, page);
}
