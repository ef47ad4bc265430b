// Generation and Save when the disk fails them: each failure is reported with
// its message, leaves no partial file and keeps any earlier file of the name.

#include "host/declaration_files.h"
#include "host/fake_host_ui.h"
#include "host/generation_flow.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string kXml = " <FORMULARIO NUMERO=\"14302257\">  <NIT>12345679</NIT> </FORMULARIO> ";

const std::string kNotCreated = "Error:\nNo pudo crearse el archivo de la declaración.";
const std::string kNotWritten =
    "Error:\nNo pudo escribirse el archivo con los datos de su declaracion, verifique que tenga "
    "permisos de escritura.";
const std::string kCopyFailed = "Error:\nNo pudo guardarse la copia en formato htm.";
const std::string kNoDirectory =
    "Error:\nEl Directorio Especificado no existe, \nCorrija ingresando un directorio existente";

// A tmpfs of a few pages mounted over a fresh directory, so that a test can
// fill it. Needs root; `mounted()` tells whether the mount took.
class SmallDevice {
public:
    SmallDevice()
    {
        const std::string command = "mount -t tmpfs -o size=64k tmpfs '" + m_directory.str() + "' 2>/dev/null";
        m_mounted = std::system(command.c_str()) == 0;
    }
    ~SmallDevice()
    {
        if (m_mounted)
            std::system(("umount '" + m_directory.str() + "'").c_str());
    }
    bool mounted() const { return m_mounted; }
    std::string str() const { return m_directory.str(); }

    // Takes every free byte of the device.
    void Fill() const
    {
        std::ofstream filler(m_directory.path() / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }

private:
    TemporaryDirectory m_directory;
    bool m_mounted = false;
};

class WriteFaults : public testing::Test {
protected:
    // Generates into `directory` with a flow that writes through `writer`.
    void Generate(const std::string& directory, FileWriter writer = WriteFileWhole)
    {
        ui.directoryAnswer = directory;
        if (!flow)
            flow.emplace(ui, OutputPlace{"/no-default/", "/"}, std::move(writer));
        flow->GeneraArchivo(kXml, kNumber, "<p>markup</p>", kNit);
    }
    fs::path DataFile(const std::string& directory) const
    {
        return fs::path(directory) / kNit / "7316" / ("DRN-" + kNumber);
    }
    void ExpectLastMessage(const std::string& text, const std::string& caption)
    {
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, text);
        EXPECT_EQ(ui.messages.back().caption, caption);
    }
    // Nothing but `expected` in the form directory: no temporary file left.
    void ExpectOnlyEntries(const fs::path& directory, std::size_t expected)
    {
        EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(directory),
                                                         fs::directory_iterator())),
                  expected);
    }

    TemporaryDirectory root;
    FakeHostUi ui;
    std::optional<CGenerationFlow> flow;
};

TEST_F(WriteFaults, ADiskFullWhileTheDataFileIsWrittenKeepsTheEarlierFile)
{
    SmallDevice device;
    if (!device.mounted())
        GTEST_SKIP() << "mounting a small device needs root";
    Generate(device.str());
    const std::string earlier = ReadFile(DataFile(device.str()));
    device.Fill();

    Generate(device.str());
    ExpectLastMessage(kNotWritten, "Zorovirira DRN-7316");
    EXPECT_EQ(ReadFile(DataFile(device.str())), earlier);
    ExpectOnlyEntries(DataFile(device.str()).parent_path(), 1);
}

TEST_F(WriteFaults, ADiskFullWhileTheCopyIsWrittenKeepsTheEarlierCopy)
{
    SmallDevice device;
    if (!device.mounted())
        GTEST_SKIP() << "mounting a small device needs root";
    Generate(device.str());
    flow->OnFileSave();
    const fs::path copy = DataFile(device.str()).string() + ".htm";
    const std::string earlier = ReadFile(copy);
    device.Fill();

    flow->OnFileSave();
    ExpectLastMessage(kCopyFailed, "Zorovirira 7316");
    EXPECT_EQ(ReadFile(copy), earlier);
    ExpectOnlyEntries(copy.parent_path(), 2);
}

TEST_F(WriteFaults, AnOutputDirectoryThatVanishesIsReportedAndNothingIsWritten)
{
    const fs::path chosen = root.path() / "chosen";
    fs::create_directory(chosen);

    // Gone between the dialog and the checks of the chosen directory.
    struct VanishingUi : FakeHostUi {
        fs::path doomed;
        std::optional<std::string> AskDirectory(const std::string& initial) override
        {
            fs::remove_all(doomed);
            return FakeHostUi::AskDirectory(initial);
        }
    } vanishing;
    vanishing.doomed = chosen;
    vanishing.directoryAnswer = chosen.string();
    CGenerationFlow(vanishing, OutputPlace{"/no-default/", "/"}).GeneraArchivo(kXml, kNumber, "", kNit);
    ASSERT_EQ(vanishing.messages.size(), 1u);
    EXPECT_EQ(vanishing.messages[0].text, kNoDirectory);
    EXPECT_FALSE(fs::exists(chosen));

    // Gone after the output directory was made, just before the write.
    fs::create_directory(chosen);
    Generate(chosen.string(), [&](const std::string& path, std::string_view bytes) {
        fs::remove_all(chosen / kNit);
        return WriteFileWhole(path, bytes);
    });
    ExpectLastMessage(kNotCreated, "Zorovirira DRN-7316");
    EXPECT_FALSE(fs::exists(chosen / kNit));
}

TEST_F(WriteFaults, AReadOnlyFileOfTheSameNameIsNotReplaced)
{
    Generate(root.str());
    const fs::path data = DataFile(root.str());
    const std::string earlier = ReadFile(data);
    fs::permissions(data, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    Generate(root.str());
    ExpectLastMessage(kNotCreated, "Zorovirira DRN-7316");
    EXPECT_EQ(ReadFile(data), earlier);
    ExpectOnlyEntries(data.parent_path(), 1);
}

TEST_F(WriteFaults, ADirectoryOfTheSameNameIsReportedAndKept)
{
    const fs::path data = DataFile(root.str());
    fs::create_directories(data / "inside");
    Generate(root.str());
    ExpectLastMessage(kNotCreated, "Zorovirira DRN-7316");
    EXPECT_TRUE(fs::is_directory(data / "inside"));
    ExpectOnlyEntries(data.parent_path(), 1);

    fs::remove_all(data);
    Generate(root.str());
    fs::create_directories(data.string() + ".htm/inside");
    flow->OnFileSave();
    ExpectLastMessage(kCopyFailed, "Zorovirira 7316");
    EXPECT_TRUE(fs::is_directory(data.string() + ".htm/inside"));
    ExpectOnlyEntries(data.parent_path(), 2);
}

} // namespace
