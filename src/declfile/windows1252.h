#pragma once

#include "declfile/status.h"

#include <string>
#include <string_view>

namespace formulario {

// Windows-1252, the single-byte text of sealed declarations and of the HTML
// copy. Every byte has a character: the five bytes the code page leaves
// unassigned stand for the control characters of the same number, so a
// conversion there and back never changes a text.

// The UTF-8 text of Windows-1252 `bytes`.
std::string Windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of UTF-8 `text`, read once; when it holds a
// character the code page cannot write or is not valid UTF-8,
// Cause::kNotWindows1252 with those characters (CharactersNotInWindows1252)
// as the detail.
CResult<std::string> Utf8ToWindows1252(std::string_view text);

// The characters of `text` that Windows-1252 cannot write, each once, in the
// order they first appear, separated by a blank; a byte that is not valid
// UTF-8 shows as U+FFFD. Empty when the whole text can be written.
std::string CharactersNotInWindows1252(std::string_view text);

}  // namespace formulario
