#include "render/modify_page.h"

#include "declfile/form_facts.h"
#include "render/brand_catalogue.h"
#include "render/html_escape.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr std::string_view kDateInputStyle = "style='FONT-SIZE: xx-small;'";
constexpr std::string_view kReadOnlyStyle =
    "class='lectura' style='TEXT-ALIGN: right' readonly disabled";

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

// A box value as the form shows it: a bare "0" is an empty box.
std::string_view ZeroSuppressed(std::string_view value)
{
    return value == "0" ? std::string_view{} : value;
}

// A period date as the hidden boxes c4 and c5 hold it: day/month/year.
std::string Slashed(const PeriodDate& date)
{
    return std::string(date.Day()) + "/" + std::string(date.Month()) + "/" + std::string(date.Year());
}

// The inputs of one pair of result boxes (2022/2023 or 2027/2028): one of
// them carries the amount, shown again in a display field under a label.
struct ResultRow {
    std::string_view layer;
    std::string_view display;
    int payBox;
    int favourBox;
    std::string_view payLabel;
    std::string_view favourLabel;
};

constexpr ResultRow kRectificationRow{
    "lyr2", "v2", 2022, 2023,
    "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)&nbsp;",
    "(=) Valor a favor del contribuyente"};
constexpr ResultRow kBalanceRow{
    "lyr3", "v3", 2027, 2028,
    "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)&nbsp;",
    "(=) Saldo a favor del contribuyente"};

// The option line of every catalogue entry, unselected and selected, written
// once: every annex row of a page carries the whole catalogue.
struct BrandOption {
    std::string_view entry;
    std::string line;
    std::string selectedLine;
};

const std::vector<BrandOption>& BrandOptions()
{
    static const std::vector<BrandOption> options = [] {
        std::vector<BrandOption> lines;
        for (std::string_view entry : kBrandCatalogue) {
            if (entry.empty())
                break;
            const std::string text = EscapeHtml(entry);
            lines.push_back({entry, "<option value='" + text + "'>" + text + "</option>\n",
                             "<option value='" + text + "' selected>" + text + "</option>\n"});
        }
        return lines;
    }();
    return options;
}

class ModifyPageWriter {
public:
    ModifyPageWriter(const Declaration& declaration, const PageSink& sink)
        : declaration_(declaration), sink_(sink) {}

    bool Write()
    {
        WriteHead();
        return WriteHeader() && WriteTaxpayer() && WriteAnnex() && WriteTaxDetermination()
            && WriteRectification();
    }

private:
    void Put(std::string_view text) { sink_(text); }

    // Writes the pieces joined, as one piece.
    template <typename... Pieces>
    void PutJoined(const Pieces&... pieces)
    {
        tag_.clear();
        (tag_.append(std::string_view(pieces)), ...);
        Put(tag_);
    }

    // <input name='N' id='N' ATTRIBUTES value='V'>, the value escaped; no
    // value attribute at all when `value` is empty-handed.
    void PutInput(std::string_view name, std::string_view attributes,
                  std::optional<std::string_view> value)
    {
        tag_.assign("<input name='").append(name).append("' id='").append(name).append("'");
        if (!attributes.empty())
            tag_.append(" ").append(attributes);
        if (value)
            tag_.append(" value='").append(EscapeHtml(*value)).append("'");
        tag_.append(">");
        Put(tag_);
    }

    void PutHidden(std::string_view name, std::optional<std::string_view> value)
    {
        PutInput(name, "type='hidden'", value);
    }

    const std::string* Box(int id) const { return declaration_.Box(id); }

    static std::string BoxName(int id) { return "c" + std::to_string(id); }

    void WriteHead()
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

    bool WriteHeader()
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

        const std::string_view number = declaration_.formNumber;
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

    bool WriteTaxpayer()
    {
        Put("<!-- RECUADRO NO. 0 -->\n");
        Put("<table cellpadding='1' border='2' width='100%'>\n");
        Put("<tr>\n");
        Put("<td class='particular' width='30%'>NIT del contribuyente<br>\n");
        PutInput("c2", "type='text' size='22' maxlength='13' style='TEXT-ALIGN: center' "
                       "onblur='validaciones(c2);nitsinguion()'", declaration_.nit);
        Put("</td>\n");

        Put("<td class='particular' width='70%'>Nombre o razón social del contribuyente<br>\n");
        Put("<font size='3'><strong>\n");
        PutInput("c3", "type='text' size='70' maxlength='80' style='TEXT-ALIGN: center'",
                 declaration_.name);
        Put("</strong></font>");
        Put("</td>\n");
        Put("</tr>\n");
        Put("</table>\n");
        return WritePeriod();
    }

