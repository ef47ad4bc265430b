#include "windows_command_line.h"

#include "command_table.h"
#include "host/file_reader.h"

#include <optional>
#include <ostream>
#include <string_view>

#include <windows.h>

namespace formulario {

namespace {

// The UTF-8 text of `wide`; when `strict`, nothing for a text that is not
// valid UTF-16, otherwise such a unit becomes U+FFFD.
std::optional<std::string> Utf8Of(std::wstring_view wide, bool strict)
{
    if (wide.empty())
        return std::string();
    const DWORD flags = strict ? WC_ERR_INVALID_CHARS : 0;
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

}  // namespace

int RunWideCommandLine(int argc, const wchar_t* const* argv, CommandStreams& streams)
{
    CommandArguments commandLine;
    for (int i = 1; i < argc; ++i) {
        std::optional<std::string> word = Utf8Of(argv[i], true);
        if (!word) {
            const CStatus unreadable = UnreadableFileStatus(ReadProblem::kNotOpened);
            streams.err << Utf8Of(argv[i], false).value_or("?") << ": " << unreadable.Describe() << '\n';
            return unreadable.Code();
        }
        commandLine.push_back(std::move(*word));
    }
    return RunCommandLine(commandLine, streams);
}

}  // namespace formulario
