#include "host/reopen.h"

#include "host/file_reader.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace formulario {

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

constexpr std::string_view kOtherFormMessage =
    "Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.";
constexpr std::string_view kOtherFormCaption = "Formulario7489";

}  // namespace

bool BuildReopenedPage(ReopenMode mode, const PageBuilder& build, const std::string& path, HostUi& ui, CPageText& page,
                       std::ostream* trace)
{
    const ReopenMessages& messages = kMessages[static_cast<std::size_t>(mode)];
    auto refuse = [&ui](std::string_view message) {
        ui.ShowWarning(std::string(message));
        return false;
    };
    if (path.empty())
        return false;
    const std::optional<std::string> sealed = ReadWholeFile(path);
    if (!sealed)
        return refuse(messages.notSealed);
    const CResult<Declaration> declaration = ReadSealedDeclaration(*sealed, trace);
    switch (declaration.status().cause()) {
    case Cause::kNone:
        break;
    case Cause::kNoFormCode:
        return refuse(messages.noFormCode);
    case Cause::kNoVersion:
        return refuse(messages.noVersion);
    case Cause::kOtherForm:
        ui.ShowMessage(std::string(kOtherFormMessage), std::string(kOtherFormCaption));
        return false;
    case Cause::kMissingValue:
        return refuse(messages.pageRefused);
    default:  // not a sealed text, or a value the form cannot hold
        return refuse(messages.notSealed);
    }
    page.Clear();
    if (!build(*declaration, page))
        return refuse(messages.pageRefused);
    return true;
}

bool Reopen(ReopenMode mode, const PageBuilder& build, const std::string& path, HostUi& ui, CPageText& page,
            std::ostream* trace)
{
    if (!BuildReopenedPage(mode, build, path, ui, page, trace))
        return false;
    ui.ShowPage(page.str());
    return true;
}

}  // namespace formulario
