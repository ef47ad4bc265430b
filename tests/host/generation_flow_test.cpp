#include "host/generation_flow.h"

#include "declfile/seal_codec.h"
#include "host/fake_host_ui.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string kXml = " <FORMULARIO NUMERO=\"14302257\">  <NOMBRE><![CDATA[Peña & Cía]]></NOMBRE> </FORMULARIO> ";
const std::string kNumber = "123456797316120314302257";
const std::string kNit = "12345679";
const std::string kMarkup = "<TABLE><TR><TD>Peña</TD></TR></TABLE>";

// The copy's head, piece by piece.
const std::string kCopyHead =
    std::string("<html>\n") +
    "<STYLE> TD.fondo{BACKGROUND-COLOR: #a3c9ff} P{FONT-FAMILY: Verdana;FONT-SIZE: 10px;TEXT-ALIGN: center}" +
    " TD.izq{ TEXT-ALIGN: left} TD.der{ TEXT-ALIGN: right} TD.fondoder{ BACKGROUND-COLOR: #a3c9ff;TEXT-ALIGN: right} " +
    " P.izq{ FONT-FAMILY: Verdana; FONT-SIZE: 10px; TEXT-ALIGN: left } TD.particular{ FONT-FAMILY: Verdana } " +
    " TD{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 8pt; TEXT-ALIGN: center }" +
    " TABLE{ FONT-FAMILY: Verdana; WIDTH: 100% } INPUT.lectura{ BACKGROUND-COLOR: #ffffdc; TEXT-ALIGN: right}" +
    " INPUT.resaltado{BACKGROUND-COLOR: #ffffdc; FONT-FAMILY: Verdana; FONT-SIZE: 13pt; TEXT-ALIGN: right} INPUT.der{ TEXT-ALIGN: right} " +
    " BODY { FONT-FAMILY: Verdana} TD.fondoizq{ BACKGROUND-COLOR: #a3c9ff; TEXT-ALIGN: left }" +
    " DIV { FONT-FAMILY: Verdana; FONT-SIZE: 8pt} </STYLE>" + "<head>\n" +
    "<title>Zorovirira DRN-No. 7316</title>\n" + "</head>\n" + "<body>\n";

const char* const kCaptionDeclaration = "Zorovirira DRN-7316";
const char* const kCaptionCopy = "Zorovirira 7316";

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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
    fs::path DataFileUnder(const std::string& directory) const
    {
        return fs::path(directory) / kNit / "7316" / ("DRN-" + kNumber);
    }
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

TEST_F(GenerationFlowTest, TheDefaultDirectoryIsFollowedDirectlyByTheNit)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate();
    ASSERT_EQ(ui.directoryOffers, std::vector<std::string>{place.defaultDirectory});
    const std::string path = root.str() + "/" + kNit + "/7316/DRN-" + kNumber;
    EXPECT_EQ(Unsealed(path), kXml);
    EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
    EXPECT_EQ(OnlyMessage().text,
              "Sr. Contribuyente:\nDel formulario que Ud. acaba de llenar, ha sido generado el archivo con los "
              "datos a presentar en su declaracion y este ha sido guardado con el siguiente nombre " +
                  path +
                  ". Ahora Ud. puede presentarlo a través de Internet, o bien llevarlo en un diskette a una "
                  "ventanilla o kiosko de autoservicio de su banco más cercano. Ahora puede salirse del "
                  "formulario, crear uno nuevo o bien imprimir el actual, estas opciones se encuentra en el "
                  "menu \"Archivo\" o bien en el toolbar.");
    EXPECT_EQ(flow.RutaArchivo(), path);
}

