#include "file_input.h"

#include "host/safe_file_writer.h"

#include <fstream>
#include <iterator>
#include <sstream>

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::error_code error;
    const auto filePath = Utf8Path(path);
    if (std::filesystem::is_directory(filePath, error))
        return std::nullopt;
    std::ifstream file(filePath, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string content = ReadWholeStream(file);
    if (file.bad())
        return std::nullopt;
    return content;
}

std::string ReadWholeStream(std::istream& stream)
{
    std::ostringstream content;
    content << stream.rdbuf();
    return std::move(content).str();
}
