#include "declfile/xml_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The records as the reader added them: document order, the reverse of the list.
std::vector<CNode> RecordsInDocumentOrder(const CNodeList& nodes)
{
    std::vector<CNode> records(nodes.begin(), nodes.end());
    return {records.rbegin(), records.rend()};
}

std::string Describe(const std::vector<CNode>& records)
{
    std::string text;
    for (const CNode& node : records)
        text += node.name + "=[" + node.value + "] " + node.attributeName + "|" + node.attributeValue + "\n";
    return text;
}

struct ReaderCase {
    const char* title;
    std::string document;
    std::vector<CNode> expected;
};

class ReaderShapes : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderShapes, YieldTheirRecordsInDocumentOrder)
{
    CXmlReader reader;
    reader.Parse(GetParam().document);
    EXPECT_EQ(Describe(RecordsInDocumentOrder(reader.Nodes())), Describe(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    CXmlReader, ReaderShapes,
    testing::Values(
        ReaderCase{"Siblings", "<A>1</A> <B>2</B>", {{"A", "1", "", ""}, {"B", "2", "", ""}}},
        ReaderCase{"ChildEndingBeforeABlankKeepsTheLevel", "<P> <A>1</A> </P><B>2</B>",
                   {{"P", "", "", ""}, {"A", "1", "", ""}, {"B", "2", "", ""}}},
        ReaderCase{"ChildEndingAtTheClosingTagEndsTheLevel", "<P> <A>1</A></P><B>2</B>",
                   {{"P", "", "", ""}, {"A", "1", "", ""}}},
        ReaderCase{"RepeatedNames", "<A><B>1</B><B>2</B></A>",
                   {{"A", "", "", ""}, {"B", "1", "", ""}, {"B", "2", "", ""}}},
        ReaderCase{"SelfClosing", "<A/>", {{"A", "", "", ""}}},
        ReaderCase{"SelfClosingWithAttribute", "<A x='1'/>", {{"A", "", "x", "'1'"}}},
        ReaderCase{"SelfClosingWithBlank", "<A />", {{"A", "", "", ""}}},
        ReaderCase{"AttributeWithoutEquals", "<A flag>1</A>", {{"A", "1", "flag", ""}}},
        ReaderCase{"SeveralAttributesKeepTheRestAsValue", "<A x=\"1\" y=\"2\">v</A>",
                   {{"A", "v", "x", "\"1\" y=\"2\""}}},
        ReaderCase{"CharacterDataHoldingATag", "<NOMBRE><![CDATA[Juan <b>]]></NOMBRE>",
                   {{"NOMBRE", "", "", ""}, {"NOMBRE", "Juan <b>", "", ""}}},
        ReaderCase{"CharacterDataInLowerCase", "<N><![cdata[x]]></N>",
                   {{"N", "", "", ""}, {"N", "x", "", ""}}},
        ReaderCase{"ClosingTagInTheWrongCase", "<A>1</a>", {}},
        ReaderCase{"MissingClosingTagAtTheTop", "<A><B>2</B>", {}},
        ReaderCase{"MissingClosingTagInsideSkipsTheRestOfTheElement",
                   "<P> <A><X>1</X> </P> <B>2</B>", {{"P", "", "", ""}, {"B", "2", "", ""}}},
        ReaderCase{"FirstMatchingClosingTagWins", "<A><A>1</A></A>", {{"A", "", "", ""}}},
        ReaderCase{"XmlDeclarationEndsTheTopLevel", "<?xml version='1.0'?><A>1</A>", {}},
        ReaderCase{"TextOutsideTagsIsIgnored", "x <A>1</A> y <B/> z",
                   {{"A", "1", "", ""}, {"B", "", "", ""}}},
        ReaderCase{"UnclosedBracket", "<A>1</A><B", {{"A", "1", "", ""}}},
        ReaderCase{"EmptyContent", "<A></A>", {{"A", "", "", ""}}}),
    [](const auto& info) { return info.param.title; });

TEST(CXmlReader, EmptyTextIsRefusedAndAddsNothing)
{
    CXmlReader reader;
    EXPECT_FALSE(reader.Parse(""));
    EXPECT_TRUE(reader.Nodes().empty());
}

TEST(CXmlReader, LookUpByNameFindsTheLastInTheDocument)
{
    CXmlReader reader;
    reader.Parse("<A><B>1</B><B>2</B></A>");
    ASSERT_NE(reader.Nodes().FindByName("B"), nullptr);
    EXPECT_EQ(reader.Nodes().FindByName("B")->value, "2");
}

TEST(CXmlReader, ReadsOnlyTheGivenLength)
{
    const std::string text = "<A>1</A><B>2</B>";
    CXmlReader reader;
    reader.Parse(std::string_view(text).substr(0, 12));
    EXPECT_EQ(Describe(RecordsInDocumentOrder(reader.Nodes())), "A=[1] |\n");
}

TEST(CXmlReader, LongTextsAreKeptWhole)
{
    const std::string name(300, 'N');
    const std::string value(5000, 'v');
    const std::string attribute = "ID=\"" + std::string(400, '9') + "\"";
    CXmlReader reader;
    reader.Parse("<" + name + " " + attribute + ">" + value + "</" + name + ">");
    ASSERT_NE(reader.Nodes().FindByName(name), nullptr);
    EXPECT_EQ(reader.Nodes().FindByName(name)->value, value);
    EXPECT_EQ(reader.Nodes().FindByName(name)->attributeValue, attribute.substr(3));
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
    document = "<R>" + document + " <AFTER>1</AFTER> </R>";

    CXmlReader reader;
    reader.Parse(document);
    // R and N0 to N254 fill the 256 levels, the content of N254 is skipped,
    // and AFTER is read.
    EXPECT_EQ(std::distance(reader.Nodes().begin(), reader.Nodes().end()),
              CXmlReader::kMaxNestingDepth + 1);
    EXPECT_NE(reader.Nodes().FindByName("N254"), nullptr);
    EXPECT_EQ(reader.Nodes().FindByName("N255"), nullptr);
    ASSERT_NE(reader.Nodes().FindByName("AFTER"), nullptr);
}

TEST(CXmlReader, TraceIsOffUnlessAStreamIsGiven)
{
    CXmlReader reader;
    std::ostringstream trace;
    reader.Parse("<A x='1'>v</A>");
    reader.SetTrace(&trace);
    reader.Parse("<B>w</B>");
    const std::string text = trace.str();
    EXPECT_EQ(text.find("name: A"), std::string::npos);
    EXPECT_NE(text.find("----- parse document -----\n<B>w</B>\n\n----- start parsing -----\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("Found Element: \nname: B\nvalue: w\n\n"), std::string::npos);
}

TEST(SplitAttribute, SplitsAtTheFirstEquals)
{
    EXPECT_EQ(SplitAttribute("ID=\"6\"").name, "ID");
    EXPECT_EQ(SplitAttribute("ID=\"6\"").value, "\"6\"");
    EXPECT_EQ(SplitAttribute("a=b=c").value, "b=c");
    EXPECT_EQ(SplitAttribute("flag").name, "flag");
    EXPECT_EQ(SplitAttribute("flag").value, "");
}

// The text the form builds on "Generar", with one annex row.
const char kDeclarationXml[] =
    " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE>  <REALSOURCE>TRAMIXLIGHT</REALSOURCE>"
    " <VERSION>2.0</VERSION>  <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION> "
    " <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT>  <PERIODO_DESDE>20120301</PERIODO_DESDE> "
    " <PERIODO_HASTA>20120331</PERIODO_HASTA>  <ANEXOS>0</ANEXOS>  <NOMBRE><![CDATA[Juan & <b>Hijos]]></NOMBRE> "
    " <DIRECCION></DIRECCION>  <CONTADOR>0</CONTADOR>  <CASILLAS>  <CASILLA ID=\"6\">46</CASILLA> "
    " <CASILLA ID=\"7\"><![CDATA[RUBIOS KS]]></CASILLA>  <CASILLA ID=\"8\">25.0000</CASILLA> "
    " <CASILLA ID=\"2029\">0</CASILLA> <CASILLA ID=\"FECPRE\">05/12/2026</CASILLA>"
    "<CASILLA ID=\"LUGPRE\">----------</CASILLA> </CASILLAS>  <MONTO>0</MONTO>  </FORMULARIO> ";

TEST(CXmlReader, DeclarationYieldsItsRecordsInOrder)
{
    CXmlReader reader;
    reader.Parse(kDeclarationXml);
    const std::vector<CNode> expected = {
        {"FORMULARIO", "", "NUMERO", "\"14302257\""},
        {"SOURCE", "TRAMIXPC", "", ""},
        {"REALSOURCE", "TRAMIXLIGHT", "", ""},
        {"VERSION", "2.0", "", ""},
        {"CODIGO_FORMULARIO", "731", "", ""},
        {"NUMERO_VERSION", "6", "", ""},
        {"ID_CAMBIO", "1.5", "", ""},
        {"NIT", "12345679", "", ""},
        {"PERIODO_DESDE", "20120301", "", ""},
        {"PERIODO_HASTA", "20120331", "", ""},
        {"ANEXOS", "0", "", ""},
        {"NOMBRE", "", "", ""},
        {"NOMBRE", "Juan & <b>Hijos", "", ""},
        {"DIRECCION", "", "", ""},
        {"CONTADOR", "0", "", ""},
        {"CASILLAS", "", "", ""},
        {"CASILLA", "46", "ID", "\"6\""},
        {"CASILLA", "", "ID", "\"7\""},
        {"CASILLA", "RUBIOS KS", "ID", "\"7\""},
        {"CASILLA", "25.0000", "ID", "\"8\""},
        {"CASILLA", "0", "ID", "\"2029\""},
        {"CASILLA", "05/12/2026", "ID", "\"FECPRE\""},
        {"CASILLA", "----------", "ID", "\"LUGPRE\""},
        {"MONTO", "0", "", ""},
    };
    EXPECT_EQ(Describe(RecordsInDocumentOrder(reader.Nodes())), Describe(expected));
}

} // namespace
