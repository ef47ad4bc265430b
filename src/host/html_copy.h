#pragma once

#include <string>
#include <string_view>

namespace formulario {

// The HTML copy of a filled form: a fixed head (852 bytes: the style block,
// the title, "<body>"), the page markup byte for byte, and the closing tags.
std::string BuildHtmlCopy(std::string_view markup);

// The copy's path: the data file's path with ".htm" appended.
std::string HtmlCopyPath(const std::string& dataFilePath);

}  // namespace formulario
