#include "declfile/xml_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The records the reader added, in document order (the reverse of the list),
// one "name=[value] attribute|value" a line.
std::string Records(std::string_view document)
{
    CXmlReader reader;
    reader.Parse(document);
    std::vector<CNode> records(reader.Nodes().begin(), reader.Nodes().end());
    std::string text;
    for (auto node = records.rbegin(); node != records.rend(); ++node)
        text += node->name + "=[" + node->value + "] " + node->attributeName + "|" + node->attributeValue + "\n";
    return text;
}

TEST(CXmlReader, DocumentShapesYieldTheirRecordsInDocumentOrder)
{
    const struct {
        const char* title;
        std::string_view document;
        std::string records;
    } cases[] = {
        {"siblings", "<A>1</A> <B>2</B>", "A=[1] |\nB=[2] |\n"},
        {"child ending before a blank keeps the level", "<P> <A>1</A> </P><B>2</B>", "P=[] |\nA=[1] |\nB=[2] |\n"},
        {"child ending at the closing tag ends the level", "<P> <A>1</A></P><B>2</B>", "P=[] |\nA=[1] |\n"},
        {"repeated names", "<A><B>1</B><B>2</B></A>", "A=[] |\nB=[1] |\nB=[2] |\n"},
        {"self-closing", "<A/>", "A=[] |\n"},
        {"self-closing with attribute", "<A x='1'/>", "A=[] x|'1'\n"},
        {"self-closing with blank", "<A />", "A=[] |\n"},
        {"attribute without equals", "<A flag>1</A>", "A=[1] flag|\n"},
        {"several attributes keep the rest as value", "<A x=\"1\" y=\"2\">v</A>", "A=[v] x|\"1\" y=\"2\"\n"},
        {"attribute value with equals", "<A a=b=c/>", "A=[] a|b=c\n"},
        {"character data holding a tag", "<N><![CDATA[Juan <b>]]></N>", "N=[] |\nN=[Juan <b>] |\n"},
        {"character data in lower case", "<N><![cdata[x]]></N>", "N=[] |\nN=[x] |\n"},
        {"closing tag in the wrong case", "<A>1</a>", ""},
        {"missing closing tag at the top", "<A><B>2</B>", ""},
        {"missing closing tag inside skips the rest of the element", "<P> <A><X>1</X> </P> <B>2</B>",
         "P=[] |\nB=[2] |\n"},
        {"first matching closing tag wins", "<A><A>1</A></A>", "A=[] |\n"},
        {"XML declaration ends the top level", "<?xml version='1.0'?><A>1</A>", ""},
        {"text outside tags is ignored", "x <A>1</A> y <B/> z", "A=[1] |\nB=[] |\n"},
        {"unclosed bracket", "<A>1</A><B", "A=[1] |\n"},
        {"empty content", "<A></A>", "A=[] |\n"},
        {"only the given length is read", std::string_view("<A>1</A><B>2</B>").substr(0, 12), "A=[1] |\n"},
    };
    for (const auto& shape : cases)
        EXPECT_EQ(Records(shape.document), shape.records) << shape.title;
}

TEST(CXmlReader, EmptyTextIsRefusedAndAddsNothing)
{
    CXmlReader reader;
    EXPECT_FALSE(reader.Parse(""));
    EXPECT_TRUE(reader.Nodes().empty());
}

TEST(CXmlReader, LongTextsAreKeptWhole)
{
    const std::string name(300, 'N');
    const std::string value(5000, 'v');
    const std::string quoted = "\"" + std::string(400, '9') + "\"";
    EXPECT_EQ(Records("<" + name + " ID=" + quoted + ">" + value + "</" + name + ">"),
              name + "=[" + value + "] ID|" + quoted + "\n");
}

TEST(CXmlReader, StopsDescendingPastTheNestingLimit)
{
    constexpr int kLevels = 1000;
    std::string document;
    for (int level = 0; level < kLevels; ++level)
        document += "<N" + std::to_string(level) + "> ";
    document += "x";
    for (int level = kLevels - 1; level >= 0; --level)
        document += " </N" + std::to_string(level) + ">";
    CXmlReader reader;
    reader.Parse("<R>" + document + " <AFTER>1</AFTER> </R>");
    // R and N0 to N254 fill the 256 levels, the content of N254 is skipped,
    // and AFTER is read.
    EXPECT_EQ(std::distance(reader.Nodes().begin(), reader.Nodes().end()), CXmlReader::kMaxNestingDepth + 1);
    EXPECT_NE(reader.Nodes().FindByName("N254"), nullptr);
    EXPECT_EQ(reader.Nodes().FindByName("N255"), nullptr);
    EXPECT_NE(reader.Nodes().FindByName("AFTER"), nullptr);
}

TEST(CXmlReader, TraceIsOffUnlessAStreamIsGiven)
{
    CXmlReader reader;
    std::ostringstream trace;
    reader.Parse("<A x='1'>v</A>");
    reader.SetTrace(&trace);
    reader.Parse("<B>w</B>");
    EXPECT_EQ(trace.str().find("name: A"), std::string::npos);
    EXPECT_NE(trace.str().find("----- parse document -----\n<B>w</B>\n\n----- start parsing -----\n\n"),
              std::string::npos);
    EXPECT_NE(trace.str().find("Found Element: \nname: B\nvalue: w\n\n"), std::string::npos);
}

TEST(CXmlReader, DeclarationYieldsItsRecordsInOrder)
{
    // The text the form builds on "Generar", with one annex row, shortened.
    const char* xml =
        " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE>  <REALSOURCE>TRAMIXLIGHT</REALSOURCE>"
        " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION>  <NIT>12345679</NIT> "
        " <PERIODO_DESDE>20120301</PERIODO_DESDE>  <NOMBRE><![CDATA[Juan & <b>Hijos]]></NOMBRE>  <DIRECCION></DIRECCION> "
        " <CASILLAS>  <CASILLA ID=\"6\">46</CASILLA>  <CASILLA ID=\"7\"><![CDATA[RUBIOS KS]]></CASILLA> "
        " <CASILLA ID=\"2029\">0</CASILLA> <CASILLA ID=\"FECPRE\">05/12/2026</CASILLA>"
        "<CASILLA ID=\"LUGPRE\">----------</CASILLA> </CASILLAS>  <MONTO>0</MONTO>  </FORMULARIO> ";
    EXPECT_EQ(Records(xml), "FORMULARIO=[] NUMERO|\"14302257\"\nSOURCE=[TRAMIXPC] |\nREALSOURCE=[TRAMIXLIGHT] |\n"
                            "CODIGO_FORMULARIO=[731] |\nNUMERO_VERSION=[6] |\nNIT=[12345679] |\n"
                            "PERIODO_DESDE=[20120301] |\nNOMBRE=[] |\nNOMBRE=[Juan & <b>Hijos] |\nDIRECCION=[] |\n"
                            "CASILLAS=[] |\nCASILLA=[46] ID|\"6\"\nCASILLA=[] ID|\"7\"\nCASILLA=[RUBIOS KS] ID|\"7\"\n"
                            "CASILLA=[0] ID|\"2029\"\nCASILLA=[05/12/2026] ID|\"FECPRE\"\n"
                            "CASILLA=[----------] ID|\"LUGPRE\"\nMONTO=[0] |\n");
}

} // namespace
