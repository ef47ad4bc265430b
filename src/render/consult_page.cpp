#include "render/consult_page.h"

#include "declfile/form_facts.h"
#include "render/html_escape.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace formulario {

namespace {

constexpr std::string_view kAmountCell = "<td class='der' width='15%'><font size='2'>&nbsp;";
constexpr std::string_view kAmountCellEnd = "</font></td>";
constexpr std::string_view kBoldAmountCell = "<td class='der' width='30%'><font size='2'><strong>&nbsp;";
constexpr std::string_view kBoldAmountCellEnd = "</strong></font></td>";
constexpr std::string_view kPeriodCell = "<td width='22%' colspan='3'><font size='2'><strong>";
constexpr std::string_view kFullWidthTable = "<table border='2' width='100%'>";
constexpr std::string_view kFavourLabel = "(=) Saldo favor del contribuyente";

// Appends the page fragment by fragment. The first box the page needs and
// the declaration lacks makes the page incomplete; nothing is written after it.
class CConsultPageWriter {
public:
    CConsultPageWriter(const Declaration& declaration, CPageText& page) : m_declaration(declaration), m_page(page) {}

    bool Write()
    {
        m_page.Clear();
        Head();
        Header();
        Taxpayer();
        Annex();
        TaxDetermination();
        Rectification();
        return m_complete;
    }

private:
    CConsultPageWriter& Put(std::string_view text)
    {
        if (m_complete)
            m_page.Append(text);
        return *this;
    }

    CConsultPageWriter& Row(std::initializer_list<std::string_view> cells)
    {
        Put("<tr>");
        for (std::string_view cell : cells)
            Put(cell);
        return Put("</tr>");
    }

    // A saved text, written as saved.
    CConsultPageWriter& Text(std::string_view text) { return Put(EscapeHtml(text)); }

    // The saved text of a box, or nothing when the page is already
    // incomplete or the box is missing (which makes it incomplete).
    std::optional<std::string_view> BoxText(int id)
    {
        const std::string* box = m_complete ? m_declaration.Box(id) : nullptr;
        m_complete = m_complete && box;
        return box ? std::optional<std::string_view>(*box) : std::nullopt;
    }

    // A box of the form, with a saved text of "0" written as nothing.
    CConsultPageWriter& Amount(int id)
    {
        if (const auto text = BoxText(id); text && *text != "0")
            Put(EscapeHtml(*text));
        return *this;
    }

    void Head()
    {
        Put("<html>");
        Put("<link rel='stylesheet' href='").Put(kFormResourceBase).Put(std::to_string(kStylesheetResource.id));
        Put("' type='text/css'>");
        Put("<head>").Put("<title>Zorovirira DRN-No. 7316</title>").Put("</head>");
        Put("<body>").Put("<form name='C'>");
    }

    void Header()
    {
        Put("<!-- ENCABEZADO MODIFICAR -->").Put(kFullWidthTable);
        Row({"<td class='particular' width='23%' rowspan='2'><font size='8' color='DarkBlue'>"
             "<strong>DRN</strong></font><br><font size='1' color='Darkblue'>"
             "Dirección de Rentas Nacionales</font></td>\n",
             "<td class='particular' width='53%' rowspan='2' valign='middle'>"
             " Declaración jurada del impuesto sobre<br>",
             "<font size=\"5\"><strong>CIGARRILLOS</strong><br></font>", "fabricados a máquina", "</td>",
             "<td width='24%' valign='middle' colspan='2'>",
             "<font size='5'><strong>DRN-7316</strong></font><br><font size='1'>Release 1.6</font>", "</td>"});
        Put("<tr>");
        Put("<td class='particular' width='24%' valign='middle' colspan='2'>");
        Put("<font size='3'>No. &nbsp;</font>").Put("<font size='3'><strong>");
        Text(m_declaration.formNumber);
        Put("</strong></font>").Put("</td>").Put("</tr>");
        Row({"<td width='100%' height='25%' colspan=4>Autorizado por la Contralor&iacute;a General "
             "de Cuentas, seg&uacute;n resoluci&oacute;n No. Rc./0001153 "
             "Clas.:107392-20000-A-17-2012; 2136-12-8-A-17-2001 de fecha 03/02/2012",
             "</td>"});
        Row({"<td class='fondo' width='100%' height='25%' colspan='4'>&nbsp;</td>"});
        Put("</table>").Put("<!-- FINAL ENCABEZADO final -->");
    }