TEST_F(GenerationFlowTest, AnyOtherDirectoryGetsASeparatorEvenWhenItEndsWithOne)
{
    fs::create_directory(root.path() / "Out");
    for (const auto& chosen : {root.str() + "/Out", root.str() + "/Out/"}) {
        SCOPED_TRACE(chosen);
        ui.messages.clear();
        ui.directoryAnswer = chosen;
        Generate();
        const std::string path = chosen + "/" + kNit + "/7316/DRN-" + kNumber;
        EXPECT_EQ(Unsealed(path), kXml);
        EXPECT_NE(OnlyMessage().text.find(" nombre " + path + ". Ahora"), std::string::npos);
    }
}

TEST_F(GenerationFlowTest, ADefaultThatDiffersOnlyInLetterCaseIsAChosenDirectory)
{
    TemporaryDirectory other;
    fs::create_directory(other.path() / "out");
    fs::create_directory(other.path() / "OUT");
    OutputPlace lower{other.str() + "/out/", "/"};
    CGenerationFlow caseFlow(ui, lower);
    ui.directoryAnswer = other.str() + "/OUT/";
    caseFlow.GeneraArchivo(kXml, kNumber, kMarkup, kNit);
    EXPECT_EQ(caseFlow.RutaArchivo(), other.str() + "/OUT//" + kNit + "/7316/DRN-" + kNumber);
    EXPECT_TRUE(fs::is_empty(other.path() / "out"));
}

TEST_F(GenerationFlowTest, AnExistingTaxpayerDirectoryGetsOnlyItsFormDirectory)
{
    fs::create_directory(root.path() / kNit);
    fs::create_directory(root.path() / kNit / "otra");
    ui.directoryAnswer = place.defaultDirectory;
    Generate();
    EXPECT_EQ(Unsealed(DataFileUnder(root.str())), kXml);
    EXPECT_TRUE(fs::exists(root.path() / kNit / "otra"));
}

TEST_F(GenerationFlowTest, AMissingOrEmptyDirectoryIsReportedAndNothingIsWritten)
{
    for (const auto& chosen : {root.str() + "/missing", std::string()}) {
        SCOPED_TRACE(chosen);
        ui.messages.clear();
        ui.directoryAnswer = chosen;
        Generate();
        EXPECT_EQ(OnlyMessage().text,
                  "Error:\nEl Directorio Especificado no existe, \nCorrija ingresando un directorio existente");
        EXPECT_EQ(OnlyMessage().caption, "Formulario7316");
        EXPECT_EQ(EntriesUnder(root.path()), 0u);
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
    EXPECT_EQ(Unsealed(DataFileUnder(root.str())), kXml);
    EXPECT_EQ(EntriesUnder(root.path()), 3u);  // NIT, 7316 and the file: no temporary left
}

TEST_F(GenerationFlowTest, AFailedSealingIsReportedAndNothingIsMade)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate("");
    EXPECT_EQ(OnlyMessage().text, "Error:\nNo pudo generarse el archivo de la declaración.");
    EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
    EXPECT_EQ(EntriesUnder(root.path()), 0u);
}

TEST_F(GenerationFlowTest, AFileThatCannotBeCreatedIsReported)
{
    std::ofstream(root.path() / "plain") << "a file, not a directory";
    ui.directoryAnswer = root.str() + "/plain";
    Generate();
    EXPECT_EQ(OnlyMessage().text, "Error:\nNo pudo crearse el archivo de la declaración.");
    EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
    EXPECT_TRUE(flow.RutaArchivo().empty());
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

TEST_F(GenerationFlowTest, UnusableNitsAreRefusedBeforeAnythingIsAsked)
{
    for (const std::string nit : {"", ".", "..", "12/34", "12\\34", "a:b", "a*", "a?", "a\"b", "<a", "a>",
                                  "a|b", "a\tb", "a\x7f"}) {
        SCOPED_TRACE(nit);
        ui.messages.clear();
        Generate(kXml, kNumber, nit);
        EXPECT_EQ(OnlyMessage().text,
                  "Error:\nEl NIT contiene caracteres que no pueden usarse en el nombre de un directorio.");
        EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
    }
    EXPECT_TRUE(ui.directoryOffers.empty());
    EXPECT_EQ(EntriesUnder(root.path()), 0u);
}

TEST_F(GenerationFlowTest, ADeclarationNumberThatIsNoFileNameIsRefused)
{
    Generate(kXml, "../../etc/x");
    EXPECT_EQ(OnlyMessage().text,
              "Error:\nEl número de declaración contiene caracteres que no pueden usarse en el nombre de un "
              "archivo.");
    EXPECT_TRUE(ui.directoryOffers.empty());
}

TEST_F(GenerationFlowTest, CharactersWindows1252CannotWriteAreNamedAndNothingIsWritten)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate("<NOMBRE>A → B ≤ C → € ñ</NOMBRE>");
    EXPECT_EQ(OnlyMessage().text, "Error:\nLa declaración contiene caracteres que no pueden guardarse: → ≤");
    EXPECT_EQ(OnlyMessage().caption, kCaptionDeclaration);
    EXPECT_TRUE(ui.directoryOffers.empty());
    EXPECT_EQ(EntriesUnder(root.path()), 0u);
}

