#include "commands.h"
#include "host/file_reader.h"

#include "declfile/seal_codec.h"

#include <iostream>

namespace formulario {

namespace {

CStatus VerifyOne(const std::string& path)
{
    const CResult<std::string> sealed = ReadDeclarationFile(path);
    if (!sealed.ok())
        return sealed.status();
    return CSealCodec().Unseal(*sealed).status();
}

}  // namespace

// formulario7316-cli verify FILE...: one line per file, "FILE: ok" or the
// reason; succeeds only when every file is ok.
int RunVerifyCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.empty()) {
        streams.err << "usage: formulario7316-cli verify FILE...\n";
        return kExitUsage;
    }
    bool allOk = true;
    for (const std::string& path : arguments) {
        const CStatus status = VerifyOne(path);
        allOk = allOk && status.ok();
        streams.out << path << ": " << status.Describe() << '\n';
    }
    return allOk ? 0 : 1;
}

}  // namespace formulario
