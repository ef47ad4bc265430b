#include "declfile/node_list.h"

#include <algorithm>

namespace formulario {

const CNode& CNodeList::Add(std::string name, std::string value,
                            std::string attributeName, std::string attributeValue)
{
    nodes_.push_front(CNode{std::move(name), std::move(value),
                            std::move(attributeName), std::move(attributeValue)});
    return nodes_.front();
}

const CNode* CNodeList::FindByName(std::string_view name) const
{
    auto it = std::find_if(nodes_.begin(), nodes_.end(),
                           [&](const CNode& node) { return node.name == name; });
    return it == nodes_.end() ? nullptr : &*it;
}

const CNode* CNodeList::FindByAttribute(std::string_view attributeName,
                                        std::string_view attributeValue) const
{
    auto it = std::find_if(nodes_.begin(), nodes_.end(), [&](const CNode& node) {
        return node.attributeName == attributeName && node.attributeValue == attributeValue;
    });
    return it == nodes_.end() ? nullptr : &*it;
}

}  // namespace formulario
