#include "declfile/reopen.h"

#include "declfile/seal.h"
#include "host/temporary_directory.h"
#include "render/consult_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Answers the file dialog with a fixed path and records everything shown.
struct RecordingUi : HostUi {
    explicit RecordingUi(std::optional<std::string> chosen) : chosen(std::move(chosen)) {}
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return chosen; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        shown.push_back(caption + ": " + text);
    }
    void ShowWarning(const std::string& text) override { shown.push_back("warning: " + text); }
    void ShowPage(const std::string& html) override { pages.push_back(html); }

    std::optional<std::string> chosen;
    std::vector<std::string> shown, pages;
};

const std::string kFormKey = " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION> ";

// A declaration XML as the form writes it, with one annex row, sealed.
std::string SealedDeclaration(const std::string& formKey = kFormKey)
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE>  <VERSION>2.0</VERSION> " + formKey +
                      " <NIT>12345679</NIT>  <PERIODO_DESDE>20120301</PERIODO_DESDE> "
                      " <PERIODO_HASTA>20120331</PERIODO_HASTA>  <NOMBRE><![CDATA[Tabacalera Peña & Hijos]]></NOMBRE> "
                      " <CASILLAS>  <CASILLA ID=\"6\">46</CASILLA>  <CASILLA ID=\"7\"><![CDATA[RUBIOS KS]]></CASILLA> "
                      " <CASILLA ID=\"8\">25.0000</CASILLA>  <CASILLA ID=\"9\">18.75</CASILLA> "
                      " <CASILLA ID=\"10\">100.0000</CASILLA>  <CASILLA ID=\"11\"></CASILLA> "
                      " <CASILLA ID=\"12\"></CASILLA> ";
    for (int box = 2007; box <= 2029; ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">" + (box == 2010 ? "1875.00" : "0") + "</CASILLA> ";
    return SealDeclaration(xml + "<CASILLA ID=\"FECPRE\">05/12/2026</CASILLA> </CASILLAS>  </FORMULARIO> ").value();
}

bool WritesMarker(const CNodeList&, CPageText& page)
{
    page.Append("<html>page</html>");
    return true;
}

class ReopenTest : public testing::Test {
protected:
    // A file in this test's own directory holding `content`; its path.
    std::string WriteFile(const std::string& content)
    {
        const auto path = directory_.path() / ("DRN-" + std::to_string(++files_));
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    CPageText page;

private:
    TemporaryDirectory directory_;
    int files_ = 0;
};

TEST_F(ReopenTest, CancelShowsNothing)
{
    RecordingUi ui(std::nullopt);
    EXPECT_FALSE(Reopen(ReopenMode::Consult, WritesMarker, ui, page));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(ui.pages.empty());
}

TEST_F(ReopenTest, ConsultShowsTheSavedValuesAndTracesTheRecords)
{
    RecordingUi ui(WriteFile(SealedDeclaration()));
    std::ostringstream trace;
    EXPECT_TRUE(Reopen(ReopenMode::Consult, BuildConsultPage, ui, page, &trace));
    EXPECT_TRUE(ui.shown.empty());
    ASSERT_EQ(ui.pages.size(), 1u);
    for (const char* value : {"<strong>14302257</strong>", "&nbsp;12345679</strong>", "<strong> RUBIOS KS</strong>",
                              "&nbsp;Tabacalera Peña &amp; Hijos</strong>", "&nbsp;1875.00</font>"})
        EXPECT_NE(ui.pages[0].find(value), std::string::npos) << value;
    EXPECT_NE(trace.str().find("name: CODIGO_FORMULARIO\nvalue: 731\n"), std::string::npos);
}

TEST_F(ReopenTest, OpensLineFeedsOnlyAndAnyKeyThatJoinsTo7316)
{
    std::string lineFeeds = SealedDeclaration();
    ASSERT_NE(lineFeeds.find("\r\n"), std::string::npos);
    std::erase(lineFeeds, '\r');
    const std::string splitKey = " <CODIGO_FORMULARIO>73</CODIGO_FORMULARIO>  <NUMERO_VERSION>16</NUMERO_VERSION> ";
    for (const auto& [file, mode] :
         {std::pair{lineFeeds, ReopenMode::Consult}, {SealedDeclaration(splitKey), ReopenMode::Modify}}) {
        RecordingUi ui(WriteFile(file));
        CPageText fresh;
        EXPECT_TRUE(Reopen(mode, WritesMarker, ui, fresh));
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_EQ(ui.pages, std::vector<std::string>{"<html>page</html>"});
    }
}

TEST_F(ReopenTest, RefusalsShowTheModesMessageAndNoPage)
{
    const std::string notSealed[] = {
        "warning: El archivo que se intenta abrir es invalido, no pertenece a una declaración",
        "warning: El archivo que intenta modificar es invalido, no pertenece a una declaración"};
    const std::string otherForm =
        "Formulario7489: Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.";
    std::string damaged = SealedDeclaration();
    damaged[20] = damaged[20] == 'A' ? 'B' : 'A';
    const struct {
        const char* title;
        std::string path;
        std::string messages[2]; // Consult, Modify
        PageBuilder build = WritesMarker;
    } cases[] = {
        {"damaged", WriteFile(damaged), {notSealed[0], notSealed[1]}},
        {"HTML copy", WriteFile("<html><body>copia</body></html>\r\n"), {notSealed[0], notSealed[1]}},
        {"empty", WriteFile(""), {notSealed[0], notSealed[1]}},
        {"missing", WriteFile("") + "-not-there", {notSealed[0], notSealed[1]}},
        {"directory", std::filesystem::path(WriteFile("")).parent_path().string(), {notSealed[0], notSealed[1]}},
        {"another form",
         WriteFile(SealedDeclaration(" <CODIGO_FORMULARIO>748</CODIGO_FORMULARIO>  <NUMERO_VERSION>9</NUMERO_VERSION> ")),
         {otherForm, otherForm}},
        {"later form code wins",
         WriteFile(SealedDeclaration(" <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> "
                                     " <CODIGO_FORMULARIO>748</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION> ")),
         {otherForm, otherForm}},
        {"no form code", WriteFile(SealedDeclaration(" <NUMERO_VERSION>6</NUMERO_VERSION> ")),
         {"warning: El archivo a abrir es invalido, no pertenece a una declaración.",
          "warning: El archivo que desea modificar es invalido, no pertenece a unda declaración"}},
        {"no version", WriteFile(SealedDeclaration(" <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> ")),
         {"warning: El archivo a abrir es invalido, no pertenece a una declaración",
          "warning: El archivo que desea modificar es invalido, no pertenece a una declaración"}},
        {"builder refuses", WriteFile(SealedDeclaration()),
         {"warning: El archivo a abrir no pertenece a una declaración DRN-7316, verifique.",
          "warning: El archivo a modificar no pertenece a una declaración DRN-7316, verifique"},
         [](const CNodeList&, CPageText&) { return false; }},
    };
    for (const auto& refusal : cases) {
        for (const ReopenMode mode : {ReopenMode::Consult, ReopenMode::Modify}) {
            SCOPED_TRACE(std::string(refusal.title) + (mode == ReopenMode::Consult ? " / Consult" : " / Modify"));
            RecordingUi ui(refusal.path);
            EXPECT_FALSE(Reopen(mode, refusal.build, ui, page));
            EXPECT_TRUE(ui.pages.empty());
            EXPECT_EQ(ui.shown, std::vector<std::string>{refusal.messages[mode == ReopenMode::Modify]});
        }
    }
}

} // namespace
