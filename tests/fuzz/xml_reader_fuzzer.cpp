// Reading arbitrary text as a declaration XML.
#include "declfile/xml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    CXmlReader().Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
