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
class RecordingUi : public HostUi {
public:
    explicit RecordingUi(std::optional<std::string> chosen) : chosen_(std::move(chosen)) {}

    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return chosen_; }
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        shown.push_back(caption + ": " + text);
    }
    void ShowWarning(const std::string& text) override { shown.push_back("warning: " + text); }
    void ShowPage(const std::string& html) override { pages.push_back(html); }

    std::vector<std::string> shown;
    std::vector<std::string> pages;

private:
    std::optional<std::string> chosen_;
};

// A declaration XML as the form writes it, with one annex row.
std::string DeclarationXml(const std::string& formHeader = " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> "
                                                           " <NUMERO_VERSION>6</NUMERO_VERSION> ")
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE> "
                      " <REALSOURCE>TRAMIXLIGHT</REALSOURCE> <VERSION>2.0</VERSION> "
        + formHeader
        + " <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT>  <PERIODO_DESDE>20120301</PERIODO_DESDE> "
          " <PERIODO_HASTA>20120331</PERIODO_HASTA>  <ANEXOS>0</ANEXOS> "
          " <NOMBRE><![CDATA[Tabacalera Peña & Hijos]]></NOMBRE>  <DIRECCION></DIRECCION> "
          " <CONTADOR>0</CONTADOR>  <CASILLAS>  <CASILLA ID=\"6\">46</CASILLA> "
          " <CASILLA ID=\"7\"><![CDATA[RUBIOS KS]]></CASILLA>  <CASILLA ID=\"8\">25.0000</CASILLA> "
          " <CASILLA ID=\"9\">18.75</CASILLA>  <CASILLA ID=\"10\">100.0000</CASILLA> "
          " <CASILLA ID=\"11\"></CASILLA>  <CASILLA ID=\"12\"></CASILLA> ";
    for (int box = 2007; box <= 2029; ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">" + (box == 2010 ? "1875.00" : "0") + "</CASILLA> ";
    return xml + "<CASILLA ID=\"FECPRE\">05/12/2026</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA>"
                 " </CASILLAS>  <MONTO>0</MONTO>  </FORMULARIO> ";
}

std::string Sealed(const std::string& xml)
{
    return SealDeclaration(xml).value();
}

