#include "commands.h"
#include "host/file_reader.h"

#include "declfile/seal.h"

#include <iostream>

namespace formulario {

// formulario7316-cli seal [XMLFILE]: the sealed text of a UTF-8 declaration XML.
int RunSealCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.size() > 1) {
        streams.err << "usage: formulario7316-cli seal [XMLFILE]\n";
        return kExitUsage;
    }
    const bool fromFile = !arguments.empty() && arguments[0] != "-";
    const CResult<std::string> xml = fromFile ? ReadDeclarationFile(arguments[0]) : ReadWholeStream(streams.in);
    if (!xml.ok()) {
        streams.err << (fromFile ? arguments[0] : std::string("standard input")) << ": " << xml.status().Describe()
                    << '\n';
        return 1;
    }
    const CResult<std::string> sealed = SealDeclaration(*xml);
    if (!sealed.ok()) {
        streams.err << "cannot seal: " << sealed.status().Describe() << '\n';
        return 1;
    }
    streams.out << *sealed;
    return 0;
}

}  // namespace formulario
