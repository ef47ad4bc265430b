// The commands run in-process on string streams. What they compute is tested
// where it is made; here, what each command takes, where its output goes and
// with what exit status it ends.
#include "commands.h"

#include "declaration_sample.h"
#include "host/brand_csv.h"
#include "host/temporary_directory.h"
#include "render/consult_page.h"
#include "render/modify_page.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace formulario;

TEST(CliCommands, EachCommandExitsWithItsStatusAndWritesToItsStream)
{
    TemporaryDirectory files;
    const std::string dir = files.str() + "/", xml = SampleDeclarationXml(1);
    struct Run {
        int status;
        std::string out, err;
    };
    const auto run = [](CommandFunction command, const CommandArguments& arguments, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out, err;
        CommandStreams streams{in, out, err};
        const int status = command(arguments, streams);
        return Run{status, out.str(), err.str()};
    };
    const auto page = [](const PageBuilder& build) {
        CPageText page;
        build(SampleDeclaration(1).Read(), page);
        return page.str();
    };
    // Sealed from the input and from a file: unsealing each gives the XML back.
    const Run fromInput = run(RunSealCommand, {}, xml), fromFile = run(RunSealCommand, {files.Write("x.xml", xml)});
    EXPECT_EQ(fromInput.err + fromFile.err, "");
    const std::string sealed = files.Write("sealed", fromInput.out);
    std::string damaged = fromInput.out;
    damaged[50] = damaged[50] == 'A' ? 'B' : 'A';
    const std::string other = run(RunSealCommand, {}, SampleDeclaration(1).With("CODIGO_FORMULARIO", "7").Xml()).out;
    const struct {
        CommandFunction command;
        CommandArguments arguments;
        std::string input;
        int status;
        std::string out;  // all of it
        std::vector<std::string> err;  // parts of it, in order; none: nothing at all
    } cases[] = {
        {RunUnsealCommand, {sealed}, "", 0, xml, {}},
        {RunUnsealCommand, {files.Write("sealed2", fromFile.out)}, "", 0, xml, {}},
        {RunUnsealCommand, {files.Write("damaged", damaged)}, "", 1, "", {dir + "damaged: the check digits do not"}},
        {RunUnsealCommand, {files.Write("slash", "ab/c")}, "", 4, "", {dir + "slash: not a sealed"}},
        {RunUnsealCommand, {files.Write("short", fromInput.out.substr(0, 20))}, "", 2, "", {dir + "short: too short"}},
        {RunUnsealCommand, {dir + "none"}, "", 5, "", {dir + "none: cannot be read"}},
        {RunVerifyCommand, {sealed, sealed}, "", 0, sealed + ": ok\n" + sealed + ": ok\n", {}},
        {RunVerifyCommand, {sealed, dir + "slash", dir + "none"}, "", 1, sealed + ": ok\n" + dir + "slash: not a "
         "sealed declaration text (a character outside the alphabet)\n" + dir + "none: cannot be read\n", {}},
        {RunVerifyCommand, {files.Write("padded", fromInput.out + "=")}, "", 1, dir + "padded: not a sealed declaration "
         "text (" + (fromInput.out.ends_with("=") ? "text after the padding" : "wrong padding") + ")\n", {}},
        {RunSealCommand, {}, "<x>→</x>", 1, "", {"→"}},
        {RunSealCommand, {}, "", 1, "", {"empty"}},
        {RunSealCommand, {dir + "none"}, "", 1, "", {dir + "none: cannot be read"}},
        {RunModifyCommand, {sealed}, "", 0, page(BuildModifyPage), {}},
        {RunConsultCommand, {"--trace", sealed}, "", 0, page(BuildConsultPage),
         {"----- parse document -----\n <FORMULARIO", "</FORMULARIO> \n\n----- start parsing -----\n\nparse node: ",
          "\n\nFound Node: \nname: FORMULARIO\nattributes: NUMERO=\"14302257\"\n\nparse node: ",
          "\n\nFound Element: \nname: SOURCE\nvalue: TRAMIXPC\n\n"}},
        {RunModifyCommand, {files.Write("html", "<html>not sealed</html>")}, "", 1, "",
         {"El archivo que intenta modificar es invalido, no pertenece a una declaración\n"}},
        {RunConsultCommand, {files.Write("other", other)}, "", 1, "",
         {"Formulario7489: Error:\nNo es posible abrir el documento, ya que no pertenece a un formulario DRN-7316.\n"}},
        {RunExportCsvCommand, {sealed}, "", 0, BrandCsvText({SampleDeclaration(1).Read().rows[0].cells}), {}},
        {RunExportCsvCommand, {dir + "html"}, "", 1, "", {dir + "html: not a sealed"}},
        {RunExportCsvCommand, {}, "", kExitUsage, "", {"usage: formulario7316-cli export-csv FILE\n"}},
        {RunSealCommand, {"a", "b"}, "", kExitUsage, "", {"usage: formulario7316-cli seal [XMLFILE]\n"}},
        {RunUnsealCommand, {}, "", kExitUsage, "", {"usage: formulario7316-cli unseal FILE\n"}},
        {RunVerifyCommand, {}, "", kExitUsage, "", {"usage: formulario7316-cli verify FILE...\n"}},
        {RunModifyCommand, {}, "", kExitUsage, "", {"usage: formulario7316-cli modify [--trace] FILE\n"}},
        {RunConsultCommand, {"--trace"}, "", kExitUsage, "", {"usage: formulario7316-cli consult [--trace] FILE\n"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Run result = run(cases[i].command, cases[i].arguments, cases[i].input);
        EXPECT_EQ(result.status, cases[i].status) << "case " << i;
        EXPECT_EQ(result.out, cases[i].out) << "case " << i;
        std::size_t at = 0;
        for (const auto& part : cases[i].err)
            at = result.err.find(part, at);
        EXPECT_NE(at, std::string::npos) << "case " << i << ": " << result.err;
        EXPECT_EQ(result.err.empty(), cases[i].err.empty()) << "case " << i;
    }
}
