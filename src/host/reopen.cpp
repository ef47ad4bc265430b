#include "host/reopen.h"

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
    if (!sealed)
        return refuse(messages.notSealed);
    Declaration declaration;
    using Kind = DeclarationStatus::Kind;
    switch (ReadSealedDeclaration(*sealed, declaration, trace).kind()) {
    case Kind::kNotSealed:
    case Kind::kBadValue:
        return refuse(messages.notSealed);
    case Kind::kNoFormCode:
        return refuse(messages.noFormCode);
    case Kind::kNoVersion:
        return refuse(messages.noVersion);
    case Kind::kOtherForm:
        ui.ShowMessage(std::string(kOtherFormMessage), std::string(kOtherFormCaption));
        return false;
    case Kind::kMissingValue:
        return refuse(messages.pageRefused);
    case Kind::kOk:
        break;
    }

    page.Clear();
    if (!build(declaration, page))
        return refuse(messages.pageRefused);
    ui.ShowPage(page.str());
    return true;
}
