#include "declfile/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace formulario;

namespace {

// The records the reader added, in document order (the reverse of the list),
// one "name=[value] attribute|value" a line.
std::string Records(std::string_view document)
{
    CXmlReader reader;
    std::string text;
    if (!reader.Parse(document))  // an empty text: no records
        return text;
    for (const CNode& node : reader.Nodes())
        text = node.name + "=[" + node.value + "] " + node.attributeName + "|" + node.attributeValue + "\n" + text;
    return text;
}

TEST(CXmlReader, DocumentShapesYieldTheirRecordsInDocumentOrder)
{
    const std::string name(300, 'N'), value(5000, 'v'), quoted = "\"" + std::string(400, '9') + "\"";
    const std::string longTexts = "<" + name + " ID=" + quoted + ">" + value + "</" + name + ">";
    // R and N0 to N254 fill the levels read; the content of N254 is skipped, AFTER read.
    std::string deep = "<R>", deepRecords = "R=[] |\n";
    for (int level = 0; level < 1000; ++level)
        deep += "<N" + std::to_string(level) + "> ";
    for (int level = 999; level >= 0; --level)
        deep += " </N" + std::to_string(level) + ">";
    for (int level = 0; level + 1 < CXmlReader::kMaxNestingDepth; ++level)
        deepRecords += "N" + std::to_string(level) + "=[] |\n";
    deep += " <AFTER>1</AFTER> </R>";
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
        {"character data holding a tag", "<N ID=\"7\"><![CDATA[J <b>]]></N>", "N=[] ID|\"7\"\nN=[J <b>] ID|\"7\"\n"},
        {"character data in lower case", "<N><![cdata[x]]></N>", "N=[] |\nN=[x] |\n"},
        {"character data split at \"]]>\" is joined", "<N><![CDATA[a]]]]><![CDATA[>b]]></N><B>2</B>",
         "N=[] |\nN=[a]]>b] |\nB=[2] |\n"},
        {"character data holding closing and other tags", "<P> <N><![CDATA[x</N> <M>9</M>]]></N> <B>2</B> </P>",
         "P=[] |\nN=[] |\nN=[x</N> <M>9</M>] |\nB=[2] |\n"},
        {"character data never closed", "<N><![CDATA[x</N>", "N=[] |\nN=[] |\n"},
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
        {"long texts are kept whole", longTexts, name + "=[" + value + "] ID|" + quoted + "\n"},
        {"nesting past the limit", deep, deepRecords + "AFTER=[1] |\n"},
        {"empty", "", ""},
    };
    for (const auto& shape : cases)
        EXPECT_EQ(Records(shape.document), shape.records) << shape.title;
    EXPECT_FALSE(CXmlReader().Parse(""));
}

TEST(CNodeList, AttributeLookUpComparesWholeTextsExactly)
{
    CXmlReader reader;
    ASSERT_TRUE(reader.Parse("<C ID=\"12\">a</C><C id=\"1\">b</C>"));
    EXPECT_EQ(reader.Nodes().FindByAttribute("ID", "\"12\"")->value, "a");
    for (const char* value : {"\"1\"", "12", "\"123\""})
        EXPECT_EQ(reader.Nodes().FindByAttribute("ID", value), nullptr) << value;
}

} // namespace
