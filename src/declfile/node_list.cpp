#include "declfile/node_list.h"

#include <algorithm>

namespace formulario {

const CNode& CNodeList::Add(std::string name, std::string value, std::string attributeName, std::string attributeValue)
{
    m_nodes.push_front(CNode{std::move(name), std::move(value), std::move(attributeName), std::move(attributeValue)});
    return m_nodes.front();
}

const CNode* CNodeList::FindByName(std::string_view name) const
{
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const CNode& node) { return node.name == name; });
    return it == m_nodes.end() ? nullptr : &*it;
}

const CNode* CNodeList::FindByAttribute(std::string_view attributeName, std::string_view attributeValue) const
{
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const CNode& node) {
        return node.attributeName == attributeName && node.attributeValue == attributeValue;
    });
    return it == m_nodes.end() ? nullptr : &*it;
}

}  // namespace formulario
