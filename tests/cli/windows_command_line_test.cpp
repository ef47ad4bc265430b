// The command line as Windows gives it, in UTF-16.
#include "windows_command_line.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace formulario;

TEST(WindowsCommandLine, TakesNamesAsUtf8AndRefusesWhatIsNotUtf16)
{
    TemporaryDirectory files;
    const std::string xml = SampleDeclarationXml(1);
    files.Write("Peña €.sealed", SealDeclaration(xml).value());
    const std::wstring folder = files.path().wstring() + L"\\";
    const struct {
        const char* what;
        std::vector<std::wstring> commandLine;  // after the program's name
        int status;
        std::string out, err;
    } cases[] = {
        {"non-ASCII name", {L"unseal", folder + L"Pe\u00F1a \u20AC.sealed"}, 0, xml, ""},
        {"lone surrogate", {L"unseal", L"Pe\xD800" L"a"}, 5, "", "Pe\uFFFDa: cannot be read\n"},
        {"lone surrogate anywhere", {L"verify", L"x", L"\xDC00"}, 5, "", "\uFFFD: cannot be read\n"},
    };
    for (const auto& test : cases) {
        std::vector<const wchar_t*> argv = {L"formulario7316-cli.exe"};
        for (const std::wstring& word : test.commandLine)
            argv.push_back(word.c_str());
        std::istringstream in;
        std::ostringstream out, err;
        CommandStreams streams{in, out, err};
        EXPECT_EQ(RunWideCommandLine(static_cast<int>(argv.size()), argv.data(), streams), test.status) << test.what;
        EXPECT_EQ(out.str(), test.out) << test.what;
        EXPECT_EQ(err.str(), test.err) << test.what;
    }
}
