#include "render/modify_page_writer.h"

#include "render/brand_catalogue.h"
#include "render/html_escape.h"

#include <string>
#include <vector>

namespace formulario {

namespace {

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

}  // namespace

bool CModifyPageWriter::WriteAnnex()
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
    for (const AnnexRow& row : m_declaration.rows)
        WriteAnnexRow(++shown, row);
    Put("  </tbody>\n");
    Put("  <!-- FIN RECUADRO DINAMICO -->\n");

    Put("    <tr>\n");
    Put("<td align='right' colspan='3'>");
    Put("\t\n");
    PutInput("renglones1", "type='text' size='5' maxlength='4'", std::nullopt);
    Put("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\n");
    PutInput("botonanexo1",
             "type='button' value='Agregar renglones' "
             "onclick='anexa(C.renglones1,1)'",
             std::nullopt);
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

void CModifyPageWriter::WriteAnnexRow(int shown, const AnnexRow& row)
{
    const std::string r = std::to_string(shown);
    PutJoined("  <tr><td width='3%'>", r, "</td>\n");
    Put("<td width='15%'>");
    PutJoined("<script language='JavaScript'> VANEXOSINICIALES[1] = ", r, "; ANEXO[1]=", r, " </script>\n");
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

void CModifyPageWriter::WriteBrandOptions(std::string_view savedBrand)
{
    for (const BrandOption& option : BrandOptions())
        Put(option.entry == savedBrand ? option.selectedLine : option.line);
}

}  // namespace formulario
