#include "host/generation_flow.h"

#include "declfile/seal_codec.h"
#include "host/declaration_files.h"
#include "host/fake_host_ui.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string kXml = " <FORMULARIO NUMERO=\"14302257\">  <NOMBRE><![CDATA[Peña & Cía]]></NOMBRE> </FORMULARIO> ";
const std::string kMarkup = "<TABLE><TR><TD>Peña</TD></TR></TABLE>";

// The copy's head.
const std::string kCopyHead =
    "<html>\n<STYLE> TD.fondo{BACKGROUND-COLOR: #a3c9ff} P{FONT-FAMILY: Verdana;FONT-SIZE: 10px;TEXT-ALIGN: center}"
    " TD.izq{ TEXT-ALIGN: left} TD.der{ TEXT-ALIGN: right} TD.fondoder{ BACKGROUND-COLOR: #a3c9ff;TEXT-ALIGN: right} "
    " P.izq{ FONT-FAMILY: Verdana; FONT-SIZE: 10px; TEXT-ALIGN: left } TD.particular{ FONT-FAMILY: Verdana } "
    " TD{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 8pt; TEXT-ALIGN: center }"
    " TABLE{ FONT-FAMILY: Verdana; WIDTH: 100% } INPUT.lectura{ BACKGROUND-COLOR: #ffffdc; TEXT-ALIGN: right}"
    " INPUT.resaltado{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 13pt; TEXT-ALIGN: right} INPUT.der{ TEXT-ALIGN: right} "
    " BODY { FONT-FAMILY: Verdana} TD.fondoizq{ BACKGROUND-COLOR: #a3c9ff; TEXT-ALIGN: left }"
    " DIV { FONT-FAMILY: Verdana; FONT-SIZE: 8pt} </STYLE><head>\n<title>Zorovirira DRN-No. 7316</title>\n</head>\n<body>\n";

const char* const kCaptionDeclaration = "Zorovirira DRN-7316";
const char* const kCaptionCopy = "Zorovirira 7316";

std::string GeneratedMessage(const std::string& path)
{
    return "Sr. Contribuyente:\nDel formulario que Ud. acaba de llenar, ha sido generado el archivo con los datos a "
           "presentar en su declaracion y este ha sido guardado con el siguiente nombre " + path +
           ". Ahora Ud. puede presentarlo a través de Internet, o bien llevarlo en un diskette a una ventanilla o "
           "kiosko de autoservicio de su banco más cercano. Ahora puede salirse del formulario, crear uno nuevo o bien "
           "imprimir el actual, estas opciones se encuentra en el menu \"Archivo\" o bien en el toolbar.";
}

std::string Unsealed(const fs::path& path)
{
    std::string xml;
    EXPECT_EQ(CSealCodec().Unseal(ReadFile(path), xml), kUnsealOk);
    return xml;
}

std::size_t EntriesUnder(const fs::path& directory)
{
    return static_cast<std::size_t>(std::distance(fs::recursive_directory_iterator(directory),
                                                  fs::recursive_directory_iterator()));
}

class GenerationFlowTest : public testing::Test {
protected:
    GenerationFlowTest() : place{root.str() + "/", "/"}, flow(ui, place) {}

    void Generate(const std::string& xml = kXml, const std::string& number = kNumber,
                  const std::string& nit = kNit)
    {
        flow.GeneraArchivo(xml, number, kMarkup, nit);
    }
    std::string DataFile() const { return root.str() + "/" + kNit + "/7316/DRN-" + kNumber; }
    const FakeHostUi::Message& OnlyMessage() const
    {
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.back();
    }

    TemporaryDirectory root;
    OutputPlace place;
    FakeHostUi ui;
    CGenerationFlow flow;
};

} // namespace