TEST_F(GenerationFlowTest, SaveBeforeAnyGenerationIsRefused)
{
    flow.OnFileSave();
    EXPECT_EQ(OnlyMessage().text,
              "Error:\n No puede salvarse la información, antes debe de generarse presionando \n el boton "
              "Generar del Zorovirira");
    EXPECT_EQ(OnlyMessage().caption, kCaptionCopy);
    EXPECT_EQ(EntriesUnder(root.path()), 0u);
}

TEST_F(GenerationFlowTest, SaveWritesTheHeadTheMarkupInWindows1252AndTheTail)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate();
    ui.messages.clear();
    flow.OnFileSave();
    flow.OnFileSave();  // again, as after New: the same copy from the same markup

    const std::string path = DataFileUnder(root.str()).string() + ".htm";
    const std::string copy = ReadFile(path);
    ASSERT_EQ(copy.size(), 852 + kMarkup.size() - 1 + 16);  // ñ is one byte
    EXPECT_EQ(copy.substr(0, 852), kCopyHead);
    EXPECT_EQ(copy.substr(852), "<TABLE><TR><TD>Pe\xF1" "a</TD></TR></TABLE></body>\n</html>\n");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages.back().caption, kCaptionCopy);
    EXPECT_EQ(ui.messages.back().text,
              "Sr. Contribuyente:\nSe ha guardado una copia de la informacion que proporciono en el formulario "
              "que Ud. acaba de llenar, \nha sido guardado en formato htm, con el nombre " +
                  path +
                  " puede visualizarlo por medio de un browser. Ahora puede salir del formulario por medio del "
                  "menu \"Archivo\" la opcion \"Salir\".");
}

TEST_F(GenerationFlowTest, ACopyThatCannotBeWrittenIsReported)
{
    ui.directoryAnswer = place.defaultDirectory;
    Generate();
    fs::create_directory(DataFileUnder(root.str()).string() + ".htm");
    ui.messages.clear();
    flow.OnFileSave();
    EXPECT_EQ(OnlyMessage().text, "Error:\nNo pudo guardarse la copia en formato htm.");
    EXPECT_EQ(OnlyMessage().caption, kCaptionCopy);
}

TEST_F(GenerationFlowTest, MarkupWindows1252CannotWriteIsNamedAtSave)
{
    ui.directoryAnswer = place.defaultDirectory;
    flow.GeneraArchivo(kXml, kNumber, "<P>✓</P>", kNit);
    ui.messages.clear();
    flow.OnFileSave();
    EXPECT_EQ(OnlyMessage().text, "Error:\nLa declaración contiene caracteres que no pueden guardarse: ✓");
    EXPECT_EQ(OnlyMessage().caption, kCaptionCopy);
    EXPECT_FALSE(fs::exists(DataFileUnder(root.str()).string() + ".htm"));
}