    void Taxpayer()
    {
        Put("<!-- RECUADRO NO. 0 -->").Put(kFullWidthTable).Put("<tr>");
        Put("<td class='particular' width='30%'>NIT del contribuyente<br>");
        Put("<font size='4'><strong>&nbsp;").Text(m_declaration.nit).Put("</strong></font>").Put("</td>");
        Put("<td class='particular' width='70%'>Nombre o razón social del contribuyente<br>");
        Put("<font size='3'><strong>&nbsp;").Text(m_declaration.name).Put("</strong></font>").Put("</td>");
        Put("</tr>").Put("</table>");

        Put(kFullWidthTable);
        Row({"<td class='fondo' width='100%' colspan='7'>&nbsp;</td>"});
        Row({"<td class='fondo' width='30%' rowspan='3'>&nbsp;</td>",
             "<td width='13%' rowspan='3'>PERIODO<br>DE<br>IMPOSICION</td>", "<td width='5%'>&nbsp;</td>",
             "<td width='6%'>Día</td>", "<td width='6%'>Mes</td>", "<td width='10%'>Año</td>",
             "<td class='fondo' width='30%' rowspan='3'>&nbsp;</td>"});
        Put("<tr>").Put("<td width='5%'>Del</td>").Put(kPeriodCell).Text(m_declaration.from.text);
        Put("</strong></font></td>").Put("</tr>");
        Put("<tr>").Put("<td width='5%'>Al</td>").Put(kPeriodCell).Text(m_declaration.to.text);
        Put("</strong></font></td>").Put("</tr>");
        Row({"<td class='fondo' width='100%' colspan='7'>&nbsp;</td>"});
        Put("</table>").Put("<!-- FINAL RECUADRO NO. 0 -->");
    }

    void Annex()
    {
        Put("<!-- RECUADRO NO. 1 -->").Put("<table id=\"tabla1\" border='2' width='100%'>");
        Row({"<td width='100%' colspan='7'>MARCAS</td>"});
        Row({"<td width='5%' rowspan='3' >&nbsp;</td>", "<td width='25%' rowspan='3' >Marcas y presentación</td>",
             "<td width='15%' rowspan='3'>Precio sugerido<br>al consumidor<br>sin IVA y sin<br>"
             "impuesto<br>específico (Dto<br>61-77)<br></td>",
             "<td width='15%' rowspan='3'>Base Imponible</td>",
             "<td width='45%' colspan='3'>Cantidad de paquetes 10 x 20</td>"});
        Row({"<td width='15%' rowspan='2'>Fabricados</td>", "<td width='30%' colspan='2'>Deducciones Art. 24</td>"});
        Row({"<td width='15%'>Inciso A</td>", "<td width='15%'>Inciso B</td>"});
        Put("<!-- RECUADRO DINAMICO -->").Put("<tbody id=\"cuerpo1\">\n").Put("\n");
        // The rows are numbered one after another, whatever their numbers in the file.
        int shown = 0;
        for (const AnnexRow& row : m_declaration.rows)
            WriteAnnexRow(++shown, row);
        Put("  </tbody>\n").Put("  <!-- FIN RECUADRO DINAMICO -->\n");

        Put("<tr>").Put("<td align='right' colspan='3'>&nbsp;</td>").Put("<td width='15%'>Totales</td>");
        for (int box = 2007; box <= 2009; ++box)
            Put(kAmountCell).Amount(box).Put(kAmountCellEnd);
        Put("</tr>  ");
        Row({"<td class='fondo' width='100%' height='25%' colspan='7'>&nbsp;</td>"});
        Put("</table>");
    }

    void WriteAnnexRow(int shown, const AnnexRow& row)
    {
        Put("<tr>").Put("<td class=izq><strong>").Put(std::to_string(shown)).Put("</strong></td>\n");
        Put("<td class=der><strong>").Put(" ").Text(row.cells[0]).Put("</strong>").Put("</td>\n");
        Put("<td class=der><strong> ").Text(row.cells[1]).Put("</strong>").Put("</td>\n");
        for (std::size_t column = 2; column < row.cells.size(); ++column)
            Put("<td class=izq><strong>").Text(row.cells[column]).Put("</strong></td>\n");
        Put("</tr>\n");
    }

    void TaxDetermination()
    {
        Put(kFullWidthTable);
        Row({"<td width='100%' colspan='7'>DETERMINACION DEL IMPUESTO A PAGAR</td>"});
        Put("<tr>");
        Put("<td class='izq' width='70%' colspan='5'>(=) Impuesto determinado (sumatoria de cada base "
            "imponible multiplicada por los paquetes fabricados)</td>      ");
        Put("<td class='der' width='30%' colspan='2'><font size='2'>&nbsp;").Amount(2010).Put(kAmountCellEnd);
        Put("</tr>");
        Row({"<td class='izq' width='70%' colspan='5' rowspan='2'>Deducciones calculadas (en base a "
             "fuma, obsequios y destrucción)</td>",
             "<td width='15%'>Inciso A</td>", "<td width='15%'>Inciso B</td>"});
        Put("<tr>  ").AmountPair(2011, 2012).Put("</tr>");
        Put("<tr>");
        Put("<td class='izq' width='55%' colspan='4' rowspan='2'>Deducciones máximas (permitidas "
            "conforme el Artículo 24)</td>");
        Put("<td class='izq' width='15%'>Porcentaje</td>");
        Put("<td width='15%'>&nbsp;").Amount(2013).Put("&nbsp;%</td>");
        Put("<td width='15%'>&nbsp;").Amount(2014).Put("&nbsp;%</td>");
        Put("</tr>");
        Put("<tr>").Put("<td class='izq' width='15%'>Valor</td>").AmountPair(2015, 2016).Put("</tr>");
        Put("<tr>");
        Put("<td class='izq' width='70%' colspan='5'>(-) Deducciones a considerar (menor valor entre "
            "deducción calculada y deducción máxima)</td>");
        AmountPair(2017, 2018).Put("</tr>");
        Put("<tr>").Put("<td class='izq' width='70%' colspan='5'>");
        Put("(=) Impuesto a pagar (impuesto determinado menos suma de deducciones a considerar)");
        Put("</td>").Put("<td class='der' width='30%' colspan='2'>").Put("<font size='2'>&nbsp;");
        Amount(2019).Put("</font>").Put("</td>  ").Put("</tr>");
        Row({"<td class='fondo' width='100%' colspan='7'>&nbsp;</td>"});
        Put("</table>").Put("<!-- FIN RECUADRO NO. 1 -->");
    }

