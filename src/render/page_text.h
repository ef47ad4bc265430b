#pragma once

#include <string>
#include <string_view>

namespace formulario {

// The text of a page being built: appended to, never measured again.
class CPageText {
public:
    void Clear() { text_.clear(); }

    CPageText& Append(std::string_view text)
    {
        text_.append(text);
        return *this;
    }

    const std::string& str() const { return text_; }
    std::size_t size() const { return text_.size(); }

private:
    std::string text_;
};

}  // namespace formulario
