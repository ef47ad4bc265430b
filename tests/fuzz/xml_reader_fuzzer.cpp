// Reading arbitrary text as a declaration XML.
#include "declfile/xml_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CXmlReader reader;
    reader.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
