#include "host/safe_file_writer.h"

#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(SafeFileWriter, ReplacesAFileWholeAndLeavesNoTemporaryFile)
{
    TemporaryDirectory root;
    const std::string path = root.str() + "/DRN-1";
    std::ofstream(path) << "an earlier, longer content";
    std::ofstream(path + ".tmp0") << "someone else's file";
    EXPECT_EQ(WriteFileWhole(path, std::string("new\0bytes", 9)), WriteResult::kWritten);
    EXPECT_EQ(ReadFile(path), std::string("new\0bytes", 9));
    EXPECT_EQ(ReadFile(path + ".tmp0"), "someone else's file");
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 2);
}

TEST(SafeFileWriter, FailuresLeaveWhatWasThere)
{
    TemporaryDirectory root;
    std::ofstream(root.path() / "plain") << "kept";
    fs::create_directories(root.path() / "taken" / "inside");
    struct Case {
        std::string path;
        WriteResult result;
    };
    for (const auto& [path, result] : {Case{root.str() + "/plain/DRN-1", WriteResult::kNotCreated},
                                       Case{root.str() + "/missing/DRN-1", WriteResult::kNotCreated},
                                       Case{root.str() + "/taken", WriteResult::kNotCreated}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(WriteFileWhole(path, "bytes"), result);
    }
    EXPECT_EQ(ReadFile(root.path() / "plain"), "kept");
    EXPECT_TRUE(fs::exists(root.path() / "taken" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 2);
}

TEST(SafeFileWriter, TakesUtf8Paths)
{
    TemporaryDirectory root;
    const std::string path = root.str() + "/Peña €";
    EXPECT_EQ(WriteFileWhole(path, "x"), WriteResult::kWritten);
    EXPECT_EQ(ReadFile(Utf8Path(path)), "x");
}
