#include "render/declaration_values.h"

const CNode* FindBox(const CNodeList& nodes, int id)
{
    return nodes.FindByAttribute("ID", "\"" + std::to_string(id) + "\"");
}
