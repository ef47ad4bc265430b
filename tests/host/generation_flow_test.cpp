#include "host/generation_flow.h"

#include "declaration_sample.h"
#include "declfile/seal_codec.h"
#include "host/fake_host_ui.h"
#include "host/file_reader.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <map>

using namespace formulario;

namespace fs = std::filesystem;

namespace {

const CStatus kWritten, kNotCreated(Cause::kNotCreated), kNotWritten(Cause::kNotWritten);

// A name holding "]]>" is written in two character-data sections.
const std::string kXml = SampleDeclaration().With("NOMBRE", "Peña & Cía ]]]]><![CDATA[> <b>").Xml();
const std::string kNumber = "123456797316120314302257", kNit = "12345679";
const std::string kMarkup = "<TABLE><TR><TD>Peña</TD></TR></TABLE>";

// A flow whose writer keeps the files in memory and answers `answer`.
class GenerationFlowTest : public testing::Test {
protected:
    FileWriter Writer()
    {
        return [this](const std::string& path, std::string_view bytes) {
            if (answer == kWritten)
                files[path] = bytes;
            return answer;
        };
    }
    void Generate(const std::string& xml, const std::string& number, const std::string& nit, const std::string& markup)
    {
        ui.directoryOffers.clear();
        static_cast<void>(flow.GeneraArchivo(xml, number, markup, nit));  // what it shows and writes tells
    }

    TemporaryDirectory root;
    FakeHostUi ui;
    CStatus answer = kWritten;
    std::map<std::string, std::string> files;
    CGenerationFlow flow{ui, {root.str() + "/", "/"}, Writer()};
};

} // namespace

// The default directory is followed directly by the NIT, any other one (even
// differing only in letter case) by a separator; levels there are kept.
TEST_F(GenerationFlowTest, WritesTheSealedDeclarationUnderTheChosenDirectory)
{
    fs::create_directories(root.path() / kNit / "otra");
    for (const char* directory : {"Out", "OUT", "out"})
        fs::create_directory(root.path() / directory);
    for (const auto& [standard, chosen, directory] : {std::tuple{"/", "/", "/"}, {"/", "/Out", "/Out/"},
                                                      {"/", "/Out/", "/Out//"}, {"/out/", "/OUT/", "/OUT//"}}) {
        SCOPED_TRACE(chosen);
        CGenerationFlow caseFlow(ui, {root.str() + standard, "/"}, Writer());
        ui.directoryAnswer = root.str() + chosen;
        ui.directoryOffers.clear();
        ASSERT_TRUE(caseFlow.GeneraArchivo(kXml, kNumber, kMarkup, kNit));
        EXPECT_EQ(ui.directoryOffers, std::vector<std::string>{root.str() + standard});
        const std::string path = root.str() + directory + kNit + "/7316/DRN-" + kNumber;
        const CResult<std::string> xml = CSealCodec().Unseal(files[path]);
        EXPECT_TRUE(xml.ok());
        EXPECT_EQ(xml.ok() ? *xml : "", kXml);
        EXPECT_EQ(ui.TakeShown(), "Zorovirira DRN-7316: Sr. Contribuyente:\nDel formulario que Ud. acaba de llenar, "
                                  "ha sido generado el archivo con los datos a presentar en su declaracion y este ha "
                                  "sido guardado con el siguiente nombre " + path + ". Ahora Ud. puede presentarlo a "
                                  "través de Internet, o bien llevarlo en un diskette a una ventanilla o kiosko de "
                                  "autoservicio de su banco más cercano. Ahora puede salirse del formulario, crear uno "
                                  "nuevo o bien imprimir el actual, estas opciones se encuentra en el menu \"Archivo\" "
                                  "o bien en el toolbar.");
        EXPECT_EQ(caseFlow.LastDataFile(), path);
        EXPECT_TRUE(fs::is_directory(fs::path(path).parent_path()));
    }
    EXPECT_TRUE(fs::exists(root.path() / kNit / "otra"));
}

