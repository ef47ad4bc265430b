#include "command_line.h"

#include <array>
#include <string_view>

namespace formulario {

namespace {

constexpr std::string_view kProgram = "formulario7316";

constexpr std::string_view kUsage = "Uso: formulario7316 [ARCHIVO]\n"
                                    "     formulario7316 --pdf DECLARACION SALIDA.pdf\n"
                                    "     formulario7316 --next-period DECLARACION\n"
                                    "\n"
                                    "Declaración jurada DRN-7316 del impuesto a los cigarrillos hechos a máquina.\n"
                                    "Sin argumentos abre el formulario en blanco; con ARCHIVO muestra esa\n"
                                    "declaración para consultarla, sin modificarla.\n"
                                    "\n"
                                    "  --pdf DECLARACION SALIDA.pdf  escribe la declaración en PDF, sin ventana\n"
                                    "  --next-period DECLARACION     abre una declaración nueva del mes siguiente,\n"
                                    "                                con los datos y las marcas de esa\n"
                                    "  -h, --help                    muestra esta ayuda\n"
                                    "  --version                     muestra la versión\n"
                                    "\n"
                                    "Las opciones del motor del navegador y de Qt (--disable-gpu,\n"
                                    "--remote-debugging-port=N, -platform offscreen...) se respetan.\n";

// Qt's own switches that take the next argument as their value; Qt removes
// both once the application starts, but they are seen here before that.
constexpr std::array<std::string_view, 12> kQtSwitchesWithValue = {"-platform",        "-platformpluginpath",
                                                                   "-platformtheme",   "-plugin",
                                                                   "-qwindowgeometry", "-qwindowicon",
                                                                   "-qwindowtitle",    "-display",
                                                                   "-geometry",        "-style",
                                                                   "-stylesheet",      "-session"};

bool TakesValue(std::string_view argument)
{
    for (std::string_view qtSwitch : kQtSwitchesWithValue) {
        if (argument == qtSwitch || (argument.size() > 1 && argument.substr(1) == qtSwitch))
            return true;  // "-style" and "--style" alike
    }
    return false;
}

CommandLine::Exit Refusal(const std::string& reason)
{
    return {2, "", std::string(kProgram) + ": " + reason + "\n" + std::string(kUsage)};
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, const std::string& version)
{
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            result.exit = CommandLine::Exit{0, std::string(kUsage), ""};
            return result;
        }
        if (argument == "--version") {
            result.exit = CommandLine::Exit{0, std::string(kProgram) + " " + version + "\n", ""};
            return result;
        }
        if (argument == "--pdf") {
            if (i + 2 >= argc) {
                result.exit = Refusal("--pdf necesita la declaración y el archivo PDF");
                return result;
            }
            result.pdfDeclaration = argv[++i];
            result.pdfOutput = argv[++i];
        } else if (argument == "--next-period") {
            if (i + 1 >= argc) {
                result.exit = Refusal("--next-period necesita la declaración anterior");
                return result;
            }
            result.nextPeriodFrom = argv[++i];
        } else if (TakesValue(argument)) {
            ++i;
        } else if (argument.starts_with("--")) {
            result.engineSwitches.emplace_back(argument);
        } else if (!argument.empty() && argument.front() != '-') {
            if (!result.file.empty()) {
                result.exit = Refusal("un solo archivo, por favor");
                return result;
            }
            result.file = argument;
        }
    }
    if (result.WantsPdf() && !result.file.empty())
        result.exit = Refusal("--pdf no se combina con otro archivo");
    else if (!result.nextPeriodFrom.empty() && (result.WantsPdf() || !result.file.empty()))
        result.exit = Refusal("--next-period no se combina con otro archivo");
    return result;
}

std::string EngineFlags(const std::string& given, const std::vector<std::string>& switches)
{
    std::string flags = given;
    for (const std::string& engineSwitch : switches) {
        if (!flags.empty())
            flags += ' ';
        const bool quoted = engineSwitch.find(' ') != std::string::npos;
        flags += quoted ? '"' + engineSwitch + '"' : engineSwitch;
    }
    return flags;
}

}  // namespace formulario
