// The commands run in-process on string streams, with files in a fresh
// directory.
#include "commands.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// Runs a command on a given standard input and keeps what it prints.
struct CommandRun {
    CommandRun(CommandFunction command, const CommandArguments& arguments, const std::string& input = "")
        : in(input)
    {
        CommandStreams streams{in, out, err};
        status = command(arguments, streams);
    }
    std::istringstream in;
    std::ostringstream out, err;
    int status = -1;
};

class CliCommands : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content)
    {
        const std::string path = directory.str() + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string Sealed(const std::string& xml)
    {
        const CommandRun seal(RunSealCommand, {}, xml);
        EXPECT_EQ(seal.status, 0) << seal.err.str();
        return seal.out.str();
    }

    TemporaryDirectory directory;
};

// The sample declaration, sealed, with `from` replaced by `to`.
std::string SealedSample(const std::string& from, const std::string& to)
{
    std::string xml = SampleDeclarationXml(0);
    return *SealDeclaration(xml.replace(xml.find(from), from.size(), to));
}

const std::string kXml = "<FORMULARIO NUMERO=\"1\"><NOMBRE><![CDATA[Peña & Cía €]]></NOMBRE></FORMULARIO>\n";

} // namespace

TEST_F(CliCommands, SealThenUnsealGivesTheXmlBack)
{
    const std::string fromInput = Write("from-input", Sealed(kXml));
    const CommandRun sealFile(RunSealCommand, {Write("x.xml", kXml)});
    ASSERT_EQ(sealFile.status, 0);
    const std::string fromFile = Write("from-file", sealFile.out.str());
    for (const auto& path : {fromInput, fromFile}) {
        const CommandRun unseal(RunUnsealCommand, {path});
        EXPECT_EQ(unseal.status, kUnsealOk);
        EXPECT_EQ(unseal.out.str(), kXml);
    }
}

TEST_F(CliCommands, UnsealExitsWithTheUnsealingCode)
{
    std::string damaged = Sealed(kXml);
    damaged[50] = damaged[50] == 'A' ? 'B' : 'A';
    struct Case {
        std::string path;
        int status;
    };
    for (const auto& [path, status] : {Case{Write("damaged", damaged), 1}, Case{Write("short", "QUJD"), 2},
                                       Case{Write("slash", "ab/c"), 4}, Case{directory.str() + "/none", 5},
                                       Case{directory.str(), 5}}) {
        SCOPED_TRACE(path);
        const CommandRun unseal(RunUnsealCommand, {path});
        EXPECT_EQ(unseal.status, status);
        EXPECT_EQ(unseal.out.str(), "");
        EXPECT_EQ(unseal.err.str().substr(0, path.size() + 2), path + ": ");
    }
}

TEST_F(CliCommands, VerifyReportsEveryFileAndSucceedsOnlyWhenAllAreOk)
{
    const std::string good = Write("good", Sealed(kXml));
    const std::string bad = Write("bad", "not sealed!");
    const CommandRun allGood(RunVerifyCommand, {good, good});
    EXPECT_EQ(allGood.status, 0);
    EXPECT_EQ(allGood.out.str(), good + ": ok\n" + good + ": ok\n");

    const CommandRun mixed(RunVerifyCommand, {good, bad, directory.str() + "/none"});
    EXPECT_NE(mixed.status, 0);
    EXPECT_EQ(mixed.out.str(), good + ": ok\n" + bad +
                                   ": not a sealed declaration text (a character outside the alphabet)\n" +
                                   directory.str() + "/none: cannot be read\n");
}

TEST_F(CliCommands, SealRefusesWhatItCannotSeal)
{
    const CommandRun arrow(RunSealCommand, {}, "<x>→</x>");
    EXPECT_EQ(arrow.status, 1);
    EXPECT_NE(arrow.err.str().find("→"), std::string::npos);
    EXPECT_EQ(arrow.out.str(), "");
    EXPECT_EQ(CommandRun(RunSealCommand, {}, "").status, 1);
    EXPECT_EQ(CommandRun(RunSealCommand, {directory.str() + "/none"}).status, 1);
}

TEST_F(CliCommands, CommandLinesThatDoNotFitAreUsageErrors)
{
    const struct {
        CommandFunction command;
        CommandArguments arguments;
        const char* usage;
    } cases[] = {{RunSealCommand, {"a", "b"}, "seal"},
                 {RunUnsealCommand, {}, "unseal"},
                 {RunUnsealCommand, {"a", "b"}, "unseal"},
                 {RunVerifyCommand, {}, "verify"},
                 {RunModifyCommand, {}, "modify [--trace] FILE"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.usage);
        const CommandRun run(test.command, test.arguments);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_NE(run.err.str().find(test.usage), std::string::npos);
    }
}

TEST_F(CliCommands, ModifyPrintsTheEditablePageOfASealedDeclaration)
{
    const std::string sealed = SealedSample("Tabacalera Peña & Hijos", "Peña & \"Hijos\"");
    const CommandRun run(RunModifyCommand, {Write("DRN-1234567973161203", sealed)});
    EXPECT_EQ(run.status, 0) << run.err.str();
    EXPECT_EQ(run.err.str(), "");
    const std::string page = run.out.str();
    EXPECT_EQ(page.rfind("<html>\n", 0), 0u);
    EXPECT_NE(page.find("value='Peña &amp; &quot;Hijos&quot;'"), std::string::npos);
    EXPECT_NE(page.find("onclick='anexa(C.renglones1,1)'"), std::string::npos);
}

TEST_F(CliCommands, ModifyRefusesWithTheModifyCommandsMessages)
{
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {"<html>not sealed</html>", "El archivo que intenta modificar es invalido, no pertenece a una declaración\n"},
        {SealedSample("<CASILLA ID=\"2029\">0</CASILLA>", ""),
         "El archivo a modificar no pertenece a una declaración DRN-7316, verifique\n"},
    };
    for (const auto& expected : cases) {
        const CommandRun run(RunModifyCommand, {Write("DRN-1234567973161203", expected.content)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.str(), "");
        EXPECT_EQ(run.err.str(), expected.message);
    }
}
