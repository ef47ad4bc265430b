#pragma once

// A declaration as the form writes it: the header elements, `rows` brand rows
// alike, boxes 2007 to 2029, the date and place. Any element's text or box's
// value can be replaced, and any element or box (FORMULARIO too) left out.

#include "declfile/declaration.h"
#include "declfile/xml_reader.h"

#include <map>
#include <set>
#include <string>

using namespace formulario;

struct SampleDeclaration {
    explicit SampleDeclaration(int rows = 3) : rows(rows) {}

    int rows;
    std::string numero = "\"14302257\"";        // the FORMULARIO attribute as written
    std::map<std::string, std::string> values;  // element name or box id: its text
    std::set<std::string> omitted;              // element names and box ids left out

    SampleDeclaration With(const std::string& key, const std::string& text) const
    {
        SampleDeclaration copy = *this;
        copy.values[key] = text;
        return copy;
    }
    SampleDeclaration Without(const std::string& key) const
    {
        SampleDeclaration copy = *this;
        copy.omitted.insert(key);
        return copy;
    }

    // The box id of annex row `row` (from 1), column `column` (1 to 6).
    static std::string Cell(int row, int column) { return std::to_string(10 * row - 4 + column); }

    std::string Xml() const
    {
        std::string xml;
        // An element " <NAME>text</NAME> ", or a box " <CASILLA ID="id">value</CASILLA> ".
        const auto put = [&](const std::string& key, const std::string& text, bool box = false, bool cdata = false) {
            const std::string value = values.contains(key) ? values.at(key) : text, name = box ? "CASILLA" : key;
            if (!omitted.contains(key))
                xml += " <" + name + (box ? " ID=\"" + key + "\"" : "") + ">" +
                       (cdata ? "<![CDATA[" + value + "]]>" : value) + "</" + name + "> ";
        };
        for (const auto& [name, text] : {std::pair{"SOURCE", "TRAMIXPC"}, {"REALSOURCE", "TRAMIXLIGHT"},
                                         {"VERSION", "2.0"}, {"CODIGO_FORMULARIO", "731"}, {"NUMERO_VERSION", "6"},
                                         {"ID_CAMBIO", "1.5"}, {"NIT", "12345679"}, {"PERIODO_DESDE", "20120301"},
                                         {"PERIODO_HASTA", "20120331"}, {"ANEXOS", "0"}})
            put(name, text);
        put("NOMBRE", "Tabacalera Peña & Hijos", false, true);
        put("DIRECCION", "");
        put("CONTADOR", "0");
        xml += " <CASILLAS> ";
        put("6", "46", true);
        for (int row = 1; row <= rows; ++row) {
            const std::string cells[] = {"FA031004.00 RUBIOS KS BOX 20", "25.0000", "18.75",
                                         std::to_string(100 * row) + ".0000", "", ""};
            for (int column = 1; column <= 6; ++column)
                put(Cell(row, column), cells[column - 1], true, column == 1);
        }
        for (int id = kFirstBox; id <= kLastBox; ++id)
            put(std::to_string(id), id == 2013 ? "0.005" : id == 2014 ? "0.0025" : "0", true);
        xml += "<CASILLA ID=\"FECPRE\">05/12/2026</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA> </CASILLAS> ";
        put("MONTO", "0");
        return omitted.contains("FORMULARIO") ? xml : " <FORMULARIO NUMERO=" + numero + "> " + xml + " </FORMULARIO> ";
    }

    CNodeList Nodes() const
    {
        CXmlReader reader;
        if (!reader.Parse(Xml()))  // only an empty text is not read
            return {};
        return reader.Nodes();
    }

    // The declaration read from the XML; empty when it lacks a value.
    Declaration Read() const
    {
        CResult<Declaration> declaration = ReadDeclaration(Nodes());
        return declaration.ok() ? std::move(declaration).value() : Declaration();
    }
};

inline std::string SampleDeclarationXml(int rows = 3)
{
    return SampleDeclaration(rows).Xml();
}
