#pragma once

#include <optional>
#include <string>
#include <vector>

namespace formulario {

// What the program's command line asks for. Switches it does not know (the
// browser engine's "--disable-gpu", "--remote-debugging-port=N", Qt's
// "-platform offscreen" ...) are left to the engine and to Qt.
struct CommandLine {
    // Print `output` to standard output (or `error` to standard error) and
    // end with `exitCode`, without starting anything that needs a display.
    struct Exit {
        int exitCode = 0;
        std::string output;
        std::string error;
    };

    std::optional<Exit> exit;
    std::string file;            // a declaration to show read-only at start
    std::string pdfDeclaration;  // with pdfOutput: write its PDF and end
    std::string pdfOutput;
    std::vector<std::string> engineSwitches;  // "--..." switches not the program's own, as given
    std::string nextPeriodFrom;               // a declaration to start the next month's from

    bool WantsPdf() const { return !pdfOutput.empty(); }
};

// Reads argv as given to main, before Qt removes its own switches.
CommandLine ParseCommandLine(int argc, const char* const* argv, const std::string& version);

// The environment variable the browser engine reads its switches from.
inline constexpr char kEngineFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";

// What QTWEBENGINE_CHROMIUM_FLAGS must hold for the engine to see both the
// `given` flags and the command line's engine switches: the engine reads its
// switches from there alone when it is set, and ignores the program's
// arguments otherwise. A switch holding a space is quoted.
std::string EngineFlags(const std::string& given, const std::vector<std::string>& switches);

}  // namespace formulario
