#include "render/node_list.h"
#include "render/page_text.h"
#include "render/html_escape.h"

#include <gtest/gtest.h>

TEST(CNodeList, LookUpsFindTheRecordAddedLast)
{
    CNodeList list;
    list.Add("NIT", "1", "", "");
    list.Add("CASILLA", "a", "ID", "\"7\"");
    list.Add("NIT", "2", "", "");
    ASSERT_NE(list.FindByName("NIT"), nullptr);
    EXPECT_EQ(list.FindByName("NIT")->value, "2");
    EXPECT_EQ(list.FindByAttribute("ID", "\"7\"")->value, "a");
    EXPECT_EQ(list.FindByName("nit"), nullptr);
}

TEST(CNodeList, AttributeLookUpComparesWholeTextsExactly)
{
    CNodeList list;
    list.Add("CASILLA", "x", "ID", "7");
    list.Add("CASILLA", "y", "id", "\"7\"");
    list.Add("CASILLA", "z", "ID", "\"17\"");
    EXPECT_EQ(list.FindByAttribute("ID", "\"7\""), nullptr);
}

TEST(CNodeList, ClearEmptiesTheListAndAddStartsAnew)
{
    CNodeList list;
    list.Add("A", "1", "", "");
    list.Clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.FindByName("A"), nullptr);
    list.Add("B", "2", "", "");
    EXPECT_EQ(std::distance(list.begin(), list.end()), 1);
}

TEST(CPageText, AppendFormatWritesAtTheEnd)
{
    CPageText page;
    page.Append("ab").AppendFormat("%d", 5);
    EXPECT_EQ(page.str(), "ab5");
    page.AppendFormat("<option value='%s'%s>%s</option>\n", "L&M", " selected", "L&M");
    EXPECT_EQ(page.str(), "ab5<option value='L&M' selected>L&M</option>\n");
}

TEST(EscapeHtml, WritesMarkupCharactersAsReferences)
{
    EXPECT_EQ(EscapeHtml(R"(L&M "x" <b> 'y')"), "L&amp;M &quot;x&quot; &lt;b&gt; &#39;y&#39;");
    EXPECT_EQ(EscapeHtml("FA001849.03 RUBIOS FULL FLAVOR BOX 20´S"),
              "FA001849.03 RUBIOS FULL FLAVOR BOX 20´S");
}