class ReopenTest : public testing::Test {
public:
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

bool WritesMarker(const CNodeList&, CPageText& page)
{
    page.Append("<html>page</html>");
    return true;
}

TEST_F(ReopenTest, CancelShowsNothing)
{
    RecordingUi ui(std::nullopt);
    EXPECT_FALSE(Reopen(ReopenMode::Consult, WritesMarker, ui, page));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(ui.pages.empty());
}

TEST_F(ReopenTest, ConsultShowsTheSavedValues)
{
    RecordingUi ui(WriteFile(Sealed(DeclarationXml())));
    EXPECT_TRUE(Reopen(ReopenMode::Consult, BuildConsultPage, ui, page));
    EXPECT_TRUE(ui.shown.empty());
    ASSERT_EQ(ui.pages.size(), 1u);
    const std::string& page = ui.pages[0];
    EXPECT_NE(page.find("<strong>14302257</strong>"), std::string::npos);
    EXPECT_NE(page.find("&nbsp;12345679</strong>"), std::string::npos);
    EXPECT_NE(page.find("&nbsp;Tabacalera Peña &amp; Hijos</strong>"), std::string::npos);
    EXPECT_NE(page.find("<strong> RUBIOS KS</strong>"), std::string::npos);
    EXPECT_NE(page.find("&nbsp;1875.00</font>"), std::string::npos);
}

TEST_F(ReopenTest, OpensAFileWithLineFeedsOnly)
{
    std::string sealed = Sealed(DeclarationXml());
    ASSERT_NE(sealed.find("\r\n"), std::string::npos);
    std::string lineFeeds;
    for (char ch : sealed)
        if (ch != '\r')
            lineFeeds += ch;
    RecordingUi ui(WriteFile(lineFeeds));
    EXPECT_TRUE(Reopen(ReopenMode::Consult, WritesMarker, ui, page));
    EXPECT_EQ(ui.pages, std::vector<std::string>{"<html>page</html>"});
}

TEST_F(ReopenTest, TheTraceGoesToTheGivenStream)
{
    RecordingUi ui(WriteFile(Sealed(DeclarationXml())));
    std::ostringstream trace;
    Reopen(ReopenMode::Consult, WritesMarker, ui, page, &trace);
    EXPECT_NE(trace.str().find("name: CODIGO_FORMULARIO\nvalue: 731\n"), std::string::npos);
}

// Each refusal, with the message of either mode.
struct RefusalCase {
    const char* title;
    std::function<std::string(ReopenTest&)> file; // the chosen path
    PageBuilder build;
    std::string consultMessage;
    std::string modifyMessage;
};

const std::string kNotSealedConsult =
    "warning: El archivo que se intenta abrir es invalido, no pertenece a una declaración";
const std::string kNotSealedModify =
    "warning: El archivo que intenta modificar es invalido, no pertenece a una declaración";
const std::string kOtherForm =
    "Formulario7489: Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.";

class Refusals : public ReopenTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, ShowTheModesMessageAndNoPage)
{
    for (const ReopenMode mode : {ReopenMode::Consult, ReopenMode::Modify}) {
        RecordingUi ui(GetParam().file(*this));
        EXPECT_FALSE(Reopen(mode, GetParam().build, ui, page));
        EXPECT_TRUE(ui.pages.empty());
        EXPECT_EQ(ui.shown, std::vector<std::string>{mode == ReopenMode::Consult ? GetParam().consultMessage
                                                                                  : GetParam().modifyMessage});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reopen, Refusals,
    testing::Values(
        RefusalCase{"DamagedFile",
                    [](ReopenTest& test) {
                        std::string sealed = Sealed(DeclarationXml());
                        sealed[20] = sealed[20] == 'A' ? 'B' : 'A';
                        return test.WriteFile(sealed);
                    },
                    WritesMarker, kNotSealedConsult, kNotSealedModify},
        RefusalCase{"HtmlCopy",
                    [](ReopenTest& test) { return test.WriteFile("<html><body>copia</body></html>\r\n"); },
                    WritesMarker, kNotSealedConsult, kNotSealedModify},
        RefusalCase{"EmptyFile", [](ReopenTest& test) { return test.WriteFile(""); }, WritesMarker,
                    kNotSealedConsult, kNotSealedModify},
        RefusalCase{"MissingFile",
                    [](ReopenTest& test) { return test.WriteFile("") + "-not-there"; }, WritesMarker,
                    kNotSealedConsult, kNotSealedModify},
        RefusalCase{"Directory",
                    [](ReopenTest& test) {
                        return std::filesystem::path(test.WriteFile("")).parent_path().string();
                    },
                    WritesMarker, kNotSealedConsult, kNotSealedModify},
        RefusalCase{"AnotherForm",
                    [](ReopenTest& test) {
                        return test.WriteFile(Sealed(DeclarationXml(
                            " <CODIGO_FORMULARIO>748</CODIGO_FORMULARIO>  <NUMERO_VERSION>9</NUMERO_VERSION> ")));
                    },
                    WritesMarker, kOtherForm, kOtherForm},
        RefusalCase{"LaterFormCodeWins",
                    [](ReopenTest& test) {
                        return test.WriteFile(Sealed(DeclarationXml(
                            " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <CODIGO_FORMULARIO>748</CODIGO_FORMULARIO> "
                            " <NUMERO_VERSION>6</NUMERO_VERSION> ")));
                    },
                    WritesMarker, kOtherForm, kOtherForm},
        RefusalCase{"NoFormCode",
                    [](ReopenTest& test) {
                        return test.WriteFile(Sealed(DeclarationXml(" <NUMERO_VERSION>6</NUMERO_VERSION> ")));
                    },
                    WritesMarker, "warning: El archivo a abrir es invalido, no pertenece a una declaración.",
                    "warning: El archivo que desea modificar es invalido, no pertenece a unda declaración"},
        RefusalCase{"NoVersion",
                    [](ReopenTest& test) {
                        return test.WriteFile(
                            Sealed(DeclarationXml(" <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> ")));
                    },
                    WritesMarker, "warning: El archivo a abrir es invalido, no pertenece a una declaración",
                    "warning: El archivo que desea modificar es invalido, no pertenece a una declaración"},
        RefusalCase{"BuilderRefuses",
                    [](ReopenTest& test) { return test.WriteFile(Sealed(DeclarationXml())); },
                    [](const CNodeList&, CPageText&) { return false; },
                    "warning: El archivo a abrir no pertenece a una declaración DRN-7316, verifique.",
                    "warning: El archivo a modificar no pertenece a una declaración DRN-7316, verifique"}),
    [](const auto& info) { return info.param.title; });

TEST_F(ReopenTest, OnlyTheJoinedFormKeyIsCompared)
{
    RecordingUi ui(WriteFile(Sealed(DeclarationXml(
        " <CODIGO_FORMULARIO>73</CODIGO_FORMULARIO>  <NUMERO_VERSION>16</NUMERO_VERSION> "))));
    EXPECT_TRUE(Reopen(ReopenMode::Modify, WritesMarker, ui, page));
    EXPECT_TRUE(ui.shown.empty());
}

} // namespace
