#include "commands.h"

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
    EXPECT_EQ(CommandRun(RunSealCommand, {"a", "b"}).status, kExitUsage);
    EXPECT_EQ(CommandRun(RunUnsealCommand, {}).status, kExitUsage);
    EXPECT_EQ(CommandRun(RunUnsealCommand, {"a", "b"}).status, kExitUsage);
    EXPECT_EQ(CommandRun(RunVerifyCommand, {}).status, kExitUsage);
}
