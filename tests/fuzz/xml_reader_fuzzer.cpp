// Reading arbitrary text as a declaration XML, and checking it as the host
// does before sealing a text the form hands over.
#include "declfile/declaration_check.h"
#include "declfile/xml_reader.h"

using namespace formulario;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static_cast<void>(CXmlReader().Parse(text));  // only whether it stands
    static_cast<void>(IsSealableDeclaration(text));
    return 0;
}