// The default's taxpayer directory is there already, holding something else.
TEST_F(GenerationFlowTest, TheDefaultDirectoryIsFollowedByTheNitAnyOtherBySeparator)
{
    fs::create_directory(root.path() / "Out");
    fs::create_directories(root.path() / kNit / "otra");
    for (const auto& [chosen, directory] : {std::pair{place.defaultDirectory, root.str() + "/"},
                                            std::pair{root.str() + "/Out", root.str() + "/Out/"},
                                            std::pair{root.str() + "/Out/", root.str() + "/Out//"}}) {
        SCOPED_TRACE(chosen);
        ui.messages.clear();
        ui.directoryOffers.clear();
        ui.directoryAnswer = chosen;
        Generate();
        EXPECT_EQ(ui.directoryOffers, std::vector<std::string>{place.defaultDirectory});
        const std::string path = directory + kNit + "/7316/DRN-" + kNumber;
        EXPECT_EQ(Unsealed(path), kXml);
        EXPECT_EQ(OnlyMessage().text, GeneratedMessage(path));
        EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
        EXPECT_EQ(flow.RutaArchivo(), path);
    }
    EXPECT_TRUE(fs::exists(root.path() / kNit / "otra"));
}

TEST_F(GenerationFlowTest, ADefaultThatDiffersOnlyInLetterCaseIsAChosenDirectory)
{
    fs::create_directory(root.path() / "out");
    fs::create_directory(root.path() / "OUT");
    CGenerationFlow caseFlow(ui, {root.str() + "/out/", "/"});
    ui.directoryAnswer = root.str() + "/OUT/";
    caseFlow.GeneraArchivo(kXml, kNumber, kMarkup, kNit);
    EXPECT_EQ(caseFlow.RutaArchivo(), root.str() + "/OUT//" + kNit + "/7316/DRN-" + kNumber);
    EXPECT_TRUE(fs::is_empty(root.path() / "out"));
}

TEST_F(GenerationFlowTest, RefusalsAreReportedAndNothingIsWritten)
{
    const std::string kBadNit =
        "Error:\nEl NIT contiene caracteres que no pueden usarse en el nombre de un directorio.";
    const std::string kNoDirectory =
        "Error:\nEl Directorio Especificado no existe, \nCorrija ingresando un directorio existente";
    struct Refusal {
        std::string xml, number, nit, chosen;  // chosen: under the root
        bool asked;                              // whether the directory dialog came up
        std::string text, caption;
    };
    std::vector<Refusal> cases = {
        {kXml, kNumber, kNit, "/missing", true, kNoDirectory, "Formulario7316"},
        {kXml, kNumber, kNit, "", true, kNoDirectory, "Formulario7316"},
        {"", kNumber, kNit, "/", true, "Error:\nNo pudo generarse el archivo de la declaración.", kCaptionDeclaration},
        {kXml, kNumber, kNit, "/plain", true, "Error:\nNo pudo crearse el archivo de la declaración.",
         kCaptionDeclaration},
        {kXml, "../../etc/x", kNit, "/", false,
         "Error:\nEl número de declaración contiene caracteres que no pueden usarse en el nombre de un archivo.",
         kCaptionDeclaration},
        {"<NOMBRE>A → B ≤ C → € ñ</NOMBRE>", kNumber, kNit, "/", false,
         "Error:\nLa declaración contiene caracteres que no pueden guardarse: → ≤", kCaptionDeclaration},
    };
    for (const std::string nit : {"", ".", "..", "12/34", "12\\34", "a:b", "a*", "a?", "a\"b", "<a", "a>", "a|b",
                                  "a\tb", "a\x7f"})
        cases.push_back({kXml, kNumber, nit, "/", false, kBadNit, kCaptionDeclaration});
    std::ofstream(root.path() / "plain") << "a file, not a directory";
    for (const auto& test : cases) {
        SCOPED_TRACE(test.nit + " " + test.chosen + " " + test.text);
        ui.messages.clear();
        ui.directoryOffers.clear();
        ui.directoryAnswer = test.chosen.empty() ? test.chosen : root.str() + test.chosen;
        Generate(test.xml, test.number, test.nit);
        EXPECT_EQ(OnlyMessage().text, test.text);
        EXPECT_EQ(OnlyMessage().caption, test.caption);
        EXPECT_EQ(ui.directoryOffers.size(), test.asked ? 1u : 0u);
        EXPECT_EQ(EntriesUnder(root.path()), 1u);  // the plain file only
        EXPECT_TRUE(flow.RutaArchivo().empty());
    }
}

TEST_F(GenerationFlowTest, CancellingTheDialogShowsAndWritesNothing)
{
    ui.directoryAnswer.reset();
    Generate();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(EntriesUnder(root.path()), 0u);
}

