#pragma once

#include <forward_list>
#include <string>
#include <string_view>

namespace formulario {

// One record of a parsed declaration: an element with its text and its
// (first) attribute split into name and value. The attribute value keeps its
// quotes, as written in the XML.
struct CNode {
    std::string name;
    std::string value;
    std::string attributeName;
    std::string attributeValue;
};

// The flat list the XML reader fills and the page builders search. Records
// are added in front, so every look-up finds the most recently added match.
class CNodeList {
public:
    const CNode& Add(std::string name, std::string value, std::string attributeName, std::string attributeValue);

    // First record from the front whose name equals `name`, or nullptr.
    const CNode* FindByName(std::string_view name) const;

    // First record whose attribute name and attribute value both equal the
    // given texts (the element name is not compared), or nullptr.
    const CNode* FindByAttribute(std::string_view attributeName, std::string_view attributeValue) const;

    bool empty() const { return m_nodes.empty(); }

    // Front to back: the most recently added record first.
    auto begin() const { return m_nodes.begin(); }
    auto end() const { return m_nodes.end(); }

private:
    std::forward_list<CNode> m_nodes;
};

}  // namespace formulario
