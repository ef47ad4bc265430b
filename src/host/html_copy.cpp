#include "host/html_copy.h"

namespace formulario {

namespace {

constexpr std::string_view kHead =
    "<html>\n"
    "<STYLE> TD.fondo{BACKGROUND-COLOR: #a3c9ff} P{FONT-FAMILY: Verdana;FONT-SIZE: 10px;TEXT-ALIGN: center}"
    " TD.izq{ TEXT-ALIGN: left} TD.der{ TEXT-ALIGN: right} TD.fondoder{ BACKGROUND-COLOR: #a3c9ff;TEXT-ALIGN: right} "
    " P.izq{ FONT-FAMILY: Verdana; FONT-SIZE: 10px; TEXT-ALIGN: left } TD.particular{ FONT-FAMILY: Verdana } "
    " TD{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 8pt; TEXT-ALIGN: center }"
    " TABLE{ FONT-FAMILY: Verdana; WIDTH: 100% } INPUT.lectura{ BACKGROUND-COLOR: #ffffdc; TEXT-ALIGN: right}"
    " INPUT.resaltado{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 13pt; TEXT-ALIGN: right} INPUT.der{ "
    "TEXT-ALIGN: right} "
    " BODY { FONT-FAMILY: Verdana} TD.fondoizq{ BACKGROUND-COLOR: #a3c9ff; TEXT-ALIGN: left }"
    " DIV { FONT-FAMILY: Verdana; FONT-SIZE: 8pt} </STYLE>"
    "<head>\n"
    "<title>Zorovirira DRN-No. 7316</title>\n"
    "</head>\n"
    "<body>\n";

constexpr std::string_view kTail = "</body>\n</html>\n";

}  // namespace

std::string BuildHtmlCopy(std::string_view markup)
{
    std::string copy;
    copy.reserve(kHead.size() + markup.size() + kTail.size());
    copy.append(kHead).append(markup).append(kTail);
    return copy;
}

std::string HtmlCopyPath(const std::string& dataFilePath)
{
    return dataFilePath + ".htm";
}

}  // namespace formulario
