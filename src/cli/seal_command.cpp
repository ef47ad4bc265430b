#include "commands.h"
#include "host/file_reader.h"

#include "declfile/seal.h"
#include "declfile/windows1252.h"

#include <iostream>

// formulario7316-cli seal [XMLFILE]: the sealed text of a UTF-8 declaration XML.
int RunSealCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.size() > 1) {
        streams.err << "usage: formulario7316-cli seal [XMLFILE]\n";
        return kExitUsage;
    }
    const bool fromFile = !arguments.empty() && arguments[0] != "-";
    const FileContent xml = fromFile ? ReadDeclarationFile(arguments[0]) : ReadWholeStream(streams.in);
    if (xml.problem != ReadProblem::kNone) {
        streams.err << (fromFile ? arguments[0] : std::string("standard input")) << ": "
                    << UnreadableFileStatus(xml.problem).Describe() << '\n';
        return 1;
    }
    if (const std::string unwritable = CharactersNotInWindows1252(xml.bytes); !unwritable.empty()) {
        streams.err << "cannot seal: characters Windows-1252 cannot write: " << unwritable << '\n';
        return 1;
    }
    const auto sealed = SealDeclaration(xml.bytes);
    if (!sealed) {
        streams.err << "cannot seal: the declaration is empty\n";
        return 1;
    }
    streams.out << *sealed;
    return 0;
}
