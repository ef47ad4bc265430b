// Reading arbitrary XML as a declaration, and both page builders on what is
// read, as a reopened file would hand it over: a declaration read has its
// rows ascending within 1 to 103, and a page called complete is a whole page.
#include "declfile/declaration.h"
#include "declfile/xml_reader.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

using namespace formulario;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    CXmlReader reader;
    if (!reader.Parse(std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    const CResult<Declaration> read = ReadDeclaration(reader.Nodes());
    if (read.status().Describe().empty())
        __builtin_trap();
    if (!read.ok())
        return 0;
    const Declaration& declaration = *read;
    for (std::size_t i = 0; i < declaration.rows.size(); ++i)
        if (declaration.rows[i].number < 1 || declaration.rows[i].number > kMaxAnnexRows
            || (i > 0 && declaration.rows[i].number <= declaration.rows[i - 1].number))
            __builtin_trap();
    for (const auto build : {BuildConsultPage, BuildModifyPage}) {
        CPageText page;
        if (build(declaration, page) && (!page.str().starts_with("<html>") || !page.str().ends_with("</html>")))
            __builtin_trap();
    }
    return 0;
}
