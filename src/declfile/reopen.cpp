#include "declfile/reopen.h"

#include "declfile/seal_codec.h"
#include "declfile/xml_reader.h"
#include "host/safe_file_writer.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace {

// What each mode tells the user when it refuses a file.
struct ReopenMessages {
    std::string_view notSealed;
    std::string_view noFormCode;
    std::string_view noVersion;
    std::string_view pageRefused;
};

constexpr std::array<ReopenMessages, 2> kMessages = {{
    {"El archivo que se intenta abrir es invalido, no pertenece a una declaración",
     "El archivo a abrir es invalido, no pertenece a una declaración.",
     "El archivo a abrir es invalido, no pertenece a una declaración",
     "El archivo a abrir no pertenece a una declaración DRN-7316, verifique."},
    {"El archivo que intenta modificar es invalido, no pertenece a una declaración",
     "El archivo que desea modificar es invalido, no pertenece a unda declaración",
     "El archivo que desea modificar es invalido, no pertenece a una declaración",
     "El archivo a modificar no pertenece a una declaración DRN-7316, verifique"},
}};

constexpr std::string_view kFormKey = "7316";
constexpr std::string_view kOtherFormMessage =
    "Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.";
constexpr std::string_view kOtherFormCaption = "Formulario7489";

// The whole content of a regular file, or nothing when it cannot be read
// (no such file, not a file, a failed read, no memory for it).
std::optional<std::string> ReadWholeFile(const std::string& utf8Path)
{
    const std::filesystem::path path = Utf8Path(utf8Path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file)
        return std::nullopt;
    try {
        std::string content(size, '\0');
        if (!file.read(content.data(), static_cast<std::streamsize>(size)))
            return std::nullopt;
        return content;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

bool Reopen(ReopenMode mode, const PageBuilder& build, HostUi& ui, std::ostream* trace)
{
    const ReopenMessages& messages = kMessages[static_cast<std::size_t>(mode)];
    auto refuse = [&ui](std::string_view message) {
        ui.ShowWarning(std::string(message));
        return false;
    };

    const std::optional<std::string> path = ui.ChooseFile();
    if (!path || path->empty())
        return false;

    const std::optional<std::string> sealed = ReadWholeFile(*path);
    std::string xml;
    if (!sealed || CSealCodec().Unseal(*sealed, xml) != kUnsealOk)
        return refuse(messages.notSealed);

    CXmlReader reader;
    reader.SetTrace(trace);
    reader.Parse(xml);
    const CNodeList& nodes = reader.Nodes();

    const CNode* code = nodes.FindByName("CODIGO_FORMULARIO");
    if (!code)
        return refuse(messages.noFormCode);
    const CNode* version = nodes.FindByName("NUMERO_VERSION");
    if (!version)
        return refuse(messages.noVersion);
    if (code->value + version->value != kFormKey) {
        ui.ShowMessage(std::string(kOtherFormMessage), std::string(kOtherFormCaption));
        return false;
    }

    CPageText page;
    if (!build(nodes, page))
        return refuse(messages.pageRefused);
    ui.ShowPage(page.str());
    return true;
}
