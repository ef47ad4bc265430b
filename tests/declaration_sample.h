#pragma once

// A declaration XML as the form writes it, with `rows` filled brand rows,
// for tests that need a realistic file.

#include <string>

inline std::string SampleDeclarationXml(int rows = 3)
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE> "
                      " <REALSOURCE>TRAMIXLIGHT</REALSOURCE> <VERSION>2.0</VERSION> "
                      " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION> "
                      " <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT> "
                      " <PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA> "
                      " <ANEXOS>0</ANEXOS>  <NOMBRE><![CDATA[Tabacalera Peña & Hijos]]></NOMBRE> "
                      " <DIRECCION></DIRECCION>  <CONTADOR>0</CONTADOR>  <CASILLAS> "
                      " <CASILLA ID=\"6\">46</CASILLA> ";
    auto box = [&xml](int id, const std::string& value) {
        xml += " <CASILLA ID=\"" + std::to_string(id) + "\">" + value + "</CASILLA> ";
    };
    for (int row = 1; row <= rows; ++row) {
        const int first = 10 * (row - 1) + 7;
        box(first, "<![CDATA[FA031004.00 RUBIOS KS BOX 20]]>");
        box(first + 1, "25.0000");
        box(first + 2, "18.75");
        box(first + 3, std::to_string(100 * row) + ".0000");
        box(first + 4, "");
        box(first + 5, "");
    }
    for (int id = 2007; id <= 2029; ++id)
        box(id, id == 2013 ? "0.005" : id == 2014 ? "0.0025" : "0");
    return xml + "<CASILLA ID=\"FECPRE\">05/12/2026</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA>"
                 " </CASILLAS>  <MONTO>0</MONTO>  </FORMULARIO> ";
}
