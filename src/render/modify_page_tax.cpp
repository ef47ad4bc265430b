#include "render/modify_page_writer.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace formulario {

namespace {

// A text counts as zero when the decimal number it begins with, read as atof
// reads it, is 0: "0", "0.00", "" and a text that does not begin with a
// number. Independent of the process locale.
bool IsZeroAmount(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size()));
    if (text.starts_with('+'))
        text.remove_prefix(1);  // from_chars reads a minus sign only
    double number = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{})
        return error == std::errc::invalid_argument;
    return number == 0.0;
}

constexpr ResultRow kRectificationRow{"lyr2",
                                      "v2",
                                      2022,
                                      2023,
                                      "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)&nbsp;",
                                      "(=) Valor a favor del contribuyente"};
constexpr ResultRow kBalanceRow{"lyr3",
                                "v3",
                                2027,
                                2028,
                                "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)&nbsp;",
                                "(=) Saldo a favor del contribuyente"};

}  // namespace

bool CModifyPageWriter::WriteTaxDetermination()
{
    Put("<!-- RECUADRO NO. 2 -->\n");
    Put("<table cellpadding='1' border='2' width='100%'>\n");
    Put("<tr>");
    Put("<td width='100%' colspan='7'>DETERMINACION DEL IMPUESTO A PAGAR</td>\n");
    Put("</tr>\n");

    Put("<tr>");
    Put("<td class='izq' width='70%' colspan='5'>&nbsp;(=) Impuesto determinado (sumatoria de "
        "cada base imponible multiplicada por los paquetes fabricados)</td>\n");
    if (!PutComputedCell(2010, "width='30%' colspan='2'", false))
        return false;
    Put("</tr>\n");

    if (!WriteDeductionRows())
        return false;

    Put("<tr>");
    Put("<td class='izq' width='70%' colspan='5'>(=) Impuesto a pagar (impuesto determinado "
        "menos suma de deducciones a considerar)&nbsp;</td>\n");
    if (!PutComputedCell(2019, "width='30%' colspan='2'"))
        return false;
    Put("</tr>\n");

    Put("<tr>");
    Put("<td class='fondo' width='100%' colspan='7'>&nbsp;</td>\n");
    Put("</tr>\n");
    Put("</table>\n");
    Put("<!-- FIN RECUADRO NO. 2 -->\n");
    return true;
}

bool CModifyPageWriter::WriteDeductionRows()
{
    Put("<tr>");
    Put("<td class='izq' width='70%' colspan='5' rowspan='2'>Deducciones calculadas (en base "
        "a fuma, obsequios y destrucción)</td>\n");
    Put("<td width='15%'>Inciso A</td>\n");
    Put("<td width='15%'>Inciso B</td>\n");
    Put("</tr>\n");
    Put("<tr>");
    if (!PutComputedPair(2011))
        return false;
    Put("</tr>\n");

    Put("<tr>");
    Put("<td class='izq' width='55%' colspan='4' rowspan='2'>Deducciones máximas (permitidas "
        "conforme el Artículo 24)</td>\n");
    Put("<td class='izq' width='15%'>Porcentaje</td>\n");
    if (!PutComputedPair(2013))
        return false;
    Put("</tr>\n");

    Put("<tr>");
    Put("<td class='izq' width='15%'>Valor</td>\n");
    if (!PutComputedPair(2015))
        return false;
    Put("</tr>\n");

    Put("<tr>");
    Put("<td class='izq' width='70%' colspan='5'>(-) Deducciones a considerar (menor valor "
        "entre deducción calculada y deducción máxima)&nbsp;</td>\n");
    if (!PutComputedPair(2017))
        return false;
    Put("</tr>\n");
    return true;
}