TEST_F(GenerationFlowTest, AnEarlierFileOfTheSameNameIsReplacedWhole)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate(kXml + std::string(5000, ' '));
    Generate();
    EXPECT_EQ(Unsealed(DataFile()), kXml);
    EXPECT_EQ(EntriesUnder(root.path()), 3u);  // NIT, 7316 and the file: no temporary left
}

TEST(GenerationFlow, AFailedWriteIsReportedAndKeepsTheEarlierFileAndCopy)
{
    TemporaryDirectory root;
    FakeHostUi ui;
    bool failing = false;
    auto writer = [&](const std::string& path, std::string_view bytes) {
        return failing ? WriteResult::kNotWritten : WriteFileWhole(path, bytes);
    };
    CGenerationFlow flow(ui, {root.str() + "/", "/"}, writer);
    ui.directoryAnswer = root.str() + "/";
    flow.GeneraArchivo(kXml, kNumber, "first markup", kNit);
    const std::string firstPath = flow.RutaArchivo();
    const std::string firstFile = ReadFile(firstPath);

    failing = true;
    flow.GeneraArchivo(kXml, "99999", "second markup", kNit);
    EXPECT_EQ(ui.messages.back().text,
              "Error:\nNo pudo escribirse el archivo con los datos de su declaracion, verifique que tenga "
              "permisos de escritura.");
    EXPECT_EQ(ui.messages.back().caption, kCaptionDeclaration);
    EXPECT_EQ(ReadFile(firstPath), firstFile);

    // Save still writes the first declaration's markup under the first name.
    failing = false;
    flow.OnFileSave();
    EXPECT_EQ(flow.RutaArchivo(), firstPath);
    const std::string copy = ReadFile(firstPath + ".htm");
    EXPECT_NE(copy.find("<body>\nfirst markup</body>"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(firstPath).parent_path() / "DRN-99999.htm"));
}

TEST_F(GenerationFlowTest, SaveWritesTheHeadTheMarkupInWindows1252AndTheTail)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate();
    ui.messages.clear();
    flow.OnFileSave();
    flow.OnFileSave();  // again, as after New: the same copy from the same markup

    const std::string path = DataFile() + ".htm";
    const std::string copy = ReadFile(path);
    EXPECT_EQ(copy, kCopyHead + "<TABLE><TR><TD>Pe\xF1" "a</TD></TR></TABLE></body>\n</html>\n");  // ñ in Windows-1252
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages.back().caption, kCaptionCopy);
    EXPECT_EQ(ui.messages.back().text,
              "Sr. Contribuyente:\nSe ha guardado una copia de la informacion que proporciono en el formulario "
              "que Ud. acaba de llenar, \nha sido guardado en formato htm, con el nombre " +
                  path +
                  " puede visualizarlo por medio de un browser. Ahora puede salir del formulario por medio del "
                  "menu \"Archivo\" la opcion \"Salir\".");
}

// Before any generation, with a directory where the copy goes, and with markup
// Windows-1252 cannot write.
TEST_F(GenerationFlowTest, ASaveThatCannotWriteTheCopyIsReported)
{
    const struct {
        std::optional<std::string> markup;  // generated first, when there is one
        bool blocked;
        std::string text;
    } cases[] = {{std::nullopt, false,
                  "Error:\n No puede salvarse la información, antes debe de generarse presionando \n el boton "
                  "Generar del Zorovirira"},
                 {kMarkup, true, "Error:\nNo pudo guardarse la copia en formato htm."},
                 {"<P>✓</P>", false, "Error:\nLa declaración contiene caracteres que no pueden guardarse: ✓"}};
    ui.directoryAnswer = place.defaultDirectory;
    const std::string copy = DataFile() + ".htm";
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        if (test.markup)
            flow.GeneraArchivo(kXml, kNumber, *test.markup, kNit);
        if (test.blocked)
            fs::create_directory(copy);
        ui.messages.clear();
        flow.OnFileSave();
        EXPECT_EQ(OnlyMessage().text, test.text);
        EXPECT_EQ(OnlyMessage().caption, kCaptionCopy);
        EXPECT_FALSE(fs::is_regular_file(copy));
        fs::remove(copy);
    }
}
