#pragma once

#include "render/declaration_values.h"

#include <array>
#include <map>
#include <optional>
#include <string>

// A parsed declaration as the XML reader leaves it, built from its values:
// FORMULARIO, the header elements, then the boxes in the order of their ids.
struct DeclarationNodes {
    std::optional<std::string> numero = "\"14302257\""; // nothing: no FORMULARIO
    std::map<std::string, std::string> elements{
        {"NIT", "12345679"}, {"PERIODO_DESDE", "20120301"}, {"PERIODO_HASTA", "20120331"}};
    std::map<int, std::string> boxes{{6, "46"}};

    void SetRow(int row, const std::array<std::string, 6>& cells)
    {
        for (int column = 1; column <= 6; ++column)
            boxes[AnnexCellId(row, column)] = cells[column - 1];
    }

    CNodeList Nodes() const
    {
        CNodeList nodes;
        if (numero)
            nodes.Add("FORMULARIO", "", "NUMERO", *numero);
        for (const auto& [name, value] : elements)
            nodes.Add(name, value, "", "");
        nodes.Add("CASILLAS", "", "", "");
        for (const auto& [id, value] : boxes)
            nodes.Add("CASILLA", value, "ID", "\"" + std::to_string(id) + "\"");
        return nodes;
    }
};