    CConsultPageWriter& AmountPair(int first, int second)
    {
        Put(kAmountCell).Amount(first).Put(kAmountCellEnd);
        return Put(kAmountCell).Amount(second).Put(kAmountCellEnd);
    }

    void Rectification()
    {
        Put("<!-- RECUADRO NO. 2 -->").Put("<a name='Rectificacion'>").Put(kFullWidthTable);
        Row({"<td width='100%' colspan='2'>RECTIFICACIONES (llenar exclusivamente en caso de ser esta "
             "una rectificación)</td>"});
        Put("<tr>").Put("<td class='izq' width='70%'>No. de declaración que se rectifica</td>");
        Put("<td width='30%'>&nbsp;").Amount(2020).Put("<font size='2'><strong></strong></font>");
        Put("</td>").Put("</tr>");
        Put("<tr>").Put("<td class='izq' width='70%'>(-) Valor ingresado (con la declaración que se "
                        "rectifica)</td>");
        Put(kBoldAmountCell).Amount(2021).Put(kBoldAmountCellEnd).Put("</tr>");
        ResultRow(2022, "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)", 2023, "\t</font>");
        Row({"<td class='fondo' width='100%' colspan='2'>&nbsp;</td>"});
        Row({"<td width='100%' colspan='2'>MULTA, INTERESES Y MORA</td>"});
        ChargeRow("<td class='izq' width='70%'>(+) Multa</td>      ", 2024);
        ChargeRow("<td class='izq' width='70%'>(+) Intereses</td>      ", 2025);
        ChargeRow("<td class='izq' width='70%'>(+) Mora</td>      ", 2026);
        ResultRow(2027, "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)", 2028, "</font>");
        Row({"<td class='fondo' width='100%' colspan='2'>&nbsp;</td>"});
        Put("<tr>");
        Put("<td class='izq' width='70%'><font size='2'><strong>(=) TOTAL A PAGAR</strong></font></td>      ");
        Put("<td class='der' width='30%'>").Put("<font size='4'><strong>").Amount(2029);
        Put("</strong></font>").Put("</td>").Put("</tr>");
        Row({"<td class='fondo' width='100%' colspan='2'>&nbsp;</td>"});
        Row({"<td class='izq' width='100%' colspan='2'>",
             "A)&nbsp;&nbsp;Los documentos de soporte han sido elaborados y certificados de acuerdo a "
             "la ley, permanecerán en mi poder por el plazo<br>",
             "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;legalmente establecido y los exhibiré y presentaré a "
             "requerimiento de la DRN<br>",
             "B)&nbsp;&nbsp;Declaro y juro que son verdaderos los datos contenidos en este formulario "
             "y que conozco la pena correspondiente al delito de<br> ",
             "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;perjurio       ", "</td>"});
        Put("</table>").Put("</a>").Put("<!-- FIN RECUADRO NO. 2 -->");
        Put("</form>").Put("</body>").Put("</html>");
    }

    void ChargeRow(std::string_view label, int box)
    {
        Put("<tr>").Put(label).Put(kBoldAmountCell).Amount(box).Put(kBoldAmountCellEnd).Put("</tr>");
    }

    // The amount to pay when it is not "0", else the balance in the
    // taxpayer's favour when that is not "0", else an empty label and value.
    void ResultRow(int payBox, std::string_view payLabel, int favourBox, std::string_view valueEnd)
    {
        std::string_view label;
        std::string_view value;
        const auto pay = BoxText(payBox);
        if (pay && *pay != "0") {
            label = payLabel;
            value = *pay;
        } else if (const auto favour = pay ? BoxText(favourBox) : std::nullopt; favour && *favour != "0") {
            label = kFavourLabel;
            value = *favour;
        }
        Put("<tr>").Put("<td class='izq' width='70%'>").Put(label).Put("</td>");
        Put("<td class='der' width='30%'>").Put("<font size='2'>&nbsp;").Put(EscapeHtml(value));
        Put(valueEnd).Put("</td>").Put("</tr>");
    }

    const Declaration& m_declaration;
    CPageText& m_page;
    bool m_complete = true;
};

}  // namespace

bool BuildConsultPage(const Declaration& declaration, CPageText& page)
{
    return CConsultPageWriter(declaration, page).Write();
}

}  // namespace formulario