    bool WritePeriod()
    {
        const PeriodDate& start = declaration_.from;
        const PeriodDate& end = declaration_.to;

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

    void PutDateCell(std::string_view width, std::string_view name, std::string_view attributes,
                     std::string_view value)
    {
        PutJoined("<td width='", width, "'>");
        std::string all("type='text' ");
        all.append(attributes).append(" ").append(kDateInputStyle);
        all.append(" onblur='validacionesfecha()'");
        PutInput(name, all, value);
        Put("</td>\n");
    }

    // A computed box: read-only, disabled, zero-suppressed.
    bool PutComputedCell(int id, std::string_view cellAttributes, bool withMaxLength = true)
    {
        const std::string* box = Box(id);
        if (!box)
            return false;
        const std::string name = BoxName(id);
        PutJoined("<td ", cellAttributes, ">");
        std::string attributes(kReadOnlyStyle);
        attributes.append(" onblur='validaciones(").append(name).append(")' size='23'");
        if (withMaxLength)
            attributes.append(" maxlength='13'");
        PutInput(name, attributes, ZeroSuppressed(*box));
        Put("</td>");
        return true;
    }

    bool WriteAnnex()
    {
        Put("<!-- RECUADRO NO. 1 -->\n");
        Put("<table id='tabla1' cellpadding='1' border='2' width='100%'>\n");
        Put("<tr>\n");
        Put("<td width='100%' colspan='7'>MARCAS</td>\n");
        Put("</tr>\n");
        Put("<tr>\n");
        Put("<td width='25%' rowspan='3' colspan='2'>Marcas y presentación</td>\n");
        Put("<td width='15%' rowspan='3'>Precio sugerido<br>al consumidor<br>sin IVA y sin<br>"
            "impuesto<br>específico (Dto<br>61-77)<br></td>\n");
        Put("<td width='15%' rowspan='3'>Base Imponible<br> ");
        PutHidden("c6", "");
        Put("</td>\n");
        Put("<td width='45%' colspan='3'>Cantidad de paquetes 10 x 20</td>\n");
        Put("</tr>\n");
        Put("<tr>\n");
        Put("<td width='15%' rowspan='2'>Fabricados</td>\n");
        Put("<td width='30%' colspan='2'>Deducciones Art. 24</td>\n");
        Put("</tr>\n");
        Put("<tr>\n");
        Put("<td width='15%'>Inciso A</td>\n");
        Put("<td width='15%'>Inciso B</td>\n");
        Put("</tr>\n");

        Put("    <!-- RECUADRO DINAMICO -->\n");
        Put("    <tbody id='cuerpo1'>\n");
        // The rows take the numbers 1, 2, ... in their order, so that the
        // form, which needs its used rows to follow each other, writes them all.
        int shown = 0;
        for (const AnnexRow& row : declaration_.rows)
            WriteAnnexRow(++shown, row);
        Put("  </tbody>\n");
        Put("  <!-- FIN RECUADRO DINAMICO -->\n");

        Put("    <tr>\n");
        Put("<td align='right' colspan='3'>");
        Put("\t\n");
        PutInput("renglones1", "type='text' size='5' maxlength='4'", std::nullopt);
        Put("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\n");
        PutInput("botonanexo1", "type='button' value='Agregar renglones' "
                                "onclick='anexa(C.renglones1,1)'", std::nullopt);
        PutHidden("nrenglon1", "0");
        PutHidden("trenglon1", "0");
        Put("    </td>\n");
        Put("    <td >&nbsp;<strong>Totales</strong></td>\n");
        for (int id = 2007; id <= 2009; ++id) {
            if (!PutComputedCell(id, "width='15%'"))
                return false;
        }
        Put("  </tr>\n");
        Put("  <tr>\n");
        Put("<td class='fondo' width='100%' height='25%' colspan='21'>&nbsp;</td>\n");
        Put("  </tr>\n");
        Put("  </table>\n");
        Put("  <!-- FIN RECUADRO NO. 1 -->\n");
        return true;
    }

    // Row `row` of the file as row `shown` of the page.
    void WriteAnnexRow(int shown, const AnnexRow& row)
    {
        const std::string r = std::to_string(shown);
        PutJoined("  <tr><td width='3%'>", r, "</td>\n");
        Put("<td width='15%'>");
        PutJoined("<script language='JavaScript'> VANEXOSINICIALES[1] = ", r, "; ANEXO[1]=", r,
                  " </script>\n");
        PutJoined("<select name='f1", r, "c1' id='f1", r, "c1' ");
        Put("onblur='validacionesobjetoanexo(this.name,1,poscol(this.name)); validamarca(this);' >"
            "<option value=''></option>\n");
        WriteBrandOptions(row.cells[0]);
        Put("</select>\n");
        Put("</td>\n");

        Put("<td width='15%'>");
        PutJoined("<input type='text' name='f1", r, "c2' id='f1", r, "c2' value='");
        Put(EscapeHtml(row.cells[1]));
        Put("' onblur='validacionesobjetoanexo(this.name,1,poscol(this.name)); ");
        PutJoined("calculaBaseImponible(", r, ",1); ");
        Put("formateacasilla(this); ' size='9' >\n");
        Put("</td>\n");

        Put("<td width='15%'>");
        PutJoined("<input type=text name='f1", r, "c3' id='f1", r, "c3' value='");
        Put(EscapeHtml(row.cells[2]));
        Put("' maxlength='14' onblur='validacionesobjetoanexo(this.name,1,poscol(this.name));");
        PutJoined("verificaBaseImponible(", r, ",1); ");
        Put("formateacasilla2(this);' size='9'>\n");
        Put("</td>\n");

        for (int column = 4; column <= 6; ++column) {
            const std::string c = std::to_string(column);
            Put("<td width='15%'>");
            PutJoined("<input type=text name='f1", r, "c", c, "' id='f1", r, "c", c, "' value='");
            Put(EscapeHtml(row.cells[static_cast<std::size_t>(column - 1)]));
            Put("' maxlength='14' onblur='validacionesobjetoanexo(this.name,1,poscol(this.name)); "
                "formateacasilla(this); actualizaTotales()' size='9' >\n");
            Put("</td>\n");
        }
        Put("</tr>\n");
    }

    // One option line per catalogue entry; the entry equal to the saved brand,
    // compared whole and case-sensitively, is selected.
    void WriteBrandOptions(std::string_view savedBrand)
    {
        for (const BrandOption& option : BrandOptions())
            Put(option.entry == savedBrand ? option.selectedLine : option.line);
    }

    bool WriteTaxDetermination()
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

    // Boxes `first` and `first` + 1, the Inciso A and Inciso B columns.
    bool PutComputedPair(int first)
    {
        return PutComputedCell(first, "width='15%'") && PutComputedCell(first + 1, "width='15%'");
    }

    bool WriteRectification()
    {
        Put("<!-- RECUADRO NO. 3 -->");
        Put("<table cellpadding='1' border='2' width='100%'>");
        Put("<tr>");
        Put("<td width='100%' colspan='2'>RECTIFICACIONES (llenar exclusivamente en caso de ser "
            "esta una rectificación)</td>");
        Put("</tr>");
        if (!PutEditableRow("No. de declaración que se rectifica", 2020, "validaciones(c2020)")
            || !PutEditableRow("(-) Valor ingresado (con la declaración que se rectifica)", 2021,
                               "validaciones(c2021); valida_c2021();")
            || !WriteResultRow(kRectificationRow))
            return false;
        PutFillerRow();
        Put("<tr>");
        Put("<td width='100%' colspan='2'>MULTA, INTERESES Y MORA</td>\n");
        Put("</tr>");
        if (!PutEditableRow("(+) Multa", 2024, "validaciones(c2024); valida_c2024();")
            || !PutEditableRow("(+) Intereses", 2025, "validaciones(c2025)")
            || !PutEditableRow("(+) Mora", 2026, "validaciones(c2026)")
            || !WriteResultRow(kBalanceRow))
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

    void PutFillerRow()
    {
        Put("<tr>");
        Put("<td class='fondo' width='100%' colspan='2'>&nbsp;</td>\n");
        Put("</tr>");
    }

    bool PutEditableRow(std::string_view label, int id, std::string_view handler)
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

    // The pay variant unless only the favour amount is non-zero.
    bool WriteResultRow(const ResultRow& row)
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
        PutInput(row.display, "type='text' class='lectura' size='23' style='TEXT-ALIGN: right' "
                              "readonly disabled", amount);
        Put("</td>");
        Put("</tr>\n");
        return true;
    }

    bool WriteTotal()
    {
        const std::string* total = Box(2029);
        if (!total)
            return false;
        Put("<tr>");
        Put("<td class='izq' width='70%'><font size='2'><strong>(=) TOTAL A PAGAR</strong>"
            "</font></td>");
        Put("<td width='30%'>");
        PutInput("c2029", "type='text' class='resaltado' onblur='validaciones(c2029)'",
                 ZeroSuppressed(*total));
        Put("</td>");
        Put("</tr>");
        return true;
    }

    void WriteOath()
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

    const Declaration& declaration_;
    const PageSink& sink_;
    std::string tag_;  // one tag composed before it is written
};

}  // namespace

bool WriteModifyPage(const Declaration& declaration, const PageSink& sink)
{
    return ModifyPageWriter(declaration, sink).Write();
}

bool BuildModifyPage(const Declaration& declaration, CPageText& page)
{
    page.Clear();
    return WriteModifyPage(declaration, [&page](std::string_view text) { page.Append(text); });
}
