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
    "SOURCE", "REALSOURCE", "VERSION", "CODIGO_FORMULARIO", "NUMERO_VERSION", "ID_CAMBIO", "NIT",
    "PERIODO_DESDE", "PERIODO_HASTA", "ANEXOS", "NOMBRE", "DIRECCION", "CONTADOR", "CASILLAS", "MONTO"};

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
class Checker {
public:
    explicit Checker(std::string_view text) : text_(text) {}

    bool Read()
    {
        SkipBlanks();
        if (!Element(""))
            return false;
        SkipBlanks();
        return at_ == text_.size();
    }

    struct Record {
        std::string name, parent, id;
        bool hasId = false;
        std::string text;  // its own text, with a stand-in for each reference
        bool hasChildren = false;
    };
    std::vector<Record> elements;

private:
    bool Peek(std::string_view what) const { return text_.substr(at_, what.size()) == what; }
    void SkipBlanks()
    {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }

    bool Name(std::string& name)
    {
        const std::size_t start = at_;
        if (at_ >= text_.size() || !IsNameStart(text_[at_]))
            return false;
        while (at_ < text_.size() && IsNameChar(text_[at_]))
            ++at_;
        name = text_.substr(start, at_ - start);
        return true;
    }

    // "&name;" or "&#digits;" or "&#xhex;", at '&'; appends a stand-in for
    // its character to `text` (a control character stays one).
    bool Reference(std::string& text)
    {
        const auto end = text_.find(';', at_);
        if (end == std::string_view::npos)
            return false;
        const std::string_view body = text_.substr(at_ + 1, end - at_ - 1);
        at_ = end + 1;
        static const std::set<std::string_view> named = {"amp", "lt", "gt", "quot", "apos"};
        text += 'x';
        if (named.contains(body))
            return true;
        if (!body.starts_with('#'))
            return false;
        const bool hex = body.starts_with("#x");
        const std::string_view digits = body.substr(hex ? 2 : 1);
        const bool number = !digits.empty() && digits.size() <= 8
            && std::all_of(digits.begin(), digits.end(), [hex](char ch) {
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
        ++at_;
        SkipBlanks();
        if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\''))
            return false;
        const char quote = text_[at_++];
        std::string value;
        while (at_ < text_.size() && text_[at_] != quote) {
            if (text_[at_] == '<')
                return false;
            if (text_[at_] == '&') {
                if (!Reference(value))
                    return false;
                continue;
            }
            value += text_[at_++];
        }
        if (at_++ >= text_.size())
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
        at_ += 2;
        std::string name;
        if (!Name(name) || name != elements[index].name)
            return false;
        SkipBlanks();
        if (!Peek(">"))
            return false;
        ++at_;
        --depth_;
        return elements[index].hasChildren || IsAcceptableValue(elements[index].name, elements[index].text);
    }

    bool Element(const std::string& parent)
    {
        if (!Peek("<") || ++depth_ > 8)
            return false;
        ++at_;
        Record element;
        element.parent = parent;
        if (!Name(element.name))
            return false;
        for (;;) {
            const std::size_t before = at_;
            SkipBlanks();
            if (Peek("/>")) {
                at_ += 2;
                elements.push_back(element);
                --depth_;
                return true;
            }
            if (Peek(">"))
                break;
            if (at_ == before || !Attribute(element))
                return false;
        }
        ++at_;
        const std::size_t index = elements.size();
        elements.push_back(element);
        while (at_ < text_.size()) {
            if (Peek("</"))
                return EndTag(index);
            if (Peek("<![CDATA[")) {
                const auto close = text_.find("]]>", at_);
                if (close == std::string_view::npos)
                    return false;
                elements[index].text.append(text_.substr(at_ + 9, close - at_ - 9));
                at_ = close + 3;
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
                elements[index].text += text_[at_++];
            }
        }
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int depth_ = 0;
};

} // namespace

bool IsSealableDeclaration(std::string_view xml)
{
    Checker checker(xml);
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
    return std::all_of(required.begin(), required.end(),
                       [&](const std::string& id) { return boxes.contains(id); });
}

}  // namespace formulario
