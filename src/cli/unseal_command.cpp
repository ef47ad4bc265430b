#include "commands.h"
#include "host/file_reader.h"

#include "declfile/seal_codec.h"

#include <iostream>

namespace formulario {

// formulario7316-cli unseal FILE: the declaration XML of a sealed file, in
// UTF-8; the exit status is the unsealing code, or 5 when the file cannot be
// read.
int RunUnsealCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.size() != 1) {
        streams.err << "usage: formulario7316-cli unseal FILE\n";
        return kExitUsage;
    }
    const CResult<std::string> sealed = ReadDeclarationFile(arguments[0]);
    const CResult<std::string> xml = sealed.ok() ? CSealCodec().Unseal(*sealed) : sealed.status();
    if (!xml.ok()) {
        streams.err << arguments[0] << ": " << xml.status().Describe() << '\n';
        return xml.status().Code();
    }
    streams.out << *xml;
    return 0;
}

}  // namespace formulario