TEST_F(GenerationFlowTest, RefusalsAndFailedWritesAreReportedAndNothingIsKept)
{
    const std::string error = "Zorovirira DRN-7316: Error:\n", noDirectory = "Formulario7316: Error:\nEl Directorio "
                              "Especificado no existe, \nCorrija ingresando un directorio existente";
    const std::string sealFailed = error + "No pudo generarse el archivo de la declaración.";
    struct Refusal {
        std::string xml, number, nit;
        std::optional<std::string> chosen;  // under the root
        std::string shown;
        bool asked = true;  // whether the directory dialog came up
        CStatus answer = kWritten;
    };
    std::vector<Refusal> cases = {
        {kXml, kNumber, kNit, std::nullopt, ""},
        {kXml, kNumber, kNit, "/missing", noDirectory},
        {kXml, kNumber, kNit, "", noDirectory},
        {"", kNumber, kNit, "/", sealFailed},
        {kXml, kNumber, kNit, "/", error + "No pudo crearse el archivo de la declaración.", true,
         kNotCreated},
        {kXml, kNumber, kNit, "/", error + "No pudo escribirse el archivo con los datos de su declaracion, verifique "
                                           "que tenga permisos de escritura.", true, kNotWritten},
        {kXml, "../../etc/x", kNit, "/", error + "El número de declaración contiene caracteres que no pueden usarse en "
                                                 "el nombre de un archivo.", false},
        {"<NOMBRE>A → B ≤ C → € ñ</NOMBRE>", kNumber, kNit, "/",
         error + "La declaración contiene caracteres que no pueden guardarse: → ≤", false},
    };
    // Texts that are not well formed, or hold an element twice or not at all, are not sealed.
    const SampleDeclaration sample;
    for (const std::string& xml : {sample.With("NOMBRE", "A]]></NOMBRE> <NIT>99999999</NIT> <NOMBRE><![CDATA[B").Xml(),
                                   sample.With("NIT", "1<2").Xml(), sample.With("NIT", "1&2").Xml(), sample.With("NIT", "1&;2").Xml(),
                                   sample.With("NIT", "1]]>2").Xml(), sample.With("2029", "0</CASILLA> <CASILLA ID=\"2029\">9").Xml(),
                                   sample.With("2028", "<MONTO>9</MONTO>").Xml(), sample.Without("MONTO").Xml(),
                                   sample.Without("2010").Xml(), sample.Without("FORMULARIO").Xml(),
                                   kXml.substr(0, kXml.size() - 4), kXml + "<X/>", "<!-- x -->" + kXml,
                                   // values the reopening would refuse
                                   sample.With("NIT", "12345678901234").Xml(), sample.With("NOMBRE", std::string(81, 'n')).Xml(),
                                   sample.With("2010", "1\x01").Xml(), sample.With("NIT", "1&#9;2").Xml(),
                                   sample.With("NOMBRE", "a\tb").Xml()})
        cases.push_back({xml, kNumber, kNit, "/", sealFailed});
    for (const std::string nit : {"", ".", "..", "12/34", "12\\34", "a:b", "a*", "a?", "a\"b", "<a", "a>", "a|b",
                                  "a\tb", "a\x7f", "CON", "nul.txt", "Com1", "LPT9.x", "a.", "a "})
        cases.push_back({kXml, kNumber, nit, "/", error + "El NIT contiene caracteres que no pueden usarse en el "
                                                          "nombre de un directorio.", false});
    for (const auto& test : cases) {
        SCOPED_TRACE(test.nit + " " + test.chosen.value_or("cancelled") + " " + test.shown);
        ui.directoryAnswer = !test.chosen || test.chosen->empty() ? test.chosen : root.str() + *test.chosen;
        answer = test.answer;
        Generate(test.xml, test.number, test.nit, kMarkup);
        EXPECT_EQ(ui.TakeShown(), test.shown);
        EXPECT_EQ(ui.directoryOffers.size(), test.asked ? 1u : 0u);
        EXPECT_TRUE(files.empty());
        EXPECT_TRUE(flow.LastDataFile().empty());
        EXPECT_EQ(fs::is_empty(root.path()), test.answer == kWritten);
        fs::remove_all(root.path() / kNit);
    }
}