bool CModifyPageWriter::WriteRectification()
{
    Put("<!-- RECUADRO NO. 3 -->");
    Put("<table cellpadding='1' border='2' width='100%'>");
    Put("<tr>");
    Put("<td width='100%' colspan='2'>RECTIFICACIONES (llenar exclusivamente en caso de ser "
        "esta una rectificación)</td>");
    Put("</tr>");
    if (!PutEditableRow("No. de declaración que se rectifica", 2020, "validaciones(c2020)") ||
        !PutEditableRow("(-) Valor ingresado (con la declaración que se rectifica)", 2021,
                        "validaciones(c2021); valida_c2021();") ||
        !WriteResultRow(kRectificationRow))
        return false;
    PutFillerRow();
    Put("<tr>");
    Put("<td width='100%' colspan='2'>MULTA, INTERESES Y MORA</td>\n");
    Put("</tr>");
    if (!PutEditableRow("(+) Multa", 2024, "validaciones(c2024); valida_c2024();") ||
        !PutEditableRow("(+) Intereses", 2025, "validaciones(c2025)") ||
        !PutEditableRow("(+) Mora", 2026, "validaciones(c2026)") || !WriteResultRow(kBalanceRow))
        return false;
    PutFillerRow();
    if (!WriteTotal())
        return false;
    PutFillerRow();
    WriteOath();
    Put("</table>");
    Put("<!-- FIN RECUADRO NO. 3 -->");
    Put("<p><input type='button' style='height=40; FONT-FAMILY: verdana; FONT-SIZE: medium' "
        "value='    Generar   ' name='validar' id='validar' onclick='if ( (valida_c2021()) "
        "&& (valida_c2024())) validaarchivoanexo();'></p>");
    Put("</form>");
    Put("</body>");
    Put("</html>");
    return true;
}

void CModifyPageWriter::PutFillerRow()
{
    Put("<tr>");
    Put("<td class='fondo' width='100%' colspan='2'>&nbsp;</td>\n");
    Put("</tr>");
}

bool CModifyPageWriter::PutEditableRow(std::string_view label, int id, std::string_view handler)
{
    const std::string* box = Box(id);
    if (!box)
        return false;
    Put("<tr>");
    PutJoined("<td class='izq' width='70%'>", label, "</td>\n");
    Put("<td width='30%'>");
    std::string attributes("type='text' size='23' maxlength='13' onblur='");
    attributes.append(handler).append("'");
    PutInput(BoxName(id), attributes, ZeroSuppressed(*box));
    Put("</td>");
    Put("</tr>");
    return true;
}

bool CModifyPageWriter::WriteResultRow(const ResultRow& row)
{
    const std::string* pay = Box(row.payBox);
    const std::string* favour = Box(row.favourBox);
    if (!pay || !favour)
        return false;
    const bool favourOnly = IsZeroAmount(*pay) && !IsZeroAmount(*favour);
    const std::string& amount = favourOnly ? *favour : *pay;

    Put("<tr>\n");
    Put("<td class='izq' width='70%' >");
    PutJoined("<div id='", row.layer, "'>\n");
    Put(favourOnly ? row.favourLabel : row.payLabel);
    Put("</div>\n");
    Put("</td>\n");
    Put("<td width='30%'>\n");
    PutHidden(BoxName(row.payBox), favourOnly ? std::nullopt : std::optional<std::string_view>(amount));
    PutHidden(BoxName(row.favourBox), favourOnly ? std::optional<std::string_view>(amount) : std::nullopt);
    PutInput(row.display,
             "type='text' class='lectura' size='23' style='TEXT-ALIGN: right' "
             "readonly disabled",
             amount);
    Put("</td>");
    Put("</tr>\n");
    return true;
}

bool CModifyPageWriter::WriteTotal()
{
    const std::string* total = Box(2029);
    if (!total)
        return false;
    Put("<tr>");
    Put("<td class='izq' width='70%'><font size='2'><strong>(=) TOTAL A PAGAR</strong>"
        "</font></td>");
    Put("<td width='30%'>");
    PutInput("c2029", "type='text' class='resaltado' onblur='validaciones(c2029)'", ZeroSuppressed(*total));
    Put("</td>");
    Put("</tr>");
    return true;
}

void CModifyPageWriter::WriteOath()
{
    Put("<tr>");
    Put("<td class='izq' width='100%' colspan='2'>");
    Put("A)&nbsp;&nbsp;Los documentos de soporte han sido elaborados y certificados de acuerdo "
        "a la ley, permanecerán en mi poder por el plazo<br>");
    Put("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;legalmente establecido y los exhibiré y presentaré a "
        "requerimiento de la DRN<br>");
    Put("B)&nbsp;&nbsp;Declaro y juro que son verdaderos los datos contenidos en este "
        "formulario y que conozco la pena correspondiente al delito de<br> ");
    Put("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;perjurio.");
    Put("</td>");
    Put("</tr>");
}

}  // namespace formulario
