#include "render/declaration_values.h"

const CNode* FindBox(const CNodeList& nodes, int id)
{
    return nodes.FindByAttribute("ID", "\"" + std::to_string(id) + "\"");
}

int CountAnnexRows(const CNodeList& nodes)
{
    int rows = 0;
    while (rows < kMaxAnnexRows && FindBox(nodes, AnnexCellId(rows + 1, 1)))
        ++rows;
    return rows;
}

std::string_view FormNumberOf(const CNode& formulario)
{
    const std::string_view quoted = formulario.attributeValue;
    return quoted.size() < 2 ? std::string_view() : quoted.substr(1, quoted.size() - 2);
}
