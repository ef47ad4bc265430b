#include "render/modify_page.h"

#include "declfile/form_facts.h"
#include "render/html_escape.h"
#include "render/modify_page_writer.h"

#include <string>

namespace formulario {

namespace {

constexpr std::string_view kDateInputStyle = "style='FONT-SIZE: xx-small;'";

// A period date as the hidden boxes c4 and c5 hold it: day/month/year.
std::string Slashed(const PeriodDate& date)
{
    return std::string(date.Day()) + "/" + std::string(date.Month()) + "/" + std::string(date.Year());
}

}  // namespace

bool CModifyPageWriter::Write()
{
    WriteHead();
    return WriteHeader() && WriteTaxpayer() && WriteAnnex() && WriteTaxDetermination() && WriteRectification();
}

void CModifyPageWriter::WriteHead()
{
    Put("<html>\n");
    PutJoined("<link rel='stylesheet' href='", kFormResourceBase, std::to_string(kStylesheetResource.id),
              "' type='text/css'>\n");
    for (const FormResource& script : kScriptResources)
        PutJoined("<script TYPE='text/javascript' src='", kFormResourceBase, std::to_string(script.id),
                  "'></script>\n");
    Put("<head>\n");
    Put("<title>Zorovirira DRN-No. 7316</title>\n");
    Put("</head>\n");
    Put("<body onload='inicial(); numera_formulario();'>\n");
    Put("<form name='C' METHOD='post'>\n");
}

bool CModifyPageWriter::WriteHeader()
{
    Put("<!-- ENCABEZADO -->\n");
    Put("<table cellpadding='1' border='2' width='100%'>\n");
    Put("<tr>\n");
    Put("<td class='particular' width='23%' rowspan='2'><font size='8' color='DarkBlue'>"
        "<strong>DRN</strong></font><br><font size='1' color='Darkblue'>"
        "Dirección de Rentas Nacionales</font></td>\n");
    Put("<td class='particular' width='53%' rowspan='2' valign='middle'>"
        "Declaración jurada del impuesto sobre<br>\n");
    Put("<font size='5'><strong>CIGARRILLOS</strong><br></font>fabricados a máquina</td>\n");
    Put("<td width='24%' valign='middle' colspan='2'>\n");
    Put("<font size='5'><strong>DRN-7316</strong></font><br><font size='1'>Release 1.6</font>\n");
    Put("</td>\n");
    Put("</tr>\n");

    const std::string_view number = m_declaration.formNumber;
    Put("<tr>\n");
    Put("<td class='particular' width='20%' valign='middle' colspan='2'>\n");
    Put("&nbsp;");
    PutHidden("c1", number);
    Put("<font size='3'><strong>");
    Put(EscapeHtml(number));
    Put("</strong> </font>");
    Put("</td>\n");
    Put("</tr>\n");

    Put("<tr>\n");
    Put("<td width='100%' height='25%' colspan=4>Autorizado por la Contralor&iacute;a General "
        "de Cuentas, seg&uacute;n resoluci&oacute;n No. Rc./0001153 "
        "Clas.:107392-20000-A-17-2012; 2136-12-8-A-17-2001 de fecha 03/02/2012");
    Put("</td>");
    Put("</tr>");
    Put("<tr>\n");
    Put("<td class='fondo' width='100%' height='25%' colspan='4'>&nbsp;</td>\n");
    Put("</tr>\n");
    Put("</table>\n");
    Put("<!-- FINAL ENCABEZADO -->\n");
    return true;
}

bool CModifyPageWriter::WriteTaxpayer()
{
    Put("<!-- RECUADRO NO. 0 -->\n");
    Put("<table cellpadding='1' border='2' width='100%'>\n");
    Put("<tr>\n");
    Put("<td class='particular' width='30%'>NIT del contribuyente<br>\n");
    PutInput("c2",
             "type='text' size='22' maxlength='13' style='TEXT-ALIGN: center' "
             "onblur='validaciones(c2);nitsinguion()'",
             m_declaration.nit);
    Put("</td>\n");

    Put("<td class='particular' width='70%'>Nombre o razón social del contribuyente<br>\n");
    Put("<font size='3'><strong>\n");
    PutInput("c3", "type='text' size='70' maxlength='80' style='TEXT-ALIGN: center'", m_declaration.name);
    Put("</strong></font>");
    Put("</td>\n");
    Put("</tr>\n");
    Put("</table>\n");
    return WritePeriod();
}

bool CModifyPageWriter::WritePeriod()
{
    const PeriodDate& start = m_declaration.from;
    const PeriodDate& end = m_declaration.to;

    Put("<table cellpadding='1' border='2' width='100%'>\n");
    Put("<tr>\n");
    Put("<td class='fondo' width='100%' colspan='7'>&nbsp;</td>\n");
    Put("</tr>\n");
    Put("<tr>\n");
    Put("<td class='fondo' width='30%' rowspan='3'>&nbsp;</td>\n");
    Put("<td width='13%' rowspan='3'>PERIODO<br>DE<br>IMPOSICION</td>\n");
    Put("<td width='5%'>&nbsp;</td>\n");
    Put("<td width='6%'>Día</td>\n");
    Put("<td width='6%'>Mes</td>\n");
    Put("<td width='10%'>Año</td>\n");
    Put("<td class='fondo' width='30%' rowspan='3'>&nbsp;</td>\n");
    Put("</tr>\n");

    Put("<tr>\n");
    Put("<td width='5%'>Del</td>\n");
    PutDateCell("6%", "dia_ini", "class='lectura' disabled size='2' maxlength='2'", start.Day());
    PutDateCell("6%", "mes_ini", "size='2' maxlength='2'", start.Month());
    PutDateCell("10%", "anio_ini", "size='8' maxlength='4'", start.Year());
    Put("</tr>\n");

    Put("<tr>\n");
    Put("<td width='5%'>Al</td>\n");
    PutDateCell("6%", "dia_fin", "class='lectura' disabled size='2' maxlength='2'", end.Day());
    PutDateCell("6%", "mes_fin", "class='lectura' disabled size='2' maxlength='2'", end.Month());
    PutDateCell("10%", "anio_fin", "class='lectura' disabled size='8' maxlength='4'", end.Year());
    Put("</tr>\n");

    PutHidden("c4", Slashed(start));
    PutHidden("c5", Slashed(end));
    Put("<tr>\n");
    Put("<td class='fondo' width='100%' colspan='7'>&nbsp;</td>\n");
    Put("</tr>\n");
    Put("</table>\n");
    Put("<!-- FINAL RECUADRO NO. 0 -->\n");
    return true;
}

void CModifyPageWriter::PutDateCell(std::string_view width, std::string_view name, std::string_view attributes,
                                    std::string_view value)
{
    PutJoined("<td width='", width, "'>");
    std::string all("type='text' ");
    all.append(attributes).append(" ").append(kDateInputStyle);
    all.append(" onblur='validacionesfecha()'");
    PutInput(name, all, value);
    Put("</td>\n");
}

bool WriteModifyPage(const Declaration& declaration, const PageSink& sink)
{
    return CModifyPageWriter(declaration, sink).Write();
}

bool BuildModifyPage(const Declaration& declaration, CPageText& page)
{
    page.Clear();
    return WriteModifyPage(declaration, [&page](std::string_view text) { page.Append(text); });
}

}  // namespace formulario
