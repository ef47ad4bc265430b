// Both page builders on arbitrary XML, as a reopened file would hand it over:
// a page they call complete is a whole page.
#include "declfile/xml_reader.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    CXmlReader reader;
    reader.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto build : {BuildConsultPage, BuildModifyPage}) {
        CPageText page;
        if (build(reader.Nodes(), page) && (!page.str().starts_with("<html>") || !page.str().ends_with("</html>")))
            __builtin_trap();
    }
    return 0;
}
