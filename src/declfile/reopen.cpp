#include "declfile/reopen.h"

#include "declfile/seal_codec.h"
#include "declfile/xml_reader.h"
#include "host/file_reader.h"

#include <array>
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

} // namespace

bool Reopen(ReopenMode mode, const PageBuilder& build, HostUi& ui, CPageText& page,
            std::ostream* trace)
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
    if (!sealed || !CSealCodec().Unseal(*sealed, xml).ok())
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

    page.Clear();
    if (!build(nodes, page))
        return refuse(messages.pageRefused);
    ui.ShowPage(page.str());
    return true;
}
