#include "commands.h"
#include "host/file_reader.h"

#include "declfile/seal_codec.h"

#include <iostream>

namespace {

UnsealStatus VerifyOne(const std::string& path)
{
    const FileContent sealed = ReadDeclarationFile(path);
    if (sealed.problem != ReadProblem::kNone)
        return UnreadableFileStatus(sealed.problem);
    std::string xml;
    return CSealCodec().Unseal(sealed.bytes, xml);
}

} // namespace

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
        const UnsealStatus status = VerifyOne(path);
        allOk = allOk && status.ok();
        streams.out << path << ": " << status.Describe() << '\n';
    }
    return allOk ? 0 : 1;
}
