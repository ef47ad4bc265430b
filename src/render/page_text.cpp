#include "render/page_text.h"

#include <cstdarg>
#include <cstdio>

CPageText& CPageText::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length > 0) {
        const std::size_t start = text_.size();
        text_.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text_.data() + start, static_cast<std::size_t>(length) + 1, format, args);
        text_.resize(start + static_cast<std::size_t>(length));
    }
    va_end(args);
    return *this;
}
