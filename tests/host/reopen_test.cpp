#include "host/reopen.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "declfile/status.h"
#include "host/fake_host_ui.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <array>

using namespace formulario;

namespace {

std::string Sealed(const SampleDeclaration& declaration = SampleDeclaration(1))
{
    return SealDeclaration(declaration.Xml()).value();
}

bool WritesMarker(const Declaration&, CPageText& page)
{
    page.Append("<html>page</html>");
    return true;
}

// Rewritten line breaks and a form key split differently open, on a page text
// emptied first; every refusal shows the mode's message and no page.
TEST(Reopen, OpensEveryDeclarationWhoseKeyJoinsTo7316AndRefusesTheRest)
{
    TemporaryDirectory dir;
    FakeHostUi ui;
    CPageText page;
    using Messages = std::array<std::string, 2>;  // Consult, Modify
    const Messages notSealed{"warning: El archivo que se intenta abrir es invalido, no pertenece a una declaración",
                             "warning: El archivo que intenta modificar es invalido, no pertenece a una declaración"};
    const std::string other =
        "Formulario7489: Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.";
    std::string lineFeeds = Sealed(), damaged = Sealed(), laterCode = SampleDeclarationXml(1);
    std::erase(lineFeeds, '\r');
    damaged[20] = damaged[20] == 'A' ? 'B' : 'A';
    laterCode.insert(laterCode.find(" <NUMERO_VERSION>"), " <CODIGO_FORMULARIO>748</CODIGO_FORMULARIO> ");
    const struct {
        std::optional<std::string> path;
        Messages messages;  // none: the page is shown
        PageBuilder build = WritesMarker;
    } cases[] = {
        {dir.Write("line-feeds", lineFeeds), {}},
        {dir.Write("split", Sealed(SampleDeclaration(1).With("CODIGO_FORMULARIO", "73").With("NUMERO_VERSION", "16"))),
         {}},
        {std::nullopt, {}},  // cancelled
        {"", {}},
        {dir.Write("damaged", damaged), notSealed},
        {dir.Write("oversize", Sealed() + std::string(kMaxDeclarationFileBytes, ' ')), notSealed},
        {dir.Write("control-byte", Sealed(SampleDeclaration(1).With("NOMBRE", "Pe\x01a"))), notSealed},
        {dir.Write("long-nit", Sealed(SampleDeclaration(1).With("NIT", "12345678901234"))), notSealed},
        {dir.Write("long-cell", Sealed(SampleDeclaration(1).With(SampleDeclaration::Cell(1, 1), std::string(101, 'x')))),
         notSealed},
        {dir.str() + "/missing", notSealed},
        {dir.str(), notSealed},
        {dir.Write("other", Sealed(SampleDeclaration(1).With("CODIGO_FORMULARIO", "748"))), {other, other}},
        {dir.Write("later-code", SealDeclaration(laterCode).value()), {other, other}},  // the later form code counts
        {dir.Write("no-code", Sealed(SampleDeclaration(1).Without("CODIGO_FORMULARIO"))),
         {"warning: El archivo a abrir es invalido, no pertenece a una declaración.",
          "warning: El archivo que desea modificar es invalido, no pertenece a unda declaración"}},
        {dir.Write("no-version", Sealed(SampleDeclaration(1).Without("NUMERO_VERSION"))),
         {"warning: El archivo a abrir es invalido, no pertenece a una declaración",
          "warning: El archivo que desea modificar es invalido, no pertenece a una declaración"}},
        {dir.Write("refused", Sealed()),
         {"warning: El archivo a abrir no pertenece a una declaración DRN-7316, verifique.",
          "warning: El archivo a modificar no pertenece a una declaración DRN-7316, verifique"},
         [](const Declaration&, CPageText&) { return false; }},
    };
    page.Append("left over");
    for (const auto& test : cases) {
        for (const ReopenMode mode : {ReopenMode::kConsult, ReopenMode::kModify}) {
            const std::string name = test.path.value_or("no file chosen");
            const bool opens = test.path && !test.path->empty() && test.messages[0].empty();
            ui.pages.clear();
            EXPECT_EQ(Reopen(mode, test.build, test.path.value_or(""), ui, page), opens) << name;
            EXPECT_EQ(ui.pages, opens ? std::vector<std::string>{"<html>page</html>"} : std::vector<std::string>{});
            EXPECT_EQ(ui.TakeShown(), test.messages[mode == ReopenMode::kModify]) << name;
        }
    }
}

} // namespace
