#include "render/declaration_values.h"

const CNode* FindBox(const CNodeList& nodes, int id)
{
    return nodes.FindByAttribute("ID", "\"" + std::to_string(id) + "\"");
}

std::vector<int> AnnexRowsPresent(const std::function<bool(int id)>& hasBox)
{
    std::vector<int> rows;
    for (int row = 1; row <= kMaxAnnexRows; ++row)
        if (hasBox(AnnexCellId(row, 1)))
            rows.push_back(row);
    return rows;
}

std::string_view FormNumberOf(const CNode& formulario)
{
    const std::string_view quoted = formulario.attributeValue;
    return quoted.size() < 2 ? std::string_view() : quoted.substr(1, quoted.size() - 2);
}