// Save writes the copy of the last declaration generated, even when a later
// one failed, in Windows-1252; again after New, the same copy.
TEST_F(GenerationFlowTest, SaveWritesTheCopyOfTheLastDeclarationGeneratedOrSaysWhyNot)
{
    const std::string path = root.str() + "/" + kNit + "/7316/DRN-" + kNumber + ".htm";
    const std::string error = "Zorovirira 7316: Error:\n";
    const std::string golden = ReadWholeFile(Utf8Text(fs::path(CORE_TEST_DATA) / "host/html_copy_golden.htm")).value();
    const struct {
        std::optional<std::string> markup;  // generated first, when there is one
        CStatus answer;
        std::string shown;
    } cases[] = {
        {std::nullopt, kWritten,
         error + " No puede salvarse la información, antes debe de generarse presionando \n el boton Generar del "
                 "Zorovirira"},
        {kMarkup, kWritten, "Zorovirira 7316: Sr. Contribuyente:\nSe ha guardado una copia de la "
         "informacion que proporciono en el formulario que Ud. acaba de llenar, \nha sido guardado en formato htm, con "
         "el nombre " + path + " puede visualizarlo por medio de un browser. Ahora puede salir del formulario por "
         "medio del menu \"Archivo\" la opcion \"Salir\"."},
        {kMarkup, kNotCreated, error + "No pudo guardarse la copia en formato htm."},
        {kMarkup, kNotWritten, error + "No pudo guardarse la copia en formato htm."},
        {"<P>✓</P>", kWritten, error + "La declaración contiene caracteres que no pueden guardarse: ✓"}};
    ui.directoryAnswer = root.str() + "/";
    for (const auto& test : cases) {
        answer = kWritten;
        if (test.markup)
            Generate(kXml, kNumber, kNit, *test.markup);
        answer = kNotWritten;
        Generate(kXml, "99999", kNit, "the markup of a declaration not written");
        files.clear();
        ui.TakeShown();
        answer = test.answer;
        for (int save = 0; save < 2; ++save) {
            flow.OnFileSave();
            EXPECT_EQ(ui.TakeShown(), test.shown);
        }
        const bool copied = test.markup == kMarkup && test.answer == kWritten;
        EXPECT_EQ(files.size(), copied ? 1u : 0u);
        EXPECT_EQ(files[path], copied ? golden : "");
    }
}

// A data file already there is replaced only after "Sí"; "No" leaves it byte
// for byte, and the flow reports nothing generated.
TEST_F(GenerationFlowTest, AnExistingDataFileIsReplacedOnlyWhenThePersonSaysSo)
{
    const std::string path = root.str() + "/" + kNit + "/7316/DRN-" + kNumber;
    const std::string corrected = SampleDeclaration().With("2029", "150.00").Xml();
    const struct {
        const char* name;
        bool yes;
        std::string xmlAfter;
    } cases[] = {{"No keeps the old file", false, kXml}, {"Sí replaces it", true, corrected}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(root.path() / kNit);
        CGenerationFlow diskFlow(ui, {root.str() + "/", "/"});
        ui.directoryAnswer = root.str() + "/";
        ASSERT_TRUE(diskFlow.GeneraArchivo(kXml, kNumber, kMarkup, kNit));
        ui.TakeShown();
        const std::string before = ReadWholeFile(path).value();
        ui.yesAnswer = test.yes;
        EXPECT_EQ(diskFlow.GeneraArchivo(corrected, kNumber, kMarkup, kNit), test.yes);
        const std::string question = "question: Zorovirira DRN-7316: Ya existe " + path + "; ¿Desea reemplazarlo?";
        const std::string shown = ui.TakeShown();  // then the success message, after "Sí"
        EXPECT_EQ(shown.substr(0, question.size()), question);
        EXPECT_EQ(shown.size() > question.size(), test.yes);
        const CResult<std::string> xml = CSealCodec().Unseal(ReadWholeFile(path).value());
        ASSERT_TRUE(xml.ok());
        EXPECT_EQ(*xml, test.xmlAfter);
        EXPECT_EQ(ReadWholeFile(path).value() == before, !test.yes);
    }
}
