#pragma once

#include <string>
#include <string_view>

namespace formulario {

// The text of a page being built: appended to, never measured again.
class CPageText {
public:
    void Clear() { m_text.clear(); }

    CPageText& Append(std::string_view text)
    {
        m_text.append(text);
        return *this;
    }

    const std::string& str() const { return m_text; }
    std::size_t size() const { return m_text.size(); }

private:
    std::string m_text;
};

}  // namespace formulario
