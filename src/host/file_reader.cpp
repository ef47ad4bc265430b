#include "host/file_reader.h"

#include "host/safe_file_writer.h"

#include <fstream>
#include <new>
#include <sstream>

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const std::filesystem::path filePath = Utf8Path(path);
    std::error_code error;
    if (std::filesystem::is_directory(filePath, error))
        return std::nullopt;
    std::ifstream file(filePath, std::ios::binary);
    if (!file)
        return std::nullopt;
    try {
        std::string content = ReadWholeStream(file);
        if (file.bad())
            return std::nullopt;
        return content;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::string ReadWholeStream(std::istream& stream)
{
    std::ostringstream content;
    content << stream.rdbuf();
    return std::move(content).str();
}
