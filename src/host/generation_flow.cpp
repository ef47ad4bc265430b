#include "host/generation_flow.h"

#include "declfile/declaration_check.h"
#include "declfile/seal.h"
#include "declfile/windows1252.h"
#include "host/html_copy.h"

#include <filesystem>
#include <utility>

namespace formulario {

namespace {

constexpr const char* kCaptionDeclaration = "Zorovirira DRN-7316";
constexpr const char* kCaptionApplication = "Formulario7316";
constexpr const char* kCaptionCopy = "Zorovirira 7316";

constexpr const char* kDataFilePrefix = "DRN-";

constexpr const char* kDirectoryMissing =
    "Error:\nEl Directorio Especificado no existe, \nCorrija ingresando un directorio existente";
constexpr const char* kNitUnusable =
    "Error:\nEl NIT contiene caracteres que no pueden usarse en el nombre de un directorio.";
constexpr const char* kNumberUnusable =
    "Error:\nEl número de declaración contiene caracteres que no pueden usarse en el nombre de un archivo.";
constexpr const char* kUnwritableCharacters = "Error:\nLa declaración contiene caracteres que no pueden guardarse: ";
constexpr const char* kSealFailed = "Error:\nNo pudo generarse el archivo de la declaración.";
constexpr const char* kNotCreated = "Error:\nNo pudo crearse el archivo de la declaración.";
constexpr const char* kNotWritten =
    "Error:\nNo pudo escribirse el archivo con los datos de su declaracion, verifique que tenga "
    "permisos de escritura.";
constexpr const char* kNothingToSave =
    "Error:\n No puede salvarse la información, antes debe de generarse presionando \n el boton "
    "Generar del Zorovirira";
constexpr const char* kCopyFailed = "Error:\nNo pudo guardarse la copia en formato htm.";

std::string GeneratedMessage(const std::string& path)
{
    return "Sr. Contribuyente:\nDel formulario que Ud. acaba de llenar, ha sido generado el archivo "
           "con los datos a presentar en su declaracion y este ha sido guardado con el siguiente "
           "nombre " +
           path +
           ". Ahora Ud. puede presentarlo a través de Internet, o bien llevarlo en un diskette a "
           "una ventanilla o kiosko de autoservicio de su banco más cercano. Ahora puede salirse "
           "del formulario, crear uno nuevo o bien imprimir el actual, estas opciones se "
           "encuentra en el menu \"Archivo\" o bien en el toolbar.";
}

std::string SavedMessage(const std::string& path)
{
    return "Sr. Contribuyente:\nSe ha guardado una copia de la informacion que proporciono en el "
           "formulario que Ud. acaba de llenar, \nha sido guardado en formato htm, con el nombre " +
           path +
           " puede visualizarlo por medio de un browser. Ahora puede salir del formulario por "
           "medio del menu \"Archivo\" la opcion \"Salir\".";
}

}  // namespace

CGenerationFlow::CGenerationFlow(HostUi& ui, OutputPlace place, FileWriter writer)
    : m_ui(ui), m_place(std::move(place)), m_writer(std::move(writer))
{
}

bool CGenerationFlow::GeneraArchivo(const std::string& cadenaxml, const std::string& numformulario,
                                    const std::string& cadenahtml, const std::string& nitcontribuyente)
{
    if (!AcceptsNames(numformulario, nitcontribuyente))
        return false;
    // Converted once, on its way to the seal; what cannot be is said at once.
    const CResult<std::string> xml = Utf8ToWindows1252(cadenaxml);
    if (!xml.ok()) {
        m_ui.ShowMessage(kUnwritableCharacters + xml.status().detail(), kCaptionDeclaration);
        return false;
    }
    const auto chosen = m_ui.AskDirectory(m_place.defaultDirectory);
    if (!chosen)
        return false;
    const auto taxpayerDirectory = TaxpayerDirectory(*chosen, nitcontribuyente, m_place);
    if (!taxpayerDirectory) {
        m_ui.ShowMessage(kDirectoryMissing, kCaptionApplication);
        return false;
    }
    const CResult<std::string> sealed = IsSealableDeclaration(cadenaxml) ? SealWindows1252Declaration(*xml)
                                                                         : CResult<std::string>(Cause::kNothingToSeal);
    if (!sealed.ok()) {
        m_ui.ShowMessage(kSealFailed, kCaptionDeclaration);
        return false;
    }
    const std::string formDirectory = MakeFormDirectory(*taxpayerDirectory, m_place);
    const std::string path = formDirectory + m_place.separator + kDataFilePrefix + numformulario;
    if (!MayWrite(path))
        return false;
    return WriteDataFile(path, *sealed, cadenahtml);
}

// The NIT and the declaration number become a directory and a file name:
// refuses what cannot.
bool CGenerationFlow::AcceptsNames(const std::string& numformulario, const std::string& nitcontribuyente)
{
    if (!IsPlainFileName(nitcontribuyente)) {
        m_ui.ShowMessage(kNitUnusable, kCaptionDeclaration);
        return false;
    }
    if (!IsPlainFileName(numformulario)) {
        m_ui.ShowMessage(kNumberUnusable, kCaptionDeclaration);
        return false;
    }
    return true;
}

// A file already there (a correction keeps its declaration number) is
// replaced only when the person says so.
bool CGenerationFlow::MayWrite(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(Utf8Path(path), error)))
        return true;
    return m_ui.AskYesNo("Ya existe " + path + "; ¿Desea reemplazarlo?", kCaptionDeclaration, Answer::kNo);
}

bool CGenerationFlow::WriteDataFile(const std::string& path, const std::string& sealed, const std::string& cadenahtml)
{
    if (const CStatus written = m_writer(path, sealed); !written.ok()) {
        m_ui.ShowMessage(written.cause() == Cause::kNotCreated ? kNotCreated : kNotWritten, kCaptionDeclaration);
        return false;
    }
    m_lastDataFile = path;
    m_cadenahtml = cadenahtml;
    m_ui.ShowMessage(GeneratedMessage(path), kCaptionDeclaration);
    return true;
}

void CGenerationFlow::OnFileSave()
{
    if (m_lastDataFile.empty()) {
        m_ui.ShowMessage(kNothingToSave, kCaptionCopy);
        return;
    }
    const CResult<std::string> markup = Utf8ToWindows1252(m_cadenahtml);
    if (!markup.ok()) {
        m_ui.ShowMessage(kUnwritableCharacters + markup.status().detail(), kCaptionCopy);
        return;
    }
    const std::string path = HtmlCopyPath(m_lastDataFile);
    if (!m_writer(path, BuildHtmlCopy(*markup)).ok()) {
        m_ui.ShowMessage(kCopyFailed, kCaptionCopy);
        return;
    }
    m_ui.ShowMessage(SavedMessage(path), kCaptionCopy);
}

}  // namespace formulario
