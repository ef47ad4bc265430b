#include "host/file_reader.h"

#include "host/safe_file_writer.h"

#include <istream>
#include <new>

FileContent ReadDeclarationFile(const std::string& path)
{
    return ReadRegularFile(Utf8Path(path), kMaxDeclarationFileBytes, LinkRule::kFollow);
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    FileContent content = ReadDeclarationFile(path);
    if (content.problem != ReadProblem::kNone)
        return std::nullopt;
    return std::move(content.bytes);
}

UnsealStatus UnreadableFileStatus(ReadProblem problem)
{
    using Cause = UnsealStatus::Cause;
    switch (problem) {
    case ReadProblem::kNone: return Cause::kNone;
    case ReadProblem::kNotRegular: return Cause::kNotRegularFile;
    case ReadProblem::kTooLarge: return Cause::kFileTooLarge;
    case ReadProblem::kNoMemory: return Cause::kNoMemory;
    case ReadProblem::kNotOpened:
    case ReadProblem::kFailed: break;
    }
    return Cause::kUnreadable;
}

FileContent ReadWholeStream(std::istream& stream)
{
    FileContent content;
    char chunk[64 * 1024];
    try {
        while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
            content.bytes.append(chunk, static_cast<std::size_t>(stream.gcount()));
            if (content.bytes.size() > kMaxDeclarationFileBytes)
                return {ReadProblem::kTooLarge, {}};
        }
    } catch (const std::bad_alloc&) {
        return {ReadProblem::kNoMemory, {}};
    }
    if (stream.bad())
        return {ReadProblem::kFailed, {}};
    return content;
}
