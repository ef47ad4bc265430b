#include "commands.h"

#include "declfile/seal.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// A declaration XML as the form writes it, without annex rows.
std::string DeclarationXml(const std::string& name, const std::string& lastBox = "2029")
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> "
                      " <NUMERO_VERSION>6</NUMERO_VERSION>  <NIT>12345679</NIT> "
                      " <PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA> "
                      " <NOMBRE><![CDATA[" + name + "]]></NOMBRE>  <CASILLAS> ";
    for (int box = 2007; box <= std::stoi(lastBox); ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">0</CASILLA> ";
    return xml + " </CASILLAS>  </FORMULARIO> ";
}

struct ModifyRun {
    explicit ModifyRun(const CommandArguments& arguments)
    {
        CommandStreams streams{in, out, err};
        status = RunModifyCommand(arguments, streams);
    }
    std::istringstream in;
    std::ostringstream out, err;
    int status = -1;
};

class ModifyCommand : public testing::Test {
protected:
    std::string Write(const std::string& content)
    {
        const std::string path = directory.str() + "/DRN-1234567973161203";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    TemporaryDirectory directory;
};

} // namespace

TEST_F(ModifyCommand, PrintsTheEditablePageOfASealedDeclaration)
{
    const std::string path = Write(*SealDeclaration(DeclarationXml("Peña & \"Hijos\"")));
    const ModifyRun run({path});
    EXPECT_EQ(run.status, 0) << run.err.str();
    EXPECT_EQ(run.err.str(), "");
    const std::string page = run.out.str();
    EXPECT_EQ(page.rfind("<html>\n", 0), 0u);
    EXPECT_NE(page.find("value='Peña &amp; &quot;Hijos&quot;'"), std::string::npos);
    EXPECT_NE(page.find("onclick='anexa(C.renglones1,1)'"), std::string::npos);
}

TEST_F(ModifyCommand, RefusesWithTheModifyCommandsMessages)
{
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {"<html>not sealed</html>",
         "El archivo que intenta modificar es invalido, no pertenece a una declaración\n"},
        {*SealDeclaration(DeclarationXml("Tabacalera", "2028")),
         "El archivo a modificar no pertenece a una declaración DRN-7316, verifique\n"},
    };
    for (const auto& expected : cases) {
        const ModifyRun run({Write(expected.content)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.str(), "");
        EXPECT_EQ(run.err.str(), expected.message);
    }
    const ModifyRun usage({});
    EXPECT_EQ(usage.status, kExitUsage);
    EXPECT_NE(usage.err.str().find("modify [--trace] FILE"), std::string::npos);
}
