// formulario7316-cli: the command-line companion of Formulario7316.
#include "command_table.h"

#include <iostream>

using namespace formulario;

#ifdef _WIN32

#include "windows_command_line.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

// The standard streams carry bytes as they are: in text mode Windows would
// add a CR before each LF written and stop reading at a Ctrl-Z.
int wmain(int argc, wchar_t** argv)
{
    for (FILE* stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
    CommandStreams streams{std::cin, std::cout, std::cerr};
    return RunWideCommandLine(argc, argv, streams);
}

#else

int main(int argc, char** argv)
{
    CommandStreams streams{std::cin, std::cout, std::cerr};
    return RunCommandLine(CommandArguments(argv + 1, argv + argc), streams);
}

#endif
