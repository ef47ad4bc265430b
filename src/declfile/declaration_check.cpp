#include "declfile/declaration_check.h"

#include "declfile/declaration_values.h"
#include "declfile/form_facts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace formulario {

namespace {

constexpr std::array<std::string_view, 15> kHeaderElements = {
    "SOURCE",    "REALSOURCE", "VERSION",       "CODIGO_FORMULARIO", "NUMERO_VERSION",
    "ID_CAMBIO", "NIT",        "PERIODO_DESDE", "PERIODO_HASTA",     "ANEXOS",
    "NOMBRE",    "DIRECCION",  "CONTADOR",      "CASILLAS",          "MONTO"};

bool IsNameStart(char ch)
{
    return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_' || ch == ':';
}

bool IsNameChar(char ch)
{
    return IsNameStart(ch) || std::isdigit(static_cast<unsigned char>(ch)) || ch == '-' || ch == '.';
}

// A strict reader of the small XML the form writes: elements, attributes,
// text with entity references, character-data sections. It records each
// element's parent and ID attribute, and fails on anything not well formed.
class CDeclarationChecker {
public:
    explicit CDeclarationChecker(std::string_view text) : m_text(text) {}

    bool Read()
    {
        SkipBlanks();
        if (!Element(""))
            return false;
        SkipBlanks();
        return m_at == m_text.size();
    }

    struct Record {
        std::string name, parent, id;
        bool hasId = false;
        std::string text;  // its own text, with a stand-in for each reference
        bool hasChildren = false;
    };
    std::vector<Record> elements;

private:
    bool Peek(std::string_view what) const { return m_text.substr(m_at, what.size()) == what; }
    void SkipBlanks()
    {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
    }

    bool Name(std::string& name)
    {
        const std::size_t start = m_at;
        if (m_at >= m_text.size() || !IsNameStart(m_text[m_at]))
            return false;
        while (m_at < m_text.size() && IsNameChar(m_text[m_at]))
            ++m_at;
        name = m_text.substr(start, m_at - start);
        return true;
    }

    // "&name;" or "&#digits;" or "&#xhex;", at '&'; appends a stand-in for
    // its character to `text` (a control character stays one).
    bool Reference(std::string& text)
    {
        const auto end = m_text.find(';', m_at);
        if (end == std::string_view::npos)
            return false;
        const std::string_view body = m_text.substr(m_at + 1, end - m_at - 1);
        m_at = end + 1;
        static const std::set<std::string_view> named = {"amp", "lt", "gt", "quot", "apos"};
        text += 'x';
        if (named.contains(body))
            return true;
        if (!body.starts_with('#'))
            return false;
        const bool hex = body.starts_with("#x");
        const std::string_view digits = body.substr(hex ? 2 : 1);
        const bool number =
            !digits.empty() && digits.size() <= 8 && std::all_of(digits.begin(), digits.end(), [hex](char ch) {
                return hex ? std::isxdigit(static_cast<unsigned char>(ch)) != 0
                           : std::isdigit(static_cast<unsigned char>(ch)) != 0;
            });
        if (number && std::stoul(std::string(digits), nullptr, hex ? 16 : 10) < 0x20)
            text.back() = '\x01';
        return number;
    }

    bool Attribute(Record& element)
    {
        std::string name;
        if (!Name(name))
            return false;
        SkipBlanks();
        if (!Peek("="))
            return false;
        ++m_at;
        SkipBlanks();
        if (m_at >= m_text.size() || (m_text[m_at] != '"' && m_text[m_at] != '\''))
            return false;
        const char quote = m_text[m_at++];
        std::string value;
        while (m_at < m_text.size() && m_text[m_at] != quote) {
            if (m_text[m_at] == '<')
                return false;
            if (m_text[m_at] == '&') {
                if (!Reference(value))
                    return false;
                continue;
            }
            value += m_text[m_at++];
        }
        if (m_at++ >= m_text.size())
            return false;
        if (!IsAcceptableValue(name, value))
            return false;
        if (name == "ID") {
            if (element.hasId)
                return false;
            element.hasId = true;
            element.id = value;
        }
        return true;
    }

    // The end tag of elements[index], at its "</"; true when it closes that
    // element and the element holds an acceptable value or other elements.
    bool EndTag(std::size_t index)
    {
        m_at += 2;
        std::string name;
        if (!Name(name) || name != elements[index].name)
            return false;
        SkipBlanks();
        if (!Peek(">"))
            return false;
        ++m_at;
        --m_depth;
        return elements[index].hasChildren || IsAcceptableValue(elements[index].name, elements[index].text);
    }

    bool Element(const std::string& parent)
    {
        if (!Peek("<") || ++m_depth > 8)
            return false;
        ++m_at;
        Record element;
        element.parent = parent;
        if (!Name(element.name))
            return false;
        for (;;) {
            const std::size_t before = m_at;
            SkipBlanks();
            if (Peek("/>")) {
                m_at += 2;
                elements.push_back(element);
                --m_depth;
                return true;
            }
            if (Peek(">"))
                break;
            if (m_at == before || !Attribute(element))
                return false;
        }
        ++m_at;
        const std::size_t index = elements.size();
        elements.push_back(element);
        while (m_at < m_text.size()) {
            if (Peek("</"))
                return EndTag(index);
            if (Peek("<![CDATA[")) {
                const auto close = m_text.find("]]>", m_at);
                if (close == std::string_view::npos)
                    return false;
                elements[index].text.append(m_text.substr(m_at + 9, close - m_at - 9));
                m_at = close + 3;
            } else if (Peek("<")) {
                elements[index].hasChildren = true;
                if (!Element(element.name))
                    return false;
            } else if (Peek("&")) {
                if (!Reference(elements[index].text))
                    return false;
            } else if (Peek("]]>")) {
                return false;
            } else {
                elements[index].text += m_text[m_at++];
            }
        }
        return false;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_depth = 0;
};

}  // namespace

bool IsSealableDeclaration(std::string_view xml)
{
    CDeclarationChecker checker(xml);
    if (!checker.Read() || checker.elements.front().name != "FORMULARIO")
        return false;
    std::map<std::string, int> headers;
    std::set<std::string> boxes;
    for (const auto& element : checker.elements) {
        if (element.name == "FORMULARIO") {
            if (!element.parent.empty())
                return false;
        } else if (element.name == "CASILLA") {
            if (element.parent != "CASILLAS" || !element.hasId || !boxes.insert(element.id).second)
                return false;
        } else if (std::find(kHeaderElements.begin(), kHeaderElements.end(), element.name) != kHeaderElements.end()) {
            if (element.parent != "FORMULARIO" || ++headers[element.name] > 1)
                return false;
        } else {
            return false;
        }
    }
    if (headers.size() != kHeaderElements.size())
        return false;
    std::vector<std::string> required = {"6", "FECPRE", "LUGPRE"};
    for (int box = kFirstBox; box <= kLastBox; ++box)
        required.push_back(std::to_string(box));
    return std::all_of(required.begin(), required.end(), [&](const std::string& id) { return boxes.contains(id); });
}

}  // namespace formulario
