#include "host/file_reader.h"

#include "host/safe_file_writer.h"

#include <istream>

namespace formulario {

CResult<std::string> ReadDeclarationFile(const std::string& path)
{
    FileContent content = ReadRegularFile(Utf8Path(path), kMaxDeclarationFileBytes, LinkRule::kFollow);
    if (content.problem != ReadProblem::kNone)
        return UnreadableFileStatus(content.problem);
    return std::move(content.bytes);
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    CResult<std::string> content = ReadDeclarationFile(path);
    if (!content.ok())
        return std::nullopt;
    return std::move(content).value();
}

CStatus UnreadableFileStatus(ReadProblem problem)
{
    switch (problem) {
    case ReadProblem::kNone:
        return Cause::kNone;
    case ReadProblem::kNotRegular:
        return Cause::kNotRegularFile;
    case ReadProblem::kTooLarge:
        return Cause::kFileTooLarge;
    case ReadProblem::kNoMemory:
        return Cause::kNoMemory;
    case ReadProblem::kNotOpened:
    case ReadProblem::kFailed:
        break;
    }
    return Cause::kUnreadable;
}

CResult<std::string> ReadWholeStream(std::istream& stream)
{
    return WithinMemory(Cause::kNoMemory, [&stream]() -> CResult<std::string> {
        std::string bytes;
        std::string chunk(std::size_t{64} * 1024, '\0');
        while (stream.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || stream.gcount() > 0) {
            bytes.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
            if (bytes.size() > kMaxDeclarationFileBytes)
                return Cause::kFileTooLarge;
        }
        if (stream.bad())
            return Cause::kUnreadable;
        return bytes;
    });
}

}  // namespace formulario
