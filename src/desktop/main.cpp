#include "command_line.h"
#include "formulario7316_app.h"
#include "pdf_export.h"
#include "res_scheme_handler.h"

#include <cstdio>

using namespace formulario;

int main(int argc, char** argv)
{
    // Help, version and usage errors need no display, so they come first.
    const CommandLine commandLine = ParseCommandLine(argc, argv, FORMULARIO_VERSION);
    if (commandLine.exit) {
        std::fputs(commandLine.exit->output.c_str(), stdout);
        std::fputs(commandLine.exit->error.c_str(), stderr);
        return commandLine.exit->exitCode;
    }
    if (commandLine.WantsPdf() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no window, so no display either

    // The engine's switches on the command line reach it with its flags.
    const std::string engineFlags =
        EngineFlags(qEnvironmentVariable(kEngineFlagsVariable).toStdString(), commandLine.engineSwitches);
    if (!engineFlags.empty())
        qputenv(kEngineFlagsVariable, engineFlags.c_str());

    CResSchemeHandler::RegisterScheme();
    CFormulario7316App app(argc, argv);
    if (commandLine.WantsPdf())
        return ExportDeclarationPdf(commandLine.pdfDeclaration, commandLine.pdfOutput);
    app.InitInstance(commandLine.file, commandLine.nextPeriodFrom);
    return app.exec();
}
